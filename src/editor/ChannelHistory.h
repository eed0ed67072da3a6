#pragma once
// The undo history of one channel view, on a QUndoStack. A step is either
// a change of grid rows (a committed cell, a pasted, deleted or imported
// block) or an OK of an option dialog. Undo and redo put back exactly what
// the step replaced: for rows their eight texts and their record and name
// bytes in the image (the bytes the grid does not show included); for a
// dialog the whole image, the view's band limits and the caption. They
// never run the commit rules, so they never show a message.
//
// The document's modified state follows the stack: it is clear exactly at
// the stack's clean state, which a save (SetModifiedFlag(false)) moves to
// the present step. A change that bypasses the history while the stack is
// clean (a completed read) leaves no step that leads back to the file.
// Clear() starts afresh when the view's data are replaced (new document,
// opened file, completed read).
#include "image/ChannelRow.h"

#include <QList>
#include <QObject>
#include <QUndoStack>
#include <functional>

class CMSFlexGrid;
class CProgramDoc;
class QKeyEvent;

// What an OK of an option dialog may change.
struct ViewImageState {
    corvane::MemoryImage image;
    int bandLow = 0;
    int bandHigh = 0;
    QString caption;
};

class ChannelHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 1000;

    ChannelHistory(CProgramDoc &doc, corvane::ChannelTable &table, CMSFlexGrid &grid, QObject *parent = nullptr);
    ~ChannelHistory() override;

    QUndoStack &Stack() { return m_stack; }
    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }

    // Makes the given grid rows of the view what they are in `table` and
    // `image` (texts, record and name bytes), as one step. Rows that would
    // not change are left out; nothing is recorded when none would. Returns
    // the rows that changed.
    QList<int> ApplyRows(const corvane::ChannelTable &table, const corvane::MemoryImage &image, const QList<int> &rows);
    // Records an OK of an option dialog that has already turned `before`
    // into `after`; `apply` puts a state back on the view. Nothing is
    // recorded when the image did not change.
    void ImageChanged(const ViewImageState &before, const ViewImageState &after,
                      std::function<void(const ViewImageState &)> apply);

    void Undo();
    void Redo();
    void Clear();

    // True for an undo or redo key in an in-cell text editor that has
    // nothing of its own to undo or redo (its text is as the cell gave it,
    // or the name editor's upper-casing left it no undo): such a key goes
    // to the window's Undo or Redo instead.
    static bool IsHistoryKey(const QObject *editor, const QKeyEvent *key);

signals:
    // The stack moved (a step recorded, undone or redone, or cleared).
    void Changed();
    // Rows an undo or redo has put back.
    void RowsRestored(const QList<int> &rows);

private:
    friend class RowsStep;
    void PutRows(const QList<int> &rows, const QList<corvane::ChannelRow> &states);
    void Sync();
    void OnModifiedSet(bool modified);

    CProgramDoc &m_doc;
    corvane::ChannelTable &m_table;
    CMSFlexGrid &m_grid;
    QUndoStack m_stack;
    bool m_syncing = false;
};
