// The view's undo history and its row clipboard: every kind of step walked
// back and forth over whole images, the modified state through saves and
// reads, row selection by the labels, and rows moved between two views.
#include "ViewFixture.h"
#include "editor/RowClipboard.h"
#include "image/ChannelRow.h"
#include "image/ImagePasses.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>

using editortest::ViewFixture;
using namespace corvane;

namespace {

// 146.00000 with unused bits of byte 12 and bytes 13-15 set; a name slot
// with bytes after its end mark.
const uint8_t kHiddenRecord[16] = {0x00, 0x00, 0x60, 0x14, 0x00, 0x00, 0x60, 0x14,
                                   0xFF, 0xFF, 0x85, 0x08, 0xEF, 0x13, 0x57, 0x9B};
const uint8_t kHiddenName[8] = {0x0A, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};

class History : public ViewFixture {
protected:
    // The grid's texts and the bytes a save would write.
    using Snapshot = std::pair<QList<QStringList>, MemoryImage>;
    Snapshot Take()
    {
        Snapshot s{{}, doc.m_image};
        for (int r = 1; r <= kChannelCount; ++r)
            s.first << GridRow(r);
        CommitToImage(view->Table(), s.second);
        return s;
    }
    void LoadHiddenChannel(int gridRow)
    {
        std::copy(kHiddenRecord, kHiddenRecord + 16, doc.m_image.record(gridRow - 1));
        std::copy(kHiddenName, kHiddenName + 8, doc.m_image.nameSlot(gridRow - 1));
        view->RefreshFromImage();
    }
    void ClickLabel(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QHeaderView *labels = Grid().verticalHeader();
        Grid().scrollTo(Grid().model()->index(row - 1, 0));
        const int y = labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2;
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, modifiers, QPoint(labels->width() / 2, y));
    }
};

TEST_F(History, UndoAndRedoWalkEveryKindOfStepBackAndForthOverWholeImages)
{
    Open();
    LoadHiddenChannel(5);
    std::vector<Snapshot> states{Take()};
    const auto step = [&](const std::function<void()> &change) {
        change();
        states.push_back(Take());
        ASSERT_FALSE(states.back() == states[states.size() - 2]) << "step " << states.size() - 1;
    };
    step([&] { NewChannel(2, "145.0125"); Key(Qt::Key_Escape); });
    step([&] { Click(5, 1); Key(Qt::Key_Backspace); Enter(); Key(Qt::Key_Escape); });
    // A save in between writes the erased record as 0xFF; undo brings back its hidden bytes.
    ASSERT_TRUE(view->CommitToImage());
    ASSERT_TRUE(doc.Save(env->Path("between.dat")).ok());
    states.back() = Take();
    step([&] { Click(2, 8); Type("abc"); Enter(); Key(Qt::Key_Escape); });
    step([&] {
        QMimeData text;
        text.setText("146\t\t88.5\t\tLow\t\t\tX1\n147\t\t\t\t\t\t\t\n148\t149\t\t\t\t\t\t\n");
        Grid().SetRowCol(10, 1);
        Key(Qt::Key_Escape);
        ASSERT_TRUE(RowClipboard(*view).Paste(&text).isEmpty());
    });
    step([&] {
        view->Selection().Select({2, 11});
        std::unique_ptr<QMimeData> copied(RowClipboard(*view).CopyData());
        view->Selection().Select({20});
        ASSERT_TRUE(RowClipboard(*view).Paste(copied.get()).isEmpty());
    });
    step([&] { view->Selection().Select({10, 11, 12}); RowClipboard(*view).Delete(); });
    EXPECT_EQ(view->History().Stack().count(), int(states.size()) - 1);

    // Undo and redo never check a frequency: not even against a new band.
    view->m_nBandLow = 40000000;
    view->m_nBandHigh = 47000000;
    for (size_t i = states.size() - 1; i > 0; --i) {
        view->History().Undo();
        EXPECT_EQ(Take(), states[i - 1]) << "undo to " << i - 1;
    }
    for (size_t i = 1; i < states.size(); ++i) {
        view->History().Redo();
        EXPECT_EQ(Take(), states[i]) << "redo to " << i;
    }
    EXPECT_TRUE(messages.empty());

    view->History().Undo();
    view->History().Undo();
    NewChannel(30, "450");
    EXPECT_FALSE(view->History().CanRedo()) << "a new step ends the redo";
}

TEST_F(History, TheModifiedStateFollowsTheHistorySavesAndReads)
{
    Open();
    NewChannel(2, "145.0125");
    Key(Qt::Key_Escape);
    view->History().Undo();
    EXPECT_FALSE(doc.IsModified()) << "back to the file's state";
    view->History().Redo();
    ASSERT_TRUE(doc.Save(env->Path("saved.dat")).ok());
    view->History().Undo();
    EXPECT_TRUE(doc.IsModified());
    view->History().Redo();
    EXPECT_FALSE(doc.IsModified()) << "the saved state is the clean one";

    // A completed read marks the document before or after its refresh:
    // either way the history starts afresh and leads to no clean state.
    for (bool markFirst : {true, false}) {
        if (markFirst)
            doc.SetModifiedFlag(true);
        view->RefreshFromImage();
        if (!markFirst)
            doc.SetModifiedFlag(true);
        EXPECT_FALSE(view->History().CanUndo());
        NewChannel(4, "146");
        Key(Qt::Key_Escape);
        view->History().Undo();
        EXPECT_TRUE(doc.IsModified()) << markFirst;
    }
}

TEST_F(History, RowLabelsSelectRowsWithoutOpeningAnEditor)
{
    Open();
    ClickLabel(3);
    ClickLabel(6, Qt::ShiftModifier);
    ClickLabel(5, Qt::ControlModifier);
    ClickLabel(9, Qt::ControlModifier);
    EXPECT_EQ(view->Selection().Rows(), (QList<int>{3, 4, 6, 9}));
    EXPECT_TRUE(EditorHidden());

    // The open editor is committed first; a refused value keeps it open
    // and the selection as it was.
    Click(2, 1);
    EXPECT_TRUE(view->Selection().IsEmpty()) << "an open editor ends the selection";
    Type("170");
    ClickLabel(8);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(view->Selection().IsEmpty());
    EXPECT_FALSE(view->EditRx().isHidden());
    Key(Qt::Key_Escape);
    ClickLabel(8);
    EXPECT_EQ(view->Selection().Rows(), QList<int>{8});
    EXPECT_TRUE(EditorHidden());
}

TEST_F(History, RowsMoveBetweenTwoViewsWithEveryByte)
{
    Open();
    LoadHiddenChannel(5);
    CProgramDoc other;
    other.OnNewDocument(env->app);
    CProgramView second(other, env->app);
    second.OnInitialUpdate();

    view->Selection().Select({5});
    RowClipboard(*view).Copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->text().endsWith("\n4,146.00000,146.00000,None,88.5,High,Lock,Yes,A\n"));
    second.Selection().Select({8});
    ASSERT_TRUE(RowClipboard(second).Paste().isEmpty());
    EXPECT_TRUE(std::equal(kHiddenRecord, kHiddenRecord + 16, other.m_image.record(7)));
    EXPECT_EQ(second.Grid().TextMatrix(8, ColEncode), "88.5");
    EXPECT_EQ(second.Selection().Rows(), QList<int>{8});

    // Cut is one step: the rows leave this view and come back with undo.
    const Snapshot before = Take();
    RowClipboard(*view).Cut();
    EXPECT_EQ(view->Grid().TextMatrix(5, ColRx), "");
    view->History().Undo();
    EXPECT_EQ(Take(), before);
}

} // namespace
