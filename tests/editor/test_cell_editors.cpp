// The in-cell editors: laid exactly over their cell and aligned as the
// cells are, the lists opened below them, and keys in a list.
#include "ViewFixture.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>

using editortest::ViewFixture;

namespace {

// The leftmost and rightmost columns of dark (text) pixels inside rect.
std::pair<int, int> InkColumns(const QImage &image, const QRect &rect)
{
    int left = rect.right(), right = rect.left();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

TEST_F(ViewFixture, EditorsCoverTheirCellExactlyAndAlignAsTheCells)
{
    Open();
    NewChannel(3, "145.0125");
    for (int col = 1; col <= 8; ++col) {
        Click(3, col);
        QWidget *editor = view->EditorForColumn();
        ASSERT_FALSE(editor->isHidden()) << col;
        EXPECT_EQ(editor->geometry(), Grid().CellRect(3, col)) << col;
        const auto *edit = qobject_cast<QLineEdit *>(editor);
        const Qt::Alignment aligned = edit ? edit->alignment() : static_cast<CCellCombo *>(editor)->TextAlignment();
        EXPECT_EQ(aligned, Qt::Alignment(Grid().item(2, col - 1)->textAlignment())) << col;
    }
    // The list draws its item centred in the field left of its arrow.
    Click(3, 5);
    CCellCombo &power = view->ComboPower();
    QStyleOptionComboBox opt;
    opt.initFrom(&power);
    opt.subControls = QStyle::SC_All;
    const QRect field = power.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &power);
    const auto [left, right] = InkColumns(power.grab().toImage(), field.adjusted(2, 2, -2, -2));
    ASSERT_LT(left, right);
    EXPECT_LE(std::abs((left - field.left()) - (field.right() - right)), 3)
        << left << ".." << right << " in " << field.left() << ".." << field.right();
    // An opened list drops from the box's bottom left corner, at least as
    // wide, and at most kListExtraHeight high, which the long tone list fills.
    Click(4, 3);
    CCellCombo &tones = view->ComboDecode();
    tones.showPopup();
    const QRect list = tones.view()->window()->geometry();
    EXPECT_EQ(list.topLeft(), tones.mapToGlobal(QPoint(0, tones.height())));
    EXPECT_GE(list.width(), tones.width());
    EXPECT_EQ(list.height(), CProgramView::kListExtraHeight);
    tones.hidePopup();
}

// All four arrow keys change a list's item; none moves the current cell.
// In the opened list, Return picks the highlighted item and moves on; F1
// asks the list's help (F1 on the grid: ChineseInterface).
TEST_F(ViewFixture, KeysInAListChangeItsItem)
{
    Open();
    NewChannel(3, "145.0125");
    Click(3, 5);
    const struct { Qt::Key key; const char *item; } steps[] = {{Qt::Key_Right, "Middle"}, {Qt::Key_Right, "Low"},
        {Qt::Key_Right, "Low"}, {Qt::Key_Left, "Middle"}, {Qt::Key_Up, "High"}, {Qt::Key_Left, "High"}, {Qt::Key_Down, "Middle"}};
    for (const auto &s : steps) {
        Key(s.key);
        EXPECT_EQ(view->ComboPower().currentText(), s.item) << s.key;
        EXPECT_EQ(Cell(), QPoint(3, 5)) << s.key;
    }
    Enter();
    EXPECT_EQ(GridRow(3)[4], "Middle");

    Click(3, 5);
    view->ComboPower().showPopup();
    QAbstractItemView *popup = view->ComboPower().view();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_F1, Qt::Key_Return})
        QTest::keyClick(popup, key);
    EXPECT_EQ(GridRow(3)[4], "Low");
    EXPECT_EQ(Cell(), QPoint(3, 6));
    EXPECT_EQ(help, QStringList({"enHelp.chm#1129"}));
}

} // namespace
