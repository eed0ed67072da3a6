#include "editor/ChannelHistory.h"

#include "editor/CMSFlexGrid.h"
#include "image/CProgramDoc.h"

#include <QKeyEvent>
#include <QLineEdit>

using corvane::ChannelRow;

// Grid rows before and after; the first redo is the change itself.
class RowsStep : public QUndoCommand {
public:
    RowsStep(ChannelHistory &history, QList<int> rows, QList<ChannelRow> before, QList<ChannelRow> after)
        : m_history(history), m_rows(std::move(rows)), m_before(std::move(before)), m_after(std::move(after)) {}

    void undo() override
    {
        m_history.PutRows(m_rows, m_before);
        emit m_history.RowsRestored(m_rows);
    }
    void redo() override
    {
        m_history.PutRows(m_rows, m_after);
        if (!m_first)
            emit m_history.RowsRestored(m_rows);
        m_first = false;
    }

private:
    ChannelHistory &m_history;
    QList<int> m_rows;
    QList<ChannelRow> m_before, m_after;
    bool m_first = true;
};

namespace {

// An option dialog's OK, already applied when it is recorded.
class ImageStep : public QUndoCommand {
public:
    ImageStep(ViewImageState before, ViewImageState after, std::function<void(const ViewImageState &)> apply)
        : m_before(std::move(before)), m_after(std::move(after)), m_apply(std::move(apply)) {}

    void undo() override { m_apply(m_before); }
    void redo() override { m_apply(m_after); }

private:
    ViewImageState m_before, m_after;
    std::function<void(const ViewImageState &)> m_apply;
};

} // namespace

ChannelHistory::ChannelHistory(CProgramDoc &doc, corvane::ChannelTable &table, CMSFlexGrid &grid, QObject *parent)
    : QObject(parent), m_doc(doc), m_table(table), m_grid(grid)
{
    m_stack.setUndoLimit(kUndoLimit);
    m_doc.modifiedSet = [this](bool modified) { OnModifiedSet(modified); };
    connect(&m_stack, &QUndoStack::indexChanged, this, &ChannelHistory::Changed);
}

ChannelHistory::~ChannelHistory()
{
    m_doc.modifiedSet = nullptr;
    // The steps refer to this object: they go before it does.
    m_stack.disconnect(this);
    m_stack.clear();
}

void ChannelHistory::PutRows(const QList<int> &rows, const QList<ChannelRow> &states)
{
    for (int i = 0; i < rows.size(); ++i) {
        corvane::PutRow(states[i], rows[i], m_table, m_doc.m_image);
        for (int col = corvane::ColRx; col <= corvane::ColName; ++col)
            m_grid.SetTextMatrix(rows[i], col, m_table.cell(rows[i], col));
    }
}

QList<int> ChannelHistory::ApplyRows(const corvane::ChannelTable &table, const corvane::MemoryImage &image,
                                     const QList<int> &rows)
{
    QList<int> changed;
    QList<ChannelRow> before, after;
    for (int row : rows) {
        ChannelRow was = corvane::TakeRow(m_table, m_doc.m_image, row);
        ChannelRow now = corvane::TakeRow(table, image, row);
        if (was == now)
            continue;
        changed << row;
        before << std::move(was);
        after << std::move(now);
    }
    if (changed.isEmpty())
        return changed;
    m_stack.push(new RowsStep(*this, changed, std::move(before), std::move(after)));
    Sync();
    return changed;
}

void ChannelHistory::ImageChanged(const ViewImageState &before, const ViewImageState &after,
                                  std::function<void(const ViewImageState &)> apply)
{
    if (before.image == after.image)
        return;
    m_stack.push(new ImageStep(before, after, std::move(apply)));
    Sync();
}

void ChannelHistory::Undo()
{
    m_stack.undo();
    Sync();
}

void ChannelHistory::Redo()
{
    m_stack.redo();
    Sync();
}

void ChannelHistory::Clear()
{
    m_stack.clear();
    if (m_doc.IsModified())
        m_stack.resetClean();
}

void ChannelHistory::Sync()
{
    m_syncing = true;
    m_doc.SetModifiedFlag(!m_stack.isClean());
    m_syncing = false;
}

void ChannelHistory::OnModifiedSet(bool modified)
{
    if (m_syncing)
        return;
    if (!modified)
        m_stack.setClean(); // saved, or its changes given up: this is the file's state now
    else if (m_stack.isClean())
        m_stack.resetClean(); // changed around the history: no step leads back to the file
}

bool ChannelHistory::IsHistoryKey(const QObject *watched, const QKeyEvent *e)
{
    const auto *edit = qobject_cast<const QLineEdit *>(watched);
    if (!edit)
        return false;
    const QKeyCombination k = e->keyCombination();
    const bool undo = e->matches(QKeySequence::Undo) || k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    const bool redo = e->matches(QKeySequence::Redo) || k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                      k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    return (undo && !edit->isUndoAvailable()) || (redo && !edit->isRedoAvailable());
}
