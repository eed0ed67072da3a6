// The navigation bar: tree clicks, the root selected again, the close
// button, and the resize strip with its tracker and limits.
#include "../app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/CNavigationBar.h"

#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

class Navigation : public ::testing::Test {
protected:
    explicit Navigation(const char *language = "English") : s(TestIni(language))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
        bar = frame->NavigationBar();
        tree = bar->Tree();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    QTreeWidgetItem *Item(int i) { return tree->topLevelItem(0)->child(i); }
    // A click: the pointer over the item, then the selection change.
    void Click(QTreeWidgetItem *item)
    {
        const QPoint at = tree->visualItemRect(item).center();
        QCursor::setPos(tree->viewport()->mapToGlobal(at));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    }
    void Count(int command, int *calls)
    {
        frame->Router().Set(command, {[calls] { ++*calls; }, {}, {}});
    }
    QAction *ControlBarEntry()
    {
        for (QAction *a : frame->DocumentMenu(3)->actions())
            if (a->data().toInt() == Cmd::ControlBar)
                return a;
        return nullptr;
    }

    StartedApp s;
    CMainFrame *frame = nullptr;
    CNavigationBar *bar = nullptr;
    QTreeWidget *tree = nullptr;
};

TEST_F(Navigation, EachItemRunsItsCommandOnceAndTheRootIsSelectedAgain)
{
    int options = 0, product = 0;
    Count(Cmd::OptionalFeatures, &options);
    Count(Cmd::ProductInfo, &product);
    Click(Item(2));
    EXPECT_EQ(options, 1);
    EXPECT_EQ(product, 0);
    // Same item again: a new change of selection, so it runs again.
    Click(Item(2));
    EXPECT_EQ(options, 2);
    Click(Item(0));
    EXPECT_EQ(product, 1);
    Click(tree->topLevelItem(0));
    EXPECT_EQ(options + product, 3);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    CChildFrame *child = frame->ActiveChild();
    child->close(); // hidden: "Channel Information" brings it back
    Click(Item(1));
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>{tree->topLevelItem(0)}) << "no highlight left behind";
}

TEST_F(Navigation, KeyboardSelectionAwayFromThePointerOnlySelectsTheRoot)
{
    int options = 0;
    Count(Cmd::OptionalFeatures, &options);
    QCursor::setPos(frame->mapToGlobal(QPoint(frame->width() - 5, frame->height() - 5)));
    tree->setCurrentItem(Item(2));
    EXPECT_EQ(options, 0);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
}

TEST_F(Navigation, CloseButtonHidesTheBarAndControlBarShowsIt)
{
    const QRect button = bar->CloseButtonRect();
    QHelpEvent tip(QEvent::ToolTip, button.center(), bar->mapToGlobal(button.center()));
    QApplication::sendEvent(bar, &tip);
    EXPECT_EQ(QToolTip::text(), "Close");

    const int width = bar->width();
    QTest::mouseClick(bar, Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(bar->isHidden());
    emit frame->DocumentMenu(3)->aboutToShow();
    EXPECT_FALSE(ControlBarEntry()->isChecked());
    ControlBarEntry()->trigger();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_TRUE(ControlBarEntry()->isChecked());
    EXPECT_EQ(bar->width(), width);
}

TEST_F(Navigation, PressingTheButtonAndReleasingElsewhereKeepsTheBar)
{
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->CloseButtonRect().center());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->CloseButtonRect().center() + QPoint(0, 40));
    EXPECT_FALSE(bar->isHidden());
}

TEST_F(Navigation, GeometryFollowsTheFixedInsets)
{
    EXPECT_EQ(bar->width(), CNavigationBar::kInitialWidth);
    EXPECT_EQ(bar->FrameRect(), bar->rect().adjusted(3, 6, -6, -49));
    EXPECT_EQ(bar->CloseButtonRect(), QRect(bar->width() - 6 - 20, 6 + 4, 16, 16));
    EXPECT_EQ(tree->geometry(), QRect(5, 31, bar->width() - 13, bar->height() - 82));
    EXPECT_EQ(tree->objectName(), "ctl1032");
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
    QTest::mouseMove(bar, QPoint(20, y));  // Qt drops a move to where the pointer already is
    EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(bar, strip);
    EXPECT_EQ(bar->cursor().shape(), Qt::BitmapCursor);
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
                                           Drag{-1, -1, -1, -1}),
                         [](const auto &info) { return "Drag" + std::to_string(info.index); });

TEST_F(Navigation, ElsewhereOnTheBarPressesAndDoubleClicksDoNothing)
{
    const QPoint inside(bar->width() / 2, 15);
    QTest::mousePress(bar, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(bar->IsResizing());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, inside + QPoint(60, 0));
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(bar->ResizeStrip().center().x(), 100));
    EXPECT_EQ(bar->width(), CNavigationBar::kInitialWidth);
    EXPECT_FALSE(bar->isHidden());
}

class ChineseNavigation : public Navigation {
protected:
    ChineseNavigation() : Navigation("Chinese") {}
};

TEST_F(ChineseNavigation, ChineseItemsNavigateToo)
{
    EXPECT_EQ(Item(1)->text(0), QString::fromUtf8("信道信息"));
    int options = 0;
    Count(Cmd::OptionalFeatures, &options);
    Click(Item(2));
    EXPECT_EQ(options, 1);
    CChildFrame *child = frame->ActiveChild();
    child->close();
    Click(Item(1));
    EXPECT_TRUE(child->isVisible());
}

} // namespace
