#pragma once
// Whole channel rows chosen by their row labels, for the row clipboard: a
// click on a label selects that row, Shift+click the rows from the last
// clicked one to it, Ctrl+click adds or removes one row, and dragging
// over the labels with the button held extends the range. The selected
// rows are highlighted (cells and labels); nothing else in the grid ever
// is.
//
// A press on a label first commits the open cell editor; when the commit
// refuses a frequency (the editor comes back), the selection stays as it
// was. Label presses select only: they do not open the current cell's
// editor. Entering a cell or pressing the mouse on one clears the
// selection, since an editor opens then.
#include <QList>
#include <QObject>
#include <QSet>
#include <functional>

class CMSFlexGrid;

class RowSelection : public QObject {
    Q_OBJECT
public:
    // commitPending: commits the open editor; false when it refused.
    RowSelection(CMSFlexGrid &grid, std::function<bool()> commitPending, QObject *parent = nullptr);

    // Grid rows 1..200, ascending.
    QList<int> Rows() const;
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int First() const;
    // Replaces the selection and brings its first row into view.
    void Select(const QList<int> &rows);
    void Clear();

signals:
    void Changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Press(int row, Qt::KeyboardModifiers modifiers);
    void SetRows(const QSet<int> &rows);
    QSet<int> Range(int a, int b) const;
    void Show();

    CMSFlexGrid &m_grid;
    std::function<bool()> m_commitPending;
    QSet<int> m_rows;
    QSet<int> m_base;   // the selection a Shift+click or a drag extends
    int m_anchor = 0;
    bool m_dragging = false;
};
