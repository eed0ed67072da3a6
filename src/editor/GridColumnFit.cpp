#include "editor/GridColumnFit.h"

#include "editor/CMSFlexGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <numeric>

namespace {
constexpr int kLeastWidth = 40; // pixels, whatever the form
}

GridColumnFit::GridColumnFit(CMSFlexGrid &grid, std::vector<double> ratios, int formGridWidth)
    : QObject(&grid), m_grid(grid), m_ratios(std::move(ratios))
{
    m_minimum = std::max(kLeastWidth, Filling(formGridWidth));
    m_grid.installEventFilter(this);
    Apply();
}

int GridColumnFit::Filling(int gridWidth) const
{
    // The vertical scroll bar is always there: 200 rows never fit.
    const int inner = gridWidth - 2 * m_grid.frameWidth() - m_grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double units = std::accumulate(m_ratios.begin(), m_ratios.end(), 0.0);
    return static_cast<int>(inner / units);
}

void GridColumnFit::Apply()
{
    const int w = WidthFor(m_grid.width());
    if (w == m_applied)
        return;
    m_applied = w;
    m_grid.horizontalHeader()->setDefaultSectionSize(w);
    const int dpi = m_grid.logicalDpiX();
    for (int c = 0; c < static_cast<int>(m_ratios.size()) && c < m_grid.Cols(); ++c)
        m_grid.SetColWidth(c, static_cast<int>(w * m_ratios[static_cast<size_t>(c)]) * 1440 / dpi);
    emit Fitted();
}

bool GridColumnFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_grid && event->type() == QEvent::Resize)
        Apply();
    return QObject::eventFilter(watched, event);
}
