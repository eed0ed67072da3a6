// The Edit and CSV commands of the main window as a user reaches them: the
// undo keys after typing, the row commands and their states while an editor
// is open, and File > Import CSV... and Export CSV...
#include "GuiTestSupport.h"

#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "frame/CChildFrame.h"
#include "image/CProgramDoc.h"
#include "image/CommonCsv.h"
#include "image/CsvImport.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace {

class EditCommandsTest : public AppFixture {
protected:
    EditCommandsTest() { EXPECT_TRUE(QTest::qWaitForWindowActive(frame)); }
    QWidget *Focus() { return QApplication::focusWidget(); }
    void Key(int key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(Focus(), Qt::Key(key), mods); }
    // Clicks the cell, types `text` and, unless empty, presses `then`.
    void Type(int row, const QString &text, int then = Qt::Key_Return)
    {
        CMSFlexGrid &g = view->Grid();
        g.scrollTo(g.model()->index(row - 1, 0));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(row - 1, 0)).center());
        QTest::keyClicks(Focus(), text);
        if (then)
            Key(then);
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

    CChildFrame *child = frame->ActiveChild();
    CProgramView *view = child->GetView();
};

TEST_F(EditCommandsTest, CtrlZEmptiesATypedRowAndCtrlYBringsItBack)
{
    QAction *undoButton = frame->ToolBar()->actions().at(4);
    ASSERT_EQ(undoButton->data().toInt(), Cmd::EditUndo);
    EXPECT_FALSE(undoButton->isEnabled());
    Type(3, "145.0125");
    ASSERT_EQ(Focus(), &view->EditTx()) << "Enter opened the next cell";
    EXPECT_TRUE(undoButton->isEnabled()) << "the toolbar follows the history at once";

    Key(Qt::Key_Z, Qt::ControlModifier); // the editor holds the cell's text: the window's Undo
    EXPECT_EQ(Cell(3, 1), "");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Cell(3, 1), "145.01250");

    // Typed text in an editor has its own undo first.
    Type(3, "146", 0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->EditRx().text(), "145.01250");
    EXPECT_FALSE(view->EditRx().isHidden());
    EXPECT_EQ(Cell(3, 1), "145.01250");
    EXPECT_TRUE(s.script.messages.isEmpty());
}

TEST_F(EditCommandsTest, RowCommandsWaitForTheEditorToClose)
{
    Type(2, "145");
    for (int command : {Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditClear})
        EXPECT_FALSE(Enabled(command)) << command;
    Key(Qt::Key_Escape);
    ClickLabel(2);

    Key(Qt::Key_C, Qt::ControlModifier);
    ClickLabel(9);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(9, 1), "145.00000");
    ClickLabel(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Cell(2, 1), "");

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
    Run(Cmd::ImportCsv);
    EXPECT_EQ(Cell(1, 8), "HOME");
    EXPECT_EQ(frame->MessagePane()->text(),
              "\"" + QDir::toNativeSeparators(good) + "\" imported: 2 rows changed. Edit > Undo takes it back.");
    EXPECT_TRUE(child->GetDocument().IsModified());
    Run(Cmd::EditUndo);
    EXPECT_EQ(Cell(6, 1), "");

    s.folder.Write("bad.csv", "Location,Frequency,Tone,rToneFreq\n1,145,Tone,69.0\n2,190,,\n");
    s.script.fileNames = {s.folder.File("bad.csv")};
    Run(Cmd::ImportCsv);
    ASSERT_EQ(s.script.messages.size(), 1);
    EXPECT_TRUE(s.script.messages[0].startsWith("\"" + QDir::toNativeSeparators(s.folder.File("bad.csv")) +
                                                "\" was not imported, and nothing was changed:\nLocation 1"));
    EXPECT_TRUE(s.script.messages[0].contains("\nLocation 2, column Frequency: Out of range"));
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_TRUE(Enabled(Cmd::EditRedo)) << "no step was recorded";
}

TEST_F(EditCommandsTest, ExportWritesEitherLayoutAndAsksBeforeReplacing)
{
    Type(2, "145.0125", 0); // left open: the export commits it
    s.script.fileNames = {s.folder.File("out")};
    s.script.filterChoices = {1};
    Run(Cmd::ExportCsv);
    EXPECT_TRUE(s.script.proposedNames.value(0).endsWith("/CorvaneTest.csv")) << "named as Save would name it";
    const QByteArray common = s.folder.Read("out.csv");
    EXPECT_EQ(common, corvane::ChannelTableCommonCsv(view->Table()).toUtf8());
    EXPECT_TRUE(common.contains("\n1,,145.012500,,0.000000,"));

    s.script.fileNames = {s.folder.File("out")};
    s.script.answers = {QMessageBox::No};
    Run(Cmd::ExportCsv);
    EXPECT_EQ(s.script.messages.value(0), "\"" + QDir::toNativeSeparators(s.folder.File("out.csv")) +
                                              "\" already exists. Do you want to replace it?");
    EXPECT_EQ(s.folder.Read("out.csv"), common);

    s.script.fileNames = {s.folder.File("table.csv")};
    s.script.filterChoices = {0};
    Run(Cmd::ExportCsv);
    EXPECT_EQ(s.folder.Read("table.csv"), corvane::ChannelTableCsv(view->Table(), false).toUtf8());
}

} // namespace
