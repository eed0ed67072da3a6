#include "editor/CellEditorKeeper.h"

#include "editor/CMSFlexGrid.h"

#include <QKeyEvent>

CellEditorKeeper::CellEditorKeeper(CMSFlexGrid &grid, std::function<QRect()> editorRect,
                                   std::function<void()> discard)
    : m_grid(grid), m_editorRect(std::move(editorRect)), m_discard(std::move(discard))
{
    m_grid.installEventFilter(this);
    connect(&m_grid, &CMSFlexGrid::LeaveCell, this, [this] { m_cellChanging = true; });
    connect(&m_grid, &CMSFlexGrid::EnterCell, this, [this] { m_cellChanging = false; });
}

void CellEditorKeeper::Watch(QWidget *editor) { editor->installEventFilter(this); }

void CellEditorKeeper::Opened(QWidget *editor)
{
    m_open = editor;
    m_parked = false;
    FollowCell(); // clips a cell that is only partly in view
}

void CellEditorKeeper::Closed(QWidget *editor)
{
    editor->clearMask();
    if (editor != m_open)
        return;
    m_open = nullptr;
    m_parked = false;
}

bool CellEditorKeeper::IsOpen(const QWidget *editor) const
{
    return !editor->isHidden() || (editor == m_open && m_parked);
}

void CellEditorKeeper::FollowCell()
{
    QWidget *editor = m_open;
    if (!editor)
        return;
    const QRect area = m_grid.viewport()->geometry();
    const QRect rect = m_editorRect();
    const QRect cell = m_grid.CellRect(m_grid.Row(), m_grid.Col());
    const QRect visible = rect.intersected(area);
    if (!cell.intersects(m_grid.viewport()->geometry()) || visible.isEmpty()) {
        Park();
        return;
    }
    editor->setGeometry(rect);
    ClipTo(visible);
    if (!m_parked)
        return;
    m_parked = false;
    editor->show();
    editor->raise();
    if (m_hadFocus)
        editor->setFocus(Qt::OtherFocusReason);
}

void CellEditorKeeper::Park()
{
    if (m_parked)
        return;
    m_parked = true;
    m_hadFocus = m_open->hasFocus();
    if (m_hadFocus) // not to whatever widget follows
        m_grid.setFocus(Qt::OtherFocusReason);
    m_open->hide();
}

void CellEditorKeeper::ClipTo(const QRect &visible)
{
    QWidget *editor = m_open;
    if (visible == editor->geometry())
        editor->clearMask();
    else
        editor->setMask(visible.translated(-editor->pos()));
}

CellEditorKeeper::Held CellEditorKeeper::TakeHeld()
{
    Held h = m_held;
    m_held = Held();
    return h;
}

bool CellEditorKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape || !m_open)
        return QObject::eventFilter(watched, event);
    const bool onEditor = watched == m_open.data() && !m_parked;
    const bool onGrid = watched == &m_grid && m_parked;
    if (!onEditor && !onGrid)
        return QObject::eventFilter(watched, event);
    m_discard();
    return true;
}
