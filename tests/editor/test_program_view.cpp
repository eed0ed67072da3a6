// The channel view driven as a user drives it: clicks, typing, Enter, keys
// in the lists, F1, scrolling, and a save after typing. The commit rules themselves are
// those of test_cell_commit.
#include "ViewFixture.h"
#include "image/MemoryImage.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <functional>

using editortest::ViewFixture;

namespace {

const QStringList kNewChannel = {"145.01250", "145.01250", "None", "None", "High", "Lock", "Yes", ""};

// A rejected frequency keeps the row as it was and brings the typed text
// back in the editor of its cell, selected, whichever way the cell was
// left; leaving it again with the text still wrong asks again.
TEST_F(ViewFixture, RejectedFrequencyKeepsTheRowAndReopensTheEditor)
{
    Open();
    NewChannel(3, "145.0125");
    NewChannel(5, "145.0125");
    doc.SetModifiedFlag(false);
    const QString step = "Error data Value, please input according the step value(6.25K/5k).\n"
                         "Allowed channel steps: 2.5, 5 and 6.25 kHz";
    const QString range = "Out of range,please input again.\nBand: 130.00000 – 160.00000 MHz";
    const struct { int row, col; const char *typed; std::function<void()> leave; QString message; } cases[] = {
        {3, 1, "145.0010", [&] { Enter(); }, step},
        {3, 1, "170", [&] { Click(8, 4); }, range},
        {5, 2, "160.0025", [&] { Grid().SetRowCol(6, 2); }, range}, // moved by the program
        {12, 1, "abc", [&] { Enter(); }, range},                      // an empty row stays empty
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const QStringList before = GridRow(c.row);
        Click(c.row, c.col);
        Type(c.typed); // replaces the selected text
        messages.clear();
        for (int attempt = 0; attempt < 2; ++attempt) {
            attempt == 0 ? c.leave() : Click(9, 2);
            ASSERT_EQ(messages.size(), attempt + 1);
            EXPECT_EQ(messages.back(), c.message);
            EXPECT_EQ(GridRow(c.row), before);
            QLineEdit &editor = c.col == 1 ? view->EditRx() : view->EditTx();
            EXPECT_EQ(Cell(), QPoint(c.row, c.col));
            EXPECT_EQ(Focus(), &editor);
            EXPECT_EQ(editor.selectedText(), c.typed);
        }
        if (c.row != 12)
            Key(Qt::Key_Escape);
    }
    // Committed to the image by a save, it stays in its editor and the
    // save is told that the edit did not reach the image.
    EXPECT_FALSE(view->CommitToImage());
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(view->EditRx().text(), "abc");
    EXPECT_FALSE(doc.IsModified());
    // Corrected, it commits and moves on as usual.
    Type("145.0125");
    Enter();
    EXPECT_EQ(GridRow(12), kNewChannel);
    EXPECT_EQ(Cell(), QPoint(12, 2));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(view->CommitToImage());
}

TEST_F(ViewFixture, TypingANewChannelAndEnterWalkThroughTheColumnsAndRows)
{
    Open();
    EXPECT_EQ(QSize(Grid().Cols(), Grid().Rows()), QSize(9, 201));
    EXPECT_EQ(QStringList({Grid().TextMatrix(1, 0), Grid().TextMatrix(2, 0), Grid().TextMatrix(200, 0)}),
              QStringList({"Pr", "  1", "199"}));
    EXPECT_EQ(Focus(), &Grid());
    EXPECT_EQ(Cell(), QPoint(1, 1));
    Enter(); // straight from the grid: opens the first cell's neighbour
    EXPECT_EQ(Cell(), QPoint(1, 2));
    NewChannel(5, "145.0125");
    EXPECT_EQ(Focus(), &view->EditTx());
    // Each step's key or text, then the current cell; its editor has the focus.
    const struct { Qt::Key key; const char *text; QPoint cell; } walk[] = {
        {Qt::Key_Return, "", {5, 3}}, {Qt::Key_Return, "", {5, 4}}, {Qt::Key_Down, "", {5, 4}}, // None -> first tone
        {Qt::Key_Return, "", {5, 5}}, {Qt::Key_Down, "", {5, 5}},                                // High -> Middle
        {Qt::Key_Return, "", {5, 6}}, {Qt::Key_Return, "", {5, 7}}, {Qt::Key_Return, "", {5, 8}},
        {Qt::Key_unknown, "ab1cdef9", {5, 8}}, {Qt::Key_Return, "", {6, 1}},
    };
    for (const auto &w : walk) {
        *w.text ? Type(w.text) : Key(w.key);
        EXPECT_EQ(Cell(), w.cell) << w.key << w.text;
        EXPECT_EQ(Focus(), view->EditorForColumn()) << w.key << w.text;
    }
    EXPECT_EQ(GridRow(5), QStringList({"145.01250", "145.01250", "None", view->ToneList().at(1), "Middle", "Lock",
                                       "Yes", "AB1CDE"}));
    Grid().SetRowCol(200, 8);
    EXPECT_EQ(Focus(), &view->EditName());
    Enter();
    EXPECT_EQ(Cell(), QPoint(1, 1));
    EXPECT_TRUE(messages.empty());
}

// Each editor lies exactly over its cell, aligned as the cell's text; an
// opened list drops from the box's bottom left corner, at least as wide.
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
    Click(4, 3);
    CCellCombo &tones = view->ComboDecode();
    tones.showPopup();
    const QRect list = tones.view()->window()->geometry();
    EXPECT_EQ(list.topLeft(), tones.mapToGlobal(QPoint(0, tones.height())));
    EXPECT_GE(list.width(), tones.width());
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

// Enter through the cells of a row without typing changes nothing and
// leaves the document unmodified; Enter on the name cell of an untouched
// out-of-band channel read from the radio keeps it, and its name of 8
// characters is shown and kept whole (a typed one has at most 6).
TEST_F(ViewFixture, EnterWithoutTypingChangesNothing)
{
    Open();
    const uint8_t bytes[16] = {0x00, 0x00, 0x00, 0x45, 0x00, 0x00, 0x00, 0x45, // 450 MHz, outside 130-160
                               0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    std::copy(bytes, bytes + 16, doc.m_image.record(7));
    for (int i = 0; i < 8; ++i)
        doc.m_image.nameSlot(7)[i] = static_cast<uint8_t>(0x0A + i);
    view->RefreshFromImage();
    NewChannel(7, "145.0125");
    doc.SetModifiedFlag(false);
    for (int i = 0; i < 7; ++i)
        Enter();
    Key(Qt::Key_Escape);
    Grid().SetRowCol(8, 8);
    EXPECT_EQ(view->EditName().text(), "ABCDEFGH");
    Enter();
    EXPECT_EQ(Cell(), QPoint(9, 1));
    EXPECT_EQ(GridRow(7), kNewChannel);
    EXPECT_EQ(QStringList({GridRow(8)[0], GridRow(8)[7]}), QStringList({"450.00000", "ABCDEFGH"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(doc.IsModified());
}

// The open editor follows its cell when the grid scrolls, is hidden only
// while the cell is out of view, and its text is committed as usual.
TEST_F(ViewFixture, ScrollingKeepsTheTypedText)
{
    Open();
    NewChannel(3, "145.0125"); // the transmit cell's editor opens
    Type("146");
    QScrollBar *bar = Grid().verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // as by the wheel
    EXPECT_EQ(view->EditTx().geometry(), Grid().CellRect(3, 2));
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_TRUE(view->EditTx().isHidden());
    EXPECT_EQ(Focus(), &Grid());
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(Focus(), &view->EditTx());
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    Enter();
    EXPECT_EQ(GridRow(3)[1], "146.00000");
    EXPECT_EQ(Cell(), QPoint(3, 3));
    EXPECT_TRUE(messages.empty());
}

// A click on the bottom row while it is partly in view: the grid brings it
// fully into view a moment later, and what was typed meanwhile stays.
TEST_F(ViewFixture, ClickOnAPartlyVisibleRowKeepsTheTypedText)
{
    Open();
    const QRect area = Grid().viewport()->rect();
    int row = 1;
    while (row < 200 && area.contains(Grid().visualRect(Grid().model()->index(row - 1, 0))))
        ++row;
    QRect partial = Grid().visualRect(Grid().model()->index(row - 1, 0));
    if (partial.top() > area.bottom() - 4) { // rows fit exactly: show half a row more
        view->resize(view->width(), view->height() + partial.height() / 2);
        partial = Grid().visualRect(Grid().model()->index(row - 1, 0));
    }
    ASSERT_TRUE(Grid().viewport()->rect().intersects(partial));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(partial.center().x(), partial.top() + 2));
    ASSERT_EQ(Cell(), QPoint(row, 1));
    Type("147");
    QTRY_VERIFY_WITH_TIMEOUT(Grid().verticalScrollBar()->value() > 0, 10000);
    EXPECT_FALSE(view->EditRx().isHidden());
    EXPECT_EQ(view->EditRx().geometry(), Grid().CellRect(row, 1));
    Enter();
    EXPECT_EQ(GridRow(row)[0], "147.00000");

    Click(row, 2);
    Type("150");
    view->RefreshFromImage(); // a refresh drops it: the data is replaced
    EXPECT_TRUE(view->EditTx().isHidden());
    EXPECT_EQ(GridRow(row), QStringList(8));
}

// Escape closes the editor without a commit, also while it is scrolled away.
TEST_F(ViewFixture, EscapeRestoresTheCell)
{
    Open();
    NewChannel(2, "145.0125");
    doc.SetModifiedFlag(false);
    const struct { int col; std::function<void()> edit; } cases[] = {
        {1, [&] { Type("150"); }}, {5, [&] { Key(Qt::Key_Down); }}, {8, [&] { Type("ab"); }}};
    for (auto &c : cases) {
        Click(2, c.col);
        c.edit();
        Key(Qt::Key_Escape);
        EXPECT_EQ(Focus(), &Grid()) << c.col;
        Enter(); // nothing left to commit
        EXPECT_EQ(GridRow(2), kNewChannel) << c.col;
    }
    Click(2, 1);
    Type("150");
    Grid().verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QTest::keyClick(&Grid(), Qt::Key_Escape);
    Grid().verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_TRUE(view->EditRx().isHidden());
    EXPECT_FALSE(view->OnLeaveCell());
    EXPECT_EQ(GridRow(2), kNewChannel);
    EXPECT_FALSE(doc.IsModified());
}

// Typed with decimal commas, the last cell left open: the save commits it
// and writes these bytes. The name cell takes only what the radio stores:
// 0-9, A-Z, "-" and "_", letters raised as typed, at most 6.
TEST_F(ViewFixture, SaveAfterTypingWritesTheNewBytes)
{
    Open();
    corvane::MemoryImage expected = doc.m_image;
    NewChannel(1, "146,5125");
    Type("145,0125");
    for (int i = 0; i < 6; ++i)
        Enter();
    Type("a b.c-_9z");
    EXPECT_EQ(view->EditName().text(), "ABC-_9");
    view->EditName().clear();
    for (const char *c : {"a", "\xc3\x9f", "b", "\xc4\xb1", "1"}) { // sharp s, dotless i: refused
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(c));
        QApplication::sendEvent(&view->EditName(), &key);
    }
    view->EditName().insert("a b"); // pasted: refused as a whole
    EXPECT_EQ(view->EditName().text(), "AB1");
    EXPECT_TRUE(messages.empty());
    view->CommitToImage();
    const QString path = env->Path("out.dat");
    ASSERT_TRUE(doc.Save(path).ok());
    const uint8_t record[16] = {0x50, 0x12, 0x65, 0x14, 0x50, 0x12, 0x50, 0x14,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    std::copy(record, record + 16, expected.record(0));
    const uint8_t name[8] = {0x0A, 0x0B, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(name, name + 8, expected.nameSlot(0));
    EXPECT_EQ(testenv::TestEnv::ReadFile(path),
              QByteArray(reinterpret_cast<const char *>(expected.data()), corvane::kImageSize));
}

TEST_F(ViewFixture, ChineseInterface)
{
    Open("Chinese");
    NewChannel(1, "145.0125");
    EXPECT_EQ(GridRow(1), QStringList({"145.01250", "145.01250", "无", "无", "高", "锁定", "有", ""}));
    Type("1");
    Enter();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("超出范围，请重新输入。\n频段：130.00000 – 160.00000 MHz")});
    QTest::keyClick(&Grid(), Qt::Key_F1);
    EXPECT_EQ(help, QStringList({"chHelp.chm#1000"}));
}

} // namespace
