// The navigation bar: tree clicks, the root selected again, the close
// button, and the resize strip with its tracker and limits.
#include "../app/GuiTestSupport.h"

#include "app/CommandIds.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "frame/CNavigationBar.h"

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

class Navigation : public AppFixture {
protected:
    explicit Navigation(const char *language = "English") : AppFixture(language)
    {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    QTreeWidgetItem *Item(int i) { return tree->topLevelItem(0)->child(i); }
    void Click(QTreeWidgetItem *item) { ClickItem(tree, item); }
    void Count(int command, int *calls) { frame->Router().Set(command, {[calls] { ++*calls; }, {}, {}}); }
    // Options and Product each count their runs; Channel Information shows
    // the hidden document window.
    void ItemsNavigate()
    {
        int options = 0, product = 0;
        Count(Cmd::OptionalFeatures, &options);
        Count(Cmd::ProductInfo, &product);
        Click(Item(2));
        EXPECT_EQ(options, 1);
        EXPECT_EQ(product, 0);
        Click(Item(2)); // the same item again: a new change of selection
        EXPECT_EQ(options, 2);
        Click(Item(0));
        EXPECT_EQ(product, 1);
        Click(tree->topLevelItem(0));
        EXPECT_EQ(options + product, 3);
        EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
        CChildFrame *child = frame->ActiveChild();
        child->close();
        Click(Item(1));
        EXPECT_TRUE(child->isVisible());
        EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>{tree->topLevelItem(0)}) << "no highlight left behind";
    }

    CNavigationBar *bar = frame->NavigationBar();
    QTreeWidget *tree = bar->Tree();
};

TEST_F(Navigation, EachItemRunsItsCommandOnceAndTheRootIsSelectedAgain)
{
    ItemsNavigate();
}

class ChineseNavigation : public Navigation {
protected:
    ChineseNavigation() : Navigation("Chinese") {}
};

TEST_F(ChineseNavigation, ChineseItemsNavigateToo)
{
    ItemsNavigate();
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

// The close button, with its tip, hides the bar on a click, not on a
// press released elsewhere, and clears the Control Bar check mark.
TEST_F(Navigation, CloseButtonHidesTheBar)
{
    const QRect button = bar->CloseButtonRect();
    QHelpEvent tip(QEvent::ToolTip, button.center(), bar->mapToGlobal(button.center()));
    QApplication::sendEvent(bar, &tip);
    EXPECT_EQ(QToolTip::text(), "Close");
    QTest::mousePress(bar, Qt::LeftButton, {}, button.center());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, button.center() + QPoint(0, 40));
    EXPECT_FALSE(bar->isHidden());
    QTest::mouseClick(bar, Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(bar->isHidden());
    emit frame->DocumentMenu(3)->aboutToShow();
    EXPECT_FALSE(MenuAction(frame, 3, Cmd::ControlBar)->isChecked());
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

} // namespace
