#include "editor/RowSelection.h"

#include "editor/CMSFlexGrid.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>
#include <algorithm>

RowSelection::RowSelection(CMSFlexGrid &grid, std::function<bool()> commitPending, QObject *parent)
    : QObject(parent), m_grid(grid), m_commitPending(std::move(commitPending))
{
    // Installed after the grid's own filter, so it sees label presses
    // first and keeps them from opening the current cell's editor.
    m_grid.verticalHeader()->viewport()->installEventFilter(this);
    m_grid.verticalHeader()->setHighlightSections(true);
    connect(&m_grid, &CMSFlexGrid::EnterCell, this, &RowSelection::Clear);
    connect(&m_grid, &CMSFlexGrid::MouseDown, this, &RowSelection::Clear);
}

QList<int> RowSelection::Rows() const
{
    QList<int> rows(m_rows.begin(), m_rows.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int RowSelection::First() const { return m_rows.isEmpty() ? 0 : *std::min_element(m_rows.begin(), m_rows.end()); }

void RowSelection::Select(const QList<int> &rows)
{
    m_anchor = rows.isEmpty() ? 0 : rows.first();
    SetRows(QSet<int>(rows.begin(), rows.end()));
    if (const int first = First())
        m_grid.scrollTo(m_grid.model()->index(first - 1, 0));
}

void RowSelection::Clear()
{
    if (!m_rows.isEmpty())
        SetRows({});
}

QSet<int> RowSelection::Range(int a, int b) const
{
    QSet<int> out;
    for (int r = std::min(a, b); r <= std::max(a, b); ++r)
        out.insert(r);
    return out;
}

void RowSelection::Press(int row, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::ShiftModifier) && m_anchor > 0) {
        m_base = modifiers.testFlag(Qt::ControlModifier) ? m_rows : QSet<int>();
        SetRows(m_base + Range(m_anchor, row));
        return;
    }
    QSet<int> rows = modifiers.testFlag(Qt::ControlModifier) ? m_rows : QSet<int>();
    if (rows.contains(row))
        rows.remove(row);
    else
        rows.insert(row);
    m_anchor = row;
    m_base = rows;
    m_base.remove(row);
    SetRows(rows);
}

void RowSelection::SetRows(const QSet<int> &rows)
{
    if (rows == m_rows)
        return;
    m_rows = rows;
    Show();
    emit Changed();
}

void RowSelection::Show()
{
    QItemSelection selection;
    const int last = m_grid.columnCount() - 1;
    for (int row : Rows())
        selection.select(m_grid.model()->index(row - 1, 0), m_grid.model()->index(row - 1, last));
    m_grid.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_grid.viewport()->update();
    m_grid.verticalHeader()->viewport()->update();
}

bool RowSelection::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto *me = static_cast<QMouseEvent *>(event);
    const int row = m_grid.verticalHeader()->logicalIndexAt(me->position().toPoint()) + 1;
    if (type == QEvent::MouseButtonRelease) {
        m_dragging = false;
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (m_dragging && row > 0 && (me->buttons() & Qt::LeftButton))
            SetRows(m_base + Range(m_anchor, row));
        return m_dragging;
    }
    if (me->button() != Qt::LeftButton || row < 1)
        return QObject::eventFilter(watched, event);
    if (m_commitPending && !m_commitPending())
        return true;
    if (type == QEvent::MouseButtonPress) {
        Press(row, me->modifiers());
        m_dragging = true;
    }
    return true;
}
