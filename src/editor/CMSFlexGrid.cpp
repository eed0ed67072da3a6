#include "editor/CMSFlexGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace {

constexpr int kTwipsPerInch = 1440;

// Button and shift codes of the grid's MouseDown event: left 1, right 2,
// middle 4; shift 1, control 2, alt 4.
int ButtonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers m)
{
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
    // The corner button would select every cell; it shows the text of cell
    // (0, 0) instead.
    m_corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
    m_fixedColor = palette().color(QPalette::ButtonText);
    SetCols(2);
    SetRows(2);
}

QTableWidgetItem *CMSFlexGrid::NewItem(int col) const
{
    auto *it = new QTableWidgetItem;
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable); // selectable by the program only: rows chosen by their labels
    it->setTextAlignment(m_alignment.value(col, Qt::AlignLeft | Qt::AlignVCenter));
    return it;
}

// Gives every cell and header section an item, so that text writes never
// allocate.
void CMSFlexGrid::FillItems()
{
    for (int c = 0; c < columnCount(); ++c) {
        if (!horizontalHeaderItem(c)) {
            QTableWidgetItem *h = NewItem(c + 1);
            h->setForeground(m_fixedColor);
            setHorizontalHeaderItem(c, h);
        }
    }
    for (int r = 0; r < rowCount(); ++r) {
        if (!verticalHeaderItem(r)) {
            QTableWidgetItem *h = NewItem(0);
            h->setForeground(m_fixedColor);
            setVerticalHeaderItem(r, h);
        }
        for (int c = 0; c < columnCount(); ++c)
            if (!item(r, c))
                setItem(r, c, NewItem(c + 1));
    }
}

void CMSFlexGrid::SetRows(int rows)
{
    setRowCount(qMax(2, rows) - 1);
    FillItems();
    m_row = qMin(m_row, rowCount());
    m_settingCurrent = true;
    setCurrentCell(m_row - 1, m_col - 1);
    m_settingCurrent = false;
}

void CMSFlexGrid::SetCols(int cols)
{
    setColumnCount(qMax(2, cols) - 1);
    m_alignment.resize(columnCount() + 1, Qt::AlignLeft | Qt::AlignVCenter);
    FillItems();
    m_col = qMin(m_col, columnCount());
    m_settingCurrent = true;
    setCurrentCell(m_row - 1, m_col - 1);
    m_settingCurrent = false;
}

void CMSFlexGrid::SetRowCol(int row, int col)
{
    if (row < 1 || row >= Rows() || col < 1 || col >= Cols())
        return;
    if (row == m_row && col == m_col)
        return;
    emit LeaveCell();
    m_row = row;
    m_col = col;
    m_settingCurrent = true;
    setCurrentCell(row - 1, col - 1); // scrolls the cell into view
    m_settingCurrent = false;
    emit EnterCell();
}

void CMSFlexGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_settingCurrent || !current.isValid() ||
        (current.row() + 1 == m_row && current.column() + 1 == m_col)) {
        QTableWidget::currentChanged(current, previous);
        return;
    }
    // A move by the user: Row/Col still name the old cell while it is left.
    emit LeaveCell();
    m_row = current.row() + 1;
    m_col = current.column() + 1;
    QTableWidget::currentChanged(current, previous);
    emit EnterCell();
}

QTableWidgetItem *CMSFlexGrid::CellItem(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols() || (row == 0 && col == 0))
        return nullptr;
    if (row == 0)
        return horizontalHeaderItem(col - 1);
    if (col == 0)
        return verticalHeaderItem(row - 1);
    return item(row - 1, col - 1);
}

QString CMSFlexGrid::TextMatrix(int row, int col) const
{
    if (row == 0 && col == 0)
        return m_cornerText;
    const QTableWidgetItem *it = CellItem(row, col);
    return it ? it->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString &text)
{
    if (row == 0 && col == 0) {
        m_cornerText = text;
        if (m_corner)
            m_corner->update();
        return;
    }
    if (QTableWidgetItem *it = CellItem(row, col))
        it->setText(text);
}

QRect CMSFlexGrid::CellRect(int row, int col) const
{
    if (row < 1 || row >= Rows() || col < 1 || col >= Cols())
        return QRect();
    const QRect r = visualRect(model()->index(row - 1, col - 1));
    return r.translated(viewport()->geometry().topLeft());
}

int CMSFlexGrid::PixelsToTwipsX(int px) const { return px * kTwipsPerInch / logicalDpiX(); }
int CMSFlexGrid::PixelsToTwipsY(int px) const { return px * kTwipsPerInch / logicalDpiY(); }
int CMSFlexGrid::TwipsToPixelsX(int twips) const { return twips * logicalDpiX() / kTwipsPerInch; }
int CMSFlexGrid::TwipsToPixelsY(int twips) const { return twips * logicalDpiY() / kTwipsPerInch; }

int CMSFlexGrid::CellLeft() const { return PixelsToTwipsX(CellRect(m_row, m_col).left()); }
int CMSFlexGrid::CellTop() const { return PixelsToTwipsY(CellRect(m_row, m_col).top()); }
int CMSFlexGrid::CellWidth() const { return PixelsToTwipsX(CellRect(m_row, m_col).width()); }
int CMSFlexGrid::CellHeight() const { return PixelsToTwipsY(CellRect(m_row, m_col).height()); }

int CMSFlexGrid::ColWidth(int col) const
{
    if (col == 0)
        return m_labelWidthTwips >= 0 ? m_labelWidthTwips
                                      : PixelsToTwipsX(horizontalHeader()->defaultSectionSize());
    if (col < 0 || col >= Cols())
        return 0;
    return PixelsToTwipsX(columnWidth(col - 1));
}

void CMSFlexGrid::SetColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols() || twips < 0)
        return;
    if (col == 0) {
        m_labelWidthTwips = twips;
        verticalHeader()->setFixedWidth(TwipsToPixelsX(twips));
        updateGeometries();
        return;
    }
    setColumnWidth(col - 1, TwipsToPixelsX(twips));
}

void CMSFlexGrid::SetColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= Cols())
        return;
    m_alignment[col] = alignment;
    for (int r = 1; r < Rows(); ++r)
        if (QTableWidgetItem *it = CellItem(r, col))
            it->setTextAlignment(alignment);
    if (col > 0)
        horizontalHeaderItem(col - 1)->setTextAlignment(alignment);
    else if (m_corner)
        m_corner->update();
}

void CMSFlexGrid::SetForeColorFixed(const QColor &color)
{
    m_fixedColor = color;
    for (int c = 0; c < columnCount(); ++c)
        horizontalHeaderItem(c)->setForeground(color);
    for (int r = 0; r < rowCount(); ++r)
        verticalHeaderItem(r)->setForeground(color);
    if (m_corner)
        m_corner->update();
}

void CMSFlexGrid::SetHighLight(bool on)
{
    setSelectionMode(on ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    const QPoint p = viewport()->mapTo(this, event->position().toPoint());
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), p.x(), p.y());
}

// Dragging with a button held neither selects nor moves the current cell.
void CMSFlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        QTableWidget::mouseMoveEvent(event);
}

void CMSFlexGrid::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    emit Scroll();
}

void CMSFlexGrid::keyboardSearch(const QString &) {}

void CMSFlexGrid::PaintCorner(QWidget *corner)
{
    QStyleOptionHeader opt;
    opt.initFrom(corner);
    opt.state |= QStyle::State_Raised | QStyle::State_Horizontal;
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.rect = corner->rect();
    opt.text = m_cornerText;
    opt.textAlignment = m_alignment.value(0, Qt::AlignCenter);
    opt.palette.setColor(QPalette::ButtonText, m_fixedColor);
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, opt);
}

bool CMSFlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    const bool corner = m_corner && watched == m_corner;
    if (corner && event->type() == QEvent::Paint) {
        PaintCorner(m_corner);
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto *me = static_cast<QMouseEvent *>(event);
        const QPoint p = static_cast<QWidget *>(watched)->mapTo(this, me->position().toPoint());
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(ButtonCode(me->button()), ShiftCode(me->modifiers()), p.x(), p.y());
        return corner; // the corner would select all cells
    }
    return QTableWidget::eventFilter(watched, event);
}
