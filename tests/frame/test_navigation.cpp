// The navigation bar: tree clicks, the root selected again, the close
// button, and the resize strip with its tracker and limits; and the option
// dialogs as the tree and the Edit menu open them: on the active document
// also while its window is hidden, and not at all without a document window.
#include "../app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "app/DocumentCommands.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "frame/CChildFrame.h"
#include "frame/CNavigationBar.h"
#include "image/CProgramDoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>

namespace {

class Navigation : public AppFixture {
protected:
    explicit Navigation(const char *language = "English") : AppFixture(language)
    {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    QTreeWidgetItem *Item(int i) { return tree->topLevelItem(0)->child(i); }
    // The pointer over the item, then the press.
    void Click(QTreeWidgetItem *item)
    {
        const QPoint at = tree->visualItemRect(item).center();
        QCursor::setPos(tree->viewport()->mapToGlobal(at));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    }
    void Count(int command, int *calls) { frame->Router().Set(command, {[calls] { ++*calls; }, {}, {}}); }
    // Runs `trigger`; the modal dialog it opens, if any, is handed to
    // `answer`, which must close it. Returns that dialog.
    QDialog *Modal(const std::function<void()> &trigger, const std::function<void(QDialog *)> &answer)
    {
        QPointer<QDialog> seen;
        QTimer::singleShot(0, [&] {
            if ((seen = qobject_cast<QDialog *>(QApplication::activeModalWidget())))
                answer(seen);
        });
        trigger();
        QApplication::processEvents();
        return seen;
    }
    CProgramDoc &Doc() { return frame->ActiveChild()->GetDocument(); }

    CNavigationBar *bar = frame->NavigationBar();
    QTreeWidget *tree = bar->Tree();
};

class TreeItems : public Navigation, public ::testing::WithParamInterface<const char *> {
protected:
    TreeItems() : Navigation(GetParam()) {}
};

TEST_P(TreeItems, EachItemRunsItsCommandOnceAndTheRootIsSelectedAgain)
{
    int options = 0, product = 0;
    Count(Cmd::OptionalFeatures, &options);
    Count(Cmd::ProductInfo, &product);
    Click(Item(2));
    Click(Item(2));
    EXPECT_EQ(options, 2);
    Click(Item(0));
    Click(tree->topLevelItem(0));
    EXPECT_EQ(product, 1);
    EXPECT_EQ(options, 2);
    CChildFrame *child = frame->ActiveChild();
    child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Click(Item(1));
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>{tree->topLevelItem(0)}) << "no highlight left behind";

    // A keyboard selection away from the pointer runs nothing.
    QCursor::setPos(frame->mapToGlobal(QPoint(frame->width() - 5, frame->height() - 5)));
    tree->setCurrentItem(Item(2));
    EXPECT_EQ(options, 2);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
}

INSTANTIATE_TEST_SUITE_P(Languages, TreeItems, ::testing::Values("English", "Chinese"),
                         [](const auto &info) { return std::string(info.param); });

TEST_F(Navigation, CloseButtonHidesTheBar)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->CloseButtonRect().center());
    EXPECT_TRUE(bar->isHidden());
    emit frame->DocumentMenu(3)->aboutToShow();
    EXPECT_FALSE(MenuAction(frame, 3, Cmd::ControlBar)->isChecked());
}

struct Drag {
    int moveTo, releaseAt;
    int tracker;  // -1: half the window width
    int width;    // -1: half the window width
};

class Resize : public Navigation, public ::testing::WithParamInterface<Drag> {};

TEST_P(Resize, TrackerAndWidthAreClamped)
{
    const Drag &d = GetParam();
    const int half = frame->width() / 2;
    const int y = bar->height() / 2;
    const QPoint strip(bar->ResizeStrip().center().x(), y);
    QTest::mouseMove(bar, strip);
    QTest::mousePress(bar, Qt::LeftButton, {}, strip);
    ASSERT_TRUE(bar->IsResizing());
    QTest::mouseMove(bar, QPoint(d.moveTo == -1 ? half + 200 : d.moveTo, y));
    EXPECT_EQ(bar->TrackerX(), d.tracker == -1 ? half : d.tracker);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(d.releaseAt == -1 ? half + 200 : d.releaseAt, y));
    EXPECT_FALSE(bar->IsResizing());
    EXPECT_EQ(bar->width(), d.width == -1 ? half : d.width);
    EXPECT_FALSE(bar->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Drags, Resize,
                         ::testing::Values(Drag{300, 300, 300, 300}, Drag{20, 5, 80, 11}, Drag{50, 40, 80, 40},
                                           Drag{-1, -1, -1, -1}));

const auto kReject = [](QDialog *d) { d->reject(); };

TEST_F(Navigation, EditMenuAndTreeOpenTheOptionDialogsOnTheActiveDocument)
{
    const auto setStep25k = [](QDialog *d) {
        static_cast<COptionalFeaturesDlg *>(d)->List(1117)->setCurrentIndex(5);
        d->accept();
    };
    EXPECT_EQ(Modal([&] { MenuAction(frame, 1, Cmd::OptionalFeatures)->trigger(); }, setStep25k),
              frame->OptionalFeaturesDialog());
    EXPECT_EQ(Doc().m_image.option(corvane::Off::stepIndex), 5);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Modal([&] { Click(Item(0)); }, [](QDialog *d) { d->accept(); }), frame->ProductInfoDialog());
    EXPECT_EQ(frame->windowTitle(), "Test Programmer  [ Type:CV-100  Fre:136-174MHz ]");

    frame->HideActiveChild();
    const auto setBeepOff = [](QDialog *d) {
        static_cast<COptionalFeaturesDlg *>(d)->Beep()->setChecked(false);
        d->accept();
    };
    EXPECT_EQ(Modal([&] { Click(Item(2)); }, setBeepOff), frame->OptionalFeaturesDialog());
    EXPECT_EQ(Doc().m_image.option(corvane::Off::beepFlags), 0xFE) << "the hidden window's document";
}

// The last window closed by New, then a file that fails to open: menu 128
// only, no option dialog; New asks nothing and brings back menu 129.
TEST_F(Navigation, WithoutADocumentWindowNeitherOptionDialogOpens)
{
    frame->DestroyActiveChild();
    EXPECT_FALSE(s.app->Documents()->OpenFile(s.folder.File("missing.dat")));
    ASSERT_EQ(frame->ActiveChild(), nullptr);
    EXPECT_EQ(frame->MenuBarMenus().size(), 3);
    for (int command : {Cmd::OptionalFeatures, Cmd::ProductInfo, Cmd::FileSave}) {
        EXPECT_FALSE(frame->Router().IsEnabled(command));
        EXPECT_FALSE(Modal([&] { frame->Router().Execute(command); }, kReject));
    }
    EXPECT_FALSE(Modal([&] { Click(Item(2)); }, kReject));
    EXPECT_FALSE(Modal([&] { Click(Item(0)); }, kReject));
    s.script.messages.clear();
    ASSERT_TRUE(Run(Cmd::FileNew));
    EXPECT_TRUE(s.script.messages.isEmpty());
    EXPECT_EQ(frame->MenuBarMenus().size(), 6);
    EXPECT_TRUE(frame->Router().IsEnabled(Cmd::FileSave));
}

} // namespace
