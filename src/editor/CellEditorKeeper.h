#pragma once
// Keeps the text typed into the open in-cell editor of the channel view
// until it is committed, or until the user drops it with Escape:
// - when the grid scrolls (wheel, scroll bar, or the grid bringing a
//   clicked cell fully into view a moment after the click) the editor
//   follows its cell; it is hidden only while the cell is out of view, and
//   its text stays pending (IsOpen) to be committed like a shown editor's;
// - the part of an editor that lies outside the cell area is clipped, so a
//   cell half under the headings or the scroll bar does not cover them;
// - Escape in the editor, or on the grid while the editor is out of view,
//   calls the discard handler: the cell keeps its text, nothing commits;
// - a typed frequency that the commit rejected is held here until the
//   editor reopens on its cell with that text.
// The open editor always belongs to the grid's current cell.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class CMSFlexGrid;
class QWidget;

class CellEditorKeeper : public QObject {
    Q_OBJECT
public:
    struct Held {
        int row = 0; // grid row and column; 0 when nothing is held
        int col = 0;
        QString text;
    };

    // editorRect: the rectangle of the current cell's editor, relative to
    // the grid. discard: closes the open editor without a commit.
    CellEditorKeeper(CMSFlexGrid &grid, std::function<QRect()> editorRect, std::function<void()> discard);

    // Watches an editor for Escape.
    void Watch(QWidget *editor);
    // The editor has been shown over the current cell / hidden for good.
    void Opened(QWidget *editor);
    void Closed(QWidget *editor);
    // Shown, or hidden only while its cell is out of view.
    bool IsOpen(const QWidget *editor) const;
    // Moves the open editor with its cell; called after every scroll.
    void FollowCell();

    // Between the grid's LeaveCell and EnterCell of one change of the
    // current cell (the keeper must be connected before the view).
    bool CellChanging() const { return m_cellChanging; }

    void Hold(int row, int col, const QString &text) { m_held = {row, col, text}; }
    bool HasHeld() const { return m_held.row > 0; }
    Held TakeHeld();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Park();
    void ClipTo(const QRect &visible);

    CMSFlexGrid &m_grid;
    std::function<QRect()> m_editorRect;
    std::function<void()> m_discard;
    QPointer<QWidget> m_open;
    bool m_parked = false;   // hidden while its cell is out of view
    bool m_hadFocus = false; // had the focus when it was parked
    bool m_cellChanging = false;
    Held m_held;
};
