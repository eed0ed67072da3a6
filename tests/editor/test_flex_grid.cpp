// The grid control's model and events, driven by code, keys and the mouse.
#include "app/GuiTestSupport.h"
#include "editor/CMSFlexGrid.h"

#include <QHeaderView>

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetRows(51);
        grid.SetCols(5);
        grid.resize(500, 300);
        grid.show();
        grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
        // Every event with the current cell as the grid reports it then.
        auto cell = [this] { return QStringLiteral("%1,%2").arg(grid.Row()).arg(grid.Col()); };
        QObject::connect(&grid, &CMSFlexGrid::LeaveCell, [this, cell] { events << "Leave " + cell(); });
        QObject::connect(&grid, &CMSFlexGrid::EnterCell, [this, cell] { events << "Enter " + cell(); });
        QObject::connect(&grid, &CMSFlexGrid::MouseDown, [this, cell](int b, int, int, int) {
            events << QStringLiteral("Mouse%1 ").arg(b) + cell();
        });
    }
    QPoint Centre(int row, int col) { return grid.visualRect(grid.model()->index(row - 1, col - 1)).center(); }

    CMSFlexGrid grid;
    QStringList events;
};

TEST_F(FlexGridTest, EveryChangeOfTheCurrentCellLeavesTheOldOneFirst)
{
    grid.SetCol(3);
    grid.SetRow(4);
    grid.SetRowCol(4, 3); // already current: nothing
    grid.SetRowCol(2, 1);
    grid.SetRow(0); // fixed row, ignored
    grid.SetCol(5); // past the last column, ignored
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClicks(&grid, "1a"); // typing never moves the current cell
    grid.SetTextMatrix(99, 99, "x"); // outside the grid: ignored
    EXPECT_EQ(events, QStringList({"Leave 1,1", "Enter 1,3", "Leave 1,3", "Enter 4,3", "Leave 4,3", "Enter 2,1",
                                   "Leave 2,1", "Enter 3,1", "Leave 3,1", "Enter 3,2"}));
}

TEST_F(FlexGridTest, MouseDownFollowsEveryPressAlsoOnTheCurrentCell)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(3, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(3, 2));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(events, QStringList({"Leave 1,1", "Enter 3,2", "Mouse1 3,2", "Mouse1 3,2", "Mouse1 3,2"}));
}

} // namespace
