#pragma once
// Keeps the channel grid's columns at fixed ratios of one width w (column 0
// w x 0.5, the two frequency columns w x 1.3, the two tone columns w x 1.1,
// the others w) and lets w grow with the grid so that the columns fill its
// width. w never falls below the width the form was laid out with: a grid
// narrower than that, as at a large display scale, scrolls sideways instead
// of cutting its last columns off.
#include <QObject>
#include <algorithm>
#include <vector>

class CMSFlexGrid;

class GridColumnFit : public QObject {
    Q_OBJECT
public:
    // ratios: one per grid column, column 0 first; formGridWidth: the
    // grid's outer width on the form, in pixels, which gives the least w.
    GridColumnFit(CMSFlexGrid &grid, std::vector<double> ratios, int formGridWidth);

    // Sets the widths for the grid's present size (also on every resize).
    void Apply();
    // w in pixels for a grid of the given outer width.
    int WidthFor(int gridWidth) const { return std::max(m_minimum, Filling(gridWidth)); }

signals:
    // The widths have changed; an open editor must follow its cell.
    void Fitted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // w that makes the columns exactly fill a grid of this outer width.
    int Filling(int gridWidth) const;

    CMSFlexGrid &m_grid;
    std::vector<double> m_ratios;
    int m_minimum = 0;
    int m_applied = -1; // w of the last Apply
};
