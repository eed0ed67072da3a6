#pragma once
// A drop-down list used as an in-cell editor: not editable, items in the
// order given, and an opened list that drops below the combo, popupHeight
// pixels high (the list editors are that much taller than their cell while
// open; a list whose items need less is as high as its items), with a
// vertical scroll bar when the items do not fit.
#include <QComboBox>

class CCellCombo : public QComboBox {
    Q_OBJECT
public:
    // popupHeight: height of the opened list in pixels.
    explicit CCellCombo(int popupHeight, QWidget *parent = nullptr);

    int PopupHeight() const { return m_popupHeight; }
    void showPopup() override;

    // Index of the first item that begins with text, ignoring letter case;
    // 0 when none does (an empty text matches the first item).
    int IndexForCellText(const QString &text) const;

private:
    int m_popupHeight;
};
