#pragma once
// A drop-down list used as an in-cell editor: not editable, items in the
// order given, and an opened list that drops below the combo, popupHeight
// pixels high (the list editors are that much taller than their cell while
// open; a list whose items need less is as high as its items), at least as
// wide as the combo, with a vertical scroll bar when the items do not fit.
// Its text is drawn with the alignment of the cell it edits. All arrow keys
// change the selected item (Left and Up the previous, Right and Down the
// next), so that none of them moves the grid's current cell.
#include <QComboBox>

class CCellCombo : public QComboBox {
    Q_OBJECT
public:
    // popupHeight: height of the opened list in pixels.
    explicit CCellCombo(int popupHeight, QWidget *parent = nullptr);

    int PopupHeight() const { return m_popupHeight; }
    void showPopup() override;
    // Alignment of the shown text; centred by default, as the cells are.
    void SetTextAlignment(Qt::Alignment alignment);
    Qt::Alignment TextAlignment() const { return m_alignment; }

    // Index of the first item that begins with text, ignoring letter case;
    // 0 when none does (an empty text matches the first item).
    int IndexForCellText(const QString &text) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_popupHeight;
    Qt::Alignment m_alignment = Qt::AlignCenter;
};
