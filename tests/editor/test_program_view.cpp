// The channel view driven as a user drives it: clicks, typing, Enter, F1,
// scrolling, and a save after typing.
#include "ViewFixture.h"
#include "image/MemoryImage.h"
#include "image/Texts.h"

#include <QAbstractItemView>
#include <QDir>
#include <QMdiSubWindow>
#include <QHeaderView>
#include <QScrollBar>

using editortest::ViewFixture;

namespace {

const QStringList kNewChannel = {"145.01250", "145.01250", "None", "None", "High", "Lock", "Yes", ""};
const QStringList kEmptyRow(8);

TEST_F(ViewFixture, NewViewShowsTheGridReadyForTyping)
{
    Open();
    EXPECT_EQ(Grid().Rows(), 201);
    EXPECT_EQ(Grid().Cols(), 9);
    const QStringList headings = {"CH", "Rx Frequency", "Tx Frequency", "QT/DQT Dec", "QT/DQT Enc",
                                  "Power", "Cha Lock", "Scan Add", "Cha Name"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(Grid().TextMatrix(0, c), headings[c]);
    EXPECT_EQ(Grid().TextMatrix(1, 0), "Pr");
    EXPECT_EQ(Grid().TextMatrix(2, 0), "  1");
    EXPECT_EQ(Grid().TextMatrix(200, 0), "199");
    EXPECT_EQ(GridRow(1), kEmptyRow);
    EXPECT_EQ(Grid().horizontalHeaderItem(0)->foreground().color(), QColor(0, 50, 240));

    const int w = Grid().horizontalHeader()->defaultSectionSize() * 1440 / Grid().logicalDpiX();
    const int expected[9] = {int(w * 0.5), int(w * 1.3), int(w * 1.3), int(w * 1.1), int(w * 1.1), w, w, w, w};
    for (int c = 0; c < 9; ++c)
        EXPECT_NEAR(Grid().ColWidth(c), expected[c], 15) << "column " << c; // one pixel

    EXPECT_EQ(view->m_nBandLow, 13000000);
    EXPECT_EQ(view->m_nBandHigh, 16000000);
    EXPECT_EQ(env->app.caption, "Test Programmer");
    EXPECT_EQ(Focus(), &Grid());
    EXPECT_EQ(Cell(), QPoint(1, 1));
    for (QWidget *e : Grid().findChildren<QWidget *>()) {
        if (e->property("controlId").isValid()) {
            EXPECT_TRUE(e->isHidden());
        }
    }

    // A second initial update refills the cells only.
    view->OnInitialUpdate();
    EXPECT_EQ(Grid().TextMatrix(0, 1), "Rx Frequency");
    EXPECT_NEAR(Grid().ColWidth(0), expected[0], 15);
}

TEST_F(ViewFixture, TypingAFrequencyIntoAnEmptyRowCreatesAChannel)
{
    Open();
    Enter(); // straight from the grid: opens the first cell's neighbour
    EXPECT_EQ(Cell(), QPoint(1, 2));
    NewChannel(4, "145.0125");
    EXPECT_EQ(GridRow(4), kNewChannel);
    EXPECT_EQ(view->Table().cell(4, 1), "145.01250");
    EXPECT_EQ(Cell(), QPoint(4, 2));
    EXPECT_EQ(Focus(), &view->EditTx());
    EXPECT_EQ(view->EditTx().text(), "145.01250");
    EXPECT_TRUE(messages.empty());

    // Committing again with the editor hidden does nothing.
    view->EditTx().setText("150");
    view->EditTx().hide();
    EXPECT_FALSE(view->OnLeaveCell());
    EXPECT_EQ(GridRow(4), kNewChannel);
}

TEST_F(ViewFixture, RejectedFrequenciesShowTheMessageFirstAndStay)
{
    Open();
    NewChannel(3, "145.0125");
    Click(3, 1);
    Type("145.0010"); // off the raster; replaces the selected text
    Enter();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Caution");
    EXPECT_EQ(messages[0].text, "Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_EQ(messages[0].rowAtMessage, kNewChannel); // before the cells change
    EXPECT_EQ(GridRow(3), kEmptyRow);
    EXPECT_EQ(Cell(), QPoint(3, 1));
    EXPECT_TRUE(view->EditRx().isHidden());
    EXPECT_EQ(Focus(), &Grid());

    NewChannel(5, "145.0125");
    Type("160.0025"); // transmit cell, above the band
    Enter();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Out of range,please input again.");
    EXPECT_EQ(GridRow(5), QStringList({"145.01250", "", "None", "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(Cell(), QPoint(5, 2));
}

TEST_F(ViewFixture, EditsOfAnExistingChannel)
{
    Open();
    NewChannel(2, "145.0125");
    Click(2, 1);
    Type("136.00625");
    Enter();
    EXPECT_EQ(GridRow(2), QStringList({"136.00625", "145.01250", "None", "None", "High", "Lock", "Yes", ""}));

    Click(2, 1);
    QTest::keyClick(Focus(), Qt::Key_Backspace); // empties the selected text
    Enter();
    EXPECT_EQ(GridRow(2), kEmptyRow);
    EXPECT_TRUE(messages.empty());

    // Cells of an empty channel stay empty.
    Click(7, 8);
    Type("abc");
    Click(7, 5);
    EXPECT_EQ(GridRow(7), kEmptyRow);
}

TEST_F(ViewFixture, EnterWalksThroughTheColumnsAndRows)
{
    Open();
    NewChannel(5, "145.0125");
    Enter();
    EXPECT_EQ(Focus(), &view->ComboDecode());
    Enter(); // decode tone committed, encode tone list open on the same row
    EXPECT_EQ(Cell(), QPoint(5, 4));
    EXPECT_EQ(Focus(), &view->ComboEncode());
    QTest::keyClick(Focus(), Qt::Key_Down); // "None" -> first tone
    Enter();
    EXPECT_EQ(GridRow(5)[3], view->ToneList().at(1));
    QTest::keyClick(Focus(), Qt::Key_Down); // High -> Middle
    Enter();
    Enter();
    Enter();
    EXPECT_EQ(Cell(), QPoint(5, 8));
    Type("ab1cdef9");
    EXPECT_EQ(view->EditName().text(), "AB1CDE");
    Enter();
    EXPECT_EQ(Cell(), QPoint(6, 1));
    EXPECT_EQ(Focus(), &view->EditRx());
    EXPECT_EQ(GridRow(5)[4], "Middle");
    EXPECT_EQ(GridRow(5)[7], "AB1CDE");

    Grid().SetRowCol(200, 8);
    EXPECT_EQ(Focus(), &view->EditName());
    Enter();
    EXPECT_EQ(Cell(), QPoint(1, 1));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ViewFixture, EnterPastAnUntouchedOutOfBandChannelKeepsIt)
{
    Open();
    uint8_t *rec = doc.m_image.record(7); // row 8: 450 MHz, outside 130-160
    const uint8_t bytes[16] = {0x00, 0x00, 0x00, 0x45, 0x00, 0x00, 0x00, 0x45,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    std::copy(bytes, bytes + 16, rec);
    view->RefreshFromImage();
    Grid().SetRowCol(8, 8);
    Enter();
    EXPECT_EQ(Cell(), QPoint(9, 1));
    EXPECT_EQ(GridRow(8)[0], "450.00000");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ViewFixture, ListsOpenOnTheCellsItemAndPlaceOverTheCell)
{
    Open();
    NewChannel(2, "145.0125");
    Click(2, 5);
    CCellCombo &power = view->ComboPower();
    EXPECT_EQ(power.currentText(), "High");
    const QRect cell = Grid().CellRect(2, 5);
    EXPECT_EQ(power.geometry(), QRect(cell.topLeft() - QPoint(3, 3), cell.size()));
    power.showPopup();
    QAbstractItemView *popupList = power.view();
    EXPECT_LE(popupList->window()->height(), CProgramView::kListExtraHeight);
    EXPECT_EQ(popupList->window()->y(), power.mapToGlobal(QPoint(0, power.height())).y());
    QTest::keyClick(popupList, Qt::Key_Down);
    QTest::keyClick(popupList, Qt::Key_Down);
    QTest::keyClick(popupList, Qt::Key_F1);
    QTest::keyClick(popupList, Qt::Key_Return); // picks the highlighted item, moves on
    EXPECT_EQ(GridRow(2)[4], "Low");
    EXPECT_EQ(Cell(), QPoint(2, 6));

    Click(2, 2);
    const QRect tx = Grid().CellRect(2, 2);
    EXPECT_EQ(view->EditTx().geometry(), QRect(tx.topLeft() - QPoint(3, 3), tx.size()));
    Click(9, 3); // empty tone cell
    EXPECT_EQ(view->ComboDecode().currentText(), "None");
    EXPECT_EQ(view->ComboDecode().count(), 261);
    view->ComboDecode().showPopup();
    EXPECT_EQ(view->ComboDecode().view()->window()->height(), CProgramView::kListExtraHeight);
    view->ComboDecode().hidePopup();
    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_F1);
    EXPECT_EQ(help, QStringList({"enHelp.chm#1129", "enHelp.chm#1000"}));
}

TEST_F(ViewFixture, ScrollingDropsTheTypedText)
{
    Open();
    NewChannel(1, "145.0125");
    Click(1, 1);
    Type("150");
    Grid().verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_TRUE(view->EditRx().isHidden());
    Enter(); // moves only
    EXPECT_EQ(GridRow(1), kNewChannel);
    EXPECT_EQ(Cell(), QPoint(1, 2));

    Grid().verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    Click(1, 2);
    Click(1, 2); // the current cell again: its editor shows the cell's text
    EXPECT_FALSE(view->EditTx().isHidden());
    EXPECT_EQ(view->EditTx().text(), "145.01250");

    Type("150");
    view->RefreshFromImage(); // a refresh also drops it
    EXPECT_TRUE(view->EditTx().isHidden());
    EXPECT_EQ(GridRow(1), kEmptyRow);
}

TEST_F(ViewFixture, SaveAfterTypingWritesTheNewBytes)
{
    Open();
    corvane::MemoryImage expected = doc.m_image;
    NewChannel(1, "145.0125");
    for (int i = 0; i < 6; ++i)
        Enter();
    Type("ab1"); // left open: the save commits it
    view->CommitToImage();
    const QString path = env->Path("out.dat");
    ASSERT_TRUE(doc.Save(path).ok());

    const uint8_t record[16] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    std::copy(record, record + 16, expected.record(0));
    const uint8_t name[8] = {0x0A, 0x0B, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(name, name + 8, expected.nameSlot(0));
    const QByteArray saved = testenv::TestEnv::ReadFile(path);
    ASSERT_EQ(saved.size(), corvane::kImageSize);
    EXPECT_EQ(saved, QByteArray(reinterpret_cast<const char *>(expected.data()), corvane::kImageSize));
}

TEST_F(ViewFixture, TitleIconOfTheCurrentFolderBecomesTheFramesIcon)
{
    Open();
    QMdiSubWindow frame;
    view->setParent(&frame);
    const QString old = QDir::currentPath();
    QDir::setCurrent(env->Path(QString()));
    view->OnInitialUpdate(); // no file: the frame keeps no icon
    EXPECT_TRUE(frame.windowIcon().isNull());
    QImage ico(32, 32, QImage::Format_ARGB32);
    ico.fill(Qt::red);
    ASSERT_TRUE(ico.save(QStringLiteral("title.ico"), "ICO"));
    view->OnInitialUpdate();
    QDir::setCurrent(old);
    EXPECT_FALSE(frame.windowIcon().isNull());
    view->setParent(nullptr);
}

TEST_F(ViewFixture, ChineseInterface)
{
    Open("Chinese");
    EXPECT_EQ(Grid().TextMatrix(0, 0), "信道");
    EXPECT_EQ(Grid().TextMatrix(0, 8), "信道名字");
    EXPECT_EQ(view->ComboPower().itemText(1), "中");
    EXPECT_EQ(view->ComboLock().itemText(1), "未锁定");
    EXPECT_EQ(view->ComboDecode().itemText(0), "无");
    NewChannel(1, "145.0125");
    EXPECT_EQ(GridRow(1), QStringList({"145.01250", "145.01250", "无", "无", "高", "锁定", "有", ""}));
    Type("1");
    Enter();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, env->app.bundle.String(61458));
    EXPECT_EQ(messages[0].text, env->app.bundle.String(61448));
    EXPECT_FALSE(messages[0].text.isEmpty());
    QTest::keyClick(&Grid(), Qt::Key_F1);
    EXPECT_EQ(help, QStringList({"chHelp.chm#1000"}));
}

} // namespace
