// The Edit and CSV commands of the main window as a user reaches them:
// Ctrl+Z and Ctrl+Y after typing, the row commands and their states while
// an editor is open, File > Import CSV... and Export CSV..., and a
// completed read clearing the history.
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "image/CProgramDoc.h"
#include "image/CommonCsv.h"
#include "image/CsvImport.h"

#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QToolBar>

namespace {

class EditCommandsTest : public ::testing::Test {
protected:
    EditCommandsTest() : s(TestIni("English"))
    {
        EXPECT_TRUE(s.started);
        frame = s.app->MainFrame();
        child = frame->ActiveChild();
        view = child->GetView();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame));
    }
    QWidget *Focus() { return QApplication::focusWidget(); }
    void Key(int key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(Focus(), Qt::Key(key), mods); }
    void ClickCell(int row, int col)
    {
        CMSFlexGrid &g = view->Grid();
        g.scrollTo(g.model()->index(row - 1, col - 1));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(row - 1, col - 1)).center());
    }
    void ClickLabel(int row)
    {
        QHeaderView *labels = view->Grid().verticalHeader();
        view->Grid().scrollTo(view->Grid().model()->index(row - 1, 0));
        const int y = labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2;
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, QPoint(labels->width() / 2, y));
    }
    QString Cell(int row, int col) { return view->Grid().TextMatrix(row, col); }
    bool Enabled(int command) { return frame->Router().IsEnabled(command); }

    StartedApp s;
    CMainFrame *frame = nullptr;
    CChildFrame *child = nullptr;
    CProgramView *view = nullptr;
};

TEST_F(EditCommandsTest, CtrlZEmptiesATypedRowAndCtrlYBringsItBack)
{
    QToolBar *bar = frame->ToolBar();
    QAction *undoButton = bar->actions().at(4);
    ASSERT_EQ(undoButton->data().toInt(), Cmd::EditUndo);
    EXPECT_FALSE(undoButton->isEnabled());

    ClickCell(3, 1);
    QTest::keyClicks(Focus(), "145.0125");
    Key(Qt::Key_Return);
    ASSERT_EQ(Cell(3, 2), "145.01250");
    ASSERT_EQ(Focus(), &view->EditTx()) << "Enter opened the next cell";
    EXPECT_TRUE(child->windowTitle().endsWith("*"));
    EXPECT_TRUE(undoButton->isEnabled()) << "the toolbar follows the history at once";

    Key(Qt::Key_Z, Qt::ControlModifier); // the editor holds the cell's text: the window's Undo
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_FALSE(child->windowTitle().endsWith("*"));
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Cell(3, 1), "145.01250");
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(frame->Router().IsEnabled(Cmd::EditUndo));
    EXPECT_FALSE(frame->Router().IsEnabled(Cmd::EditRedo));

    // Typed text in an editor has its own undo first.
    ClickCell(3, 1);
    QTest::keyClicks(Focus(), "146");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->EditRx().text(), "145.01250");
    EXPECT_FALSE(view->EditRx().isHidden());
    EXPECT_EQ(Cell(3, 1), "145.01250");
    EXPECT_TRUE(s.script.messages.isEmpty());
}

TEST_F(EditCommandsTest, RowCommandsWaitForTheEditorToClose)
{
    ClickCell(2, 1);
    QTest::keyClicks(Focus(), "145");
    Key(Qt::Key_Return);
    for (int command : {Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditClear})
        EXPECT_FALSE(Enabled(command)) << command;
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Enabled(Cmd::EditPaste));
    EXPECT_FALSE(Enabled(Cmd::EditCopy)) << "no row selected";
    ClickLabel(2);
    EXPECT_TRUE(Enabled(Cmd::EditCopy));

    Key(Qt::Key_C, Qt::ControlModifier);
    ClickLabel(9);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(9, 1), "145.00000");
    ClickLabel(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Cell(2, 1), "");
    frame->Router().Execute(Cmd::EditUndo);
    EXPECT_EQ(Cell(2, 1), "145.00000");

    // A paste the rules refuse lists its problems once and changes nothing.
    QApplication::clipboard()->setText("180\t\t\t\t\t\t\t\n");
    ClickLabel(20);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_EQ(s.script.messages[0], "Nothing was pasted, and nothing was changed:\n"
                                    "row 19, column Rx Frequency: Out of range,please input again. "
                                    "Band: 136.00000 – 174.00000 MHz");
    EXPECT_EQ(Cell(20, 1), "");
}

TEST_F(EditCommandsTest, ImportFromTheFileMenuIsOneStepAndARefusalChangesNothing)
{
    const QString good = s.folder.File("plan.csv");
    s.folder.Write("plan.csv", "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\n"
                               "0,home,146.52,,,,\n5,rpt,145.6,-,0.6,Tone,88.5\n");
    s.script.fileNames = {good};
    frame->Router().Execute(Cmd::ImportCsv);
    EXPECT_EQ(Cell(1, 8), "HOME");
    EXPECT_EQ(Cell(6, 2), "145.00000");
    EXPECT_EQ(Cell(6, 4), "88.5");
    EXPECT_EQ(frame->MessagePane()->text(),
              "\"" + QDir::toNativeSeparators(good) + "\" imported: 2 rows changed. Edit > Undo takes it back.");
    EXPECT_TRUE(child->GetDocument().IsModified());
    frame->Router().Execute(Cmd::EditUndo);
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Cell(6, 1), "");
    EXPECT_FALSE(child->GetDocument().IsModified());

    s.folder.Write("bad.csv", "Location,Frequency,Tone,rToneFreq\n1,145,Tone,69.0\n2,190,,\n");
    s.folder.Write("latin.csv", "Location,Frequency\n1,\xff\n");
    s.script.fileNames = {s.folder.File("bad.csv"), s.folder.File("latin.csv"), s.folder.File("missing.csv")};
    for (int i = 0; i < 3; ++i)
        frame->Router().Execute(Cmd::ImportCsv);
    ASSERT_EQ(s.script.messages.size(), 3);
    EXPECT_EQ(s.script.messages[0], "\"" + QDir::toNativeSeparators(s.folder.File("bad.csv")) +
                                        "\" was not imported, and nothing was changed:\n"
                                        "Location 1, column rToneFreq: \"69.0\" is not a CTCSS tone of the list\n"
                                        "Location 2, column Frequency: Out of range,please input again. "
                                        "Band: 136.00000 – 174.00000 MHz");
    EXPECT_TRUE(s.script.messages[1].endsWith("latin.csv: not UTF-8 text"));
    EXPECT_TRUE(s.script.messages[2].startsWith("Cannot read the file"));
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_TRUE(Enabled(Cmd::EditRedo)) << "no step was recorded";
}

TEST_F(EditCommandsTest, ExportWritesEitherLayoutAndAsksBeforeReplacing)
{
    ClickCell(2, 1);
    QTest::keyClicks(Focus(), "145.0125"); // left open: the export commits it
    s.script.fileNames = {s.folder.File("out")};
    s.script.filterChoices = {1};
    frame->Router().Execute(Cmd::ExportCsv);
    EXPECT_TRUE(s.script.proposedNames.value(0).endsWith("/CorvaneTest.csv")) << "named as Save would name it";
    const QByteArray common = s.folder.Read("out.csv");
    EXPECT_EQ(common, corvane::ChannelTableCommonCsv(view->Table()).toUtf8());
    EXPECT_TRUE(common.contains("\n1,,145.012500,,0.000000,"));

    // The same name again: asked, and No leaves the file.
    s.script.fileNames = {s.folder.File("out")};
    s.script.answers = {QMessageBox::No};
    frame->Router().Execute(Cmd::ExportCsv);
    EXPECT_EQ(s.script.messages.value(0), "\"" + QDir::toNativeSeparators(s.folder.File("out.csv")) +
                                              "\" already exists. Do you want to replace it?");
    EXPECT_EQ(s.folder.Read("out.csv"), common);

    s.script.fileNames = {s.folder.File("table.csv")};
    s.script.filterChoices = {0};
    frame->Router().Execute(Cmd::ExportCsv);
    EXPECT_EQ(s.folder.Read("table.csv"), corvane::ChannelTableCsv(view->Table(), false).toUtf8());
}

TEST_F(EditCommandsTest, ACompletedReadClearsTheHistory)
{
    ClickCell(2, 1);
    QTest::keyClicks(Focus(), "145");
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    ASSERT_TRUE(Enabled(Cmd::EditUndo));
    // What a completed read does to the document and its view.
    child->GetDocument().m_image = corvane::MemoryImage::newImage();
    s.state.newDocument = false;
    view->RefreshFromImage();
    child->GetDocument().SetModifiedFlag(true);
    EXPECT_FALSE(Enabled(Cmd::EditUndo));
    EXPECT_TRUE(child->windowTitle().endsWith("*"));
}

} // namespace
