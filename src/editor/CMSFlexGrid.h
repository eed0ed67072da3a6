#pragma once
// The channel grid control: a table of text cells with one fixed heading row
// (row 0) and one fixed label column (column 0), a current cell and four
// events, over QTableWidget.
//
// Coordinates: grid rows 0..Rows()-1 and columns 0..Cols()-1 include the
// fixed row and column, which are drawn as the table's header views (so they
// stay in place while the cells scroll). Row 0 / column 0 texts are the
// header texts; the text of cell (0, 0) is drawn in the corner.
//
// Units: CellLeft/CellTop/CellWidth/CellHeight and ColWidth are in twips
// (1/1440 inch) at the widget's logical DPI; the cell rectangle is relative
// to the grid widget itself (its frame and fixed row/column included), which
// is where in-cell editors that are children of the grid are placed.
//
// Events: every change of the current cell, whether made by the user (keys,
// mouse) or by SetRow/SetCol/SetRowCol, raises LeaveCell while Row()/Col()
// still name the old cell, then EnterCell once they name the new one (the
// new cell has been scrolled into view by then). Setting the cell that is
// already current raises nothing. MouseDown follows every mouse press in
// the grid, after any change of the current cell it caused, also on the
// current cell and on the fixed cells. Scroll follows every scroll of the
// cells. The grid never edits its cells itself and never makes a selection
// of its own (rows the program selects through the selection model are
// highlighted); typed characters do not move the current cell.
#include <QColor>
#include <QTableWidget>

class CMSFlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CMSFlexGrid(QWidget *parent = nullptr);

    // Shape, fixed row and column included (at least 2 x 2).
    int Rows() const { return rowCount() + 1; }
    void SetRows(int rows);
    int Cols() const { return columnCount() + 1; }
    void SetCols(int cols);

    // Current cell, 1..Rows()-1 and 1..Cols()-1. Out-of-range values are
    // ignored.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void SetRow(int row) { SetRowCol(row, m_col); }
    void SetCol(int col) { SetRowCol(m_row, col); }
    // One change of the current cell (one LeaveCell / EnterCell pair).
    void SetRowCol(int row, int col);

    QString Text() const { return TextMatrix(m_row, m_col); }
    void SetText(const QString &text) { SetTextMatrix(m_row, m_col, text); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString &text);

    // Rectangle of the current cell in twips, relative to the grid widget.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    // Cell rectangle in pixels, relative to the grid widget.
    QRect CellRect(int row, int col) const;

    // Column width in twips. Until it is set, column 0 reports the grid's
    // default column width.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    void SetColAlignment(int col, Qt::Alignment alignment);
    void SetForeColorFixed(const QColor &color);
    // false: no selection highlight (the only mode the channel view uses).
    void SetHighLight(bool on);

    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;

signals:
    void EnterCell();
    void LeaveCell();
    void MouseDown(int button, int shift, int x, int y);
    void Scroll();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyboardSearch(const QString &search) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidgetItem *CellItem(int row, int col) const;
    QTableWidgetItem *NewItem(int col) const;
    void FillItems();
    void PaintCorner(QWidget *corner);
    int PixelsToTwipsX(int px) const;
    int PixelsToTwipsY(int px) const;

    int m_row = 1;
    int m_col = 1;
    bool m_settingCurrent = false;  // SetRowCol is moving the table's cursor
    int m_labelWidthTwips = -1;     // column 0; -1 while never set
    QString m_cornerText;
    QColor m_fixedColor;
    QVector<Qt::Alignment> m_alignment; // per grid column
    QWidget *m_corner = nullptr;
};
