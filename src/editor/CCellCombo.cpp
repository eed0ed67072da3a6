#include "editor/CCellCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QScreen>
#include <QStylePainter>

CCellCombo::CCellCombo(int popupHeight, QWidget *parent) : QComboBox(parent), m_popupHeight(popupHeight)
{
    setEditable(false);
    // A list that drops below the combo (with a scroll bar) rather than a
    // menu laid over it, as the cell editors need.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(1000); // the height limit is popupHeight
}

void CCellCombo::showPopup()
{
    QComboBox::showPopup();
    QWidget *popup = view()->window();
    if (popup == window())
        return;
    // A short list keeps its own smaller height.
    const int h = qMin(popup->height(), m_popupHeight);
    QRect g(mapToGlobal(QPoint(0, height())), QSize(qMax(popup->width(), width()), h));
    // Too close to the bottom of the screen: open above the cell instead.
    if (const QScreen *s = screen(); s && g.bottom() > s->availableGeometry().bottom())
        g.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
    popup->setGeometry(g);
    view()->scrollTo(view()->currentIndex());
}

int CCellCombo::IndexForCellText(const QString &text) const
{
    for (int i = 0; i < count(); ++i)
        if (itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return 0;
}

void CCellCombo::SetTextAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void CCellCombo::keyPressEvent(QKeyEvent *event)
{
    const bool left = event->key() == Qt::Key_Left;
    if (!left && event->key() != Qt::Key_Right) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const int next = currentIndex() + (left ? -1 : 1);
    if (next >= 0 && next < count())
        setCurrentIndex(next);
    event->accept(); // also at either end: the key never reaches the grid
}

void CCellCombo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.textAlignment = m_alignment;
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}
