#include "frame/CNavigationBar.h"

#include "app/AppState.h"
#include "app/BundleUi.h"
#include "app/CommandIds.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>
#include <qdrawutil.h>

using corvane::BiText;

namespace {

// A click makes the clicked item current but never selects it: the
// selection, and with it the highlight, stays on the root that the bar
// selects again after each choice.
class NavigationTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override
    {
        if (event && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                      event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonDblClick))
            return QItemSelectionModel::NoUpdate;
        return QTreeWidget::selectionCommand(index, event);
    }
};

} // namespace

const BiText &CNavigationBar::ItemText(int index)
{
    static const BiText productInfo{"Product Information", "类型设置"};
    static const BiText optionalFeatures{"Optional Features", "可选功能"};
    static const BiText *const items[3] = {&productInfo, &corvane::Txt::ChannelTitle, &optionalFeatures};
    return *items[index];
}

CNavigationBar::CNavigationBar(AppState &app, QWidget *parent)
    : QWidget(parent), m_caption(app.LanguageText("company")), m_closeTip(app.bundle.String(Ids::NavClose))
{
    setObjectName(QStringLiteral("navigationBar"));
    setWindowTitle(QStringLiteral("IE Control Bar"));
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(14);
    f.setWeight(QFont::Normal);
    setFont(f);
    setMouseTracking(true);
    setFixedWidth(kInitialWidth);

    m_tree = new NavigationTree(this);
    m_tree->setObjectName(QStringLiteral("ctl%1").arg(kTreeId));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setFont(f);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { OnSelectionChanged(current); });
}

void CNavigationBar::Populate(const QString &rootText, bool chinese)
{
    m_reselecting = true;
    m_tree->clear();
    m_root = new QTreeWidgetItem(m_tree, {rootText});
    for (int i = 0; i < 3; ++i)
        new QTreeWidgetItem(m_root, {ItemText(i).text(chinese)});
    m_root->setExpanded(true);
    m_tree->setCurrentItem(m_root);
    m_reselecting = false;
}

void CNavigationBar::OnSelectionChanged(QTreeWidgetItem *)
{
    if (m_reselecting)
        return;
    // The item under the pointer decides, so a keyboard move away from the
    // pointer does nothing but select the root again.
    const QTreeWidgetItem *under = m_tree->itemAt(m_tree->viewport()->mapFromGlobal(QCursor::pos()));
    const QString text = under ? under->text(0) : QString();
    emit ItemChosen(text);
    // Reselected quietly, so the next click on the same item is a change
    // again and this selection does not run the item a second time.
    m_reselecting = true;
    m_tree->setCurrentItem(m_root);
    m_reselecting = false;
}

QRect CNavigationBar::CloseButtonRect() const
{
    const QRect fr = FrameRect();
    return QRect(fr.x() + fr.width() - 20, fr.y() + 4, 16, 16);
}

QRect CNavigationBar::ResizeStrip() const
{
    const QRect fr = FrameRect();
    return QRect(fr.x() + fr.width(), 0, kStripWidth, height());
}

int CNavigationBar::HalfClientWidth() const { return window()->width() / 2; }

void CNavigationBar::resizeEvent(QResizeEvent *)
{
    const int top = kCaptionHeight + 9;
    m_tree->setGeometry(5, top, std::max(0, width() - 8 - 5), std::max(0, height() - 51 - top));
}

void CNavigationBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect fr = FrameRect();
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);
    p.setPen(grey);
    p.drawRect(fr.adjusted(0, 0, -1, -1));
    p.drawLine(fr.left(), fr.top() + kCaptionHeight, fr.right(), fr.top() + kCaptionHeight);

    p.setPen(palette().color(QPalette::WindowText));
    const QRect text(fr.left() + 5, fr.top(), CloseButtonRect().left() - fr.left() - 7, kCaptionHeight);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);

    const QRect button = CloseButtonRect();
    p.drawPixmap(button, BundleUi::Icon(Res::CloseIcon).pixmap(button.size()));
    if (m_overButton)
        qDrawShadePanel(&p, button.adjusted(-1, -1, 1, 1), palette(), m_buttonDown, 1);
}

void CNavigationBar::MoveTracker(int x)
{
    QWidget *host = parentWidget() ? parentWidget() : this;
    if (!m_tracker)
        m_tracker = new QRubberBand(QRubberBand::Line, host);
    m_trackerX = x;
    const QPoint at = mapTo(host, QPoint(x, 0));
    m_tracker->setGeometry(at.x(), at.y(), 2, height());
    m_tracker->show();
}

void CNavigationBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (ResizeStrip().contains(pos)) {
        m_resizing = true;
        MoveTracker(std::max(std::min(pos.x(), HalfClientWidth()), 80));
    } else if (CloseButtonRect().contains(pos)) {
        m_buttonDown = true;
        update(CloseButtonRect().adjusted(-2, -2, 2, 2));
    }
}

void CNavigationBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_resizing) {
        MoveTracker(std::max(std::min(pos.x(), HalfClientWidth()), 80));
        return;
    }
    if (ResizeStrip().contains(pos))
        setCursor(BundleUi::Cursor(Res::ResizeCursor));
    else
        unsetCursor();
    const bool over = CloseButtonRect().contains(pos);
    if (over != m_overButton) {
        m_overButton = over;
        update(CloseButtonRect().adjusted(-2, -2, 2, 2));
    }
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_resizing) {
        m_resizing = false;
        if (m_tracker)
            m_tracker->hide();
        int w = pos.x();
        if (w < 11)
            w = 11;
        if (w > HalfClientWidth())
            w = HalfClientWidth();
        hide();
        setFixedWidth(w);
        show();
        return;
    }
    const bool clicked = m_buttonDown && CloseButtonRect().contains(pos);
    m_buttonDown = false;
    update(CloseButtonRect().adjusted(-2, -2, 2, 2));
    if (clicked)
        emit CloseClicked();
}

void CNavigationBar::mouseDoubleClickEvent(QMouseEvent *) {}

void CNavigationBar::leaveEvent(QEvent *)
{
    if (m_overButton) {
        m_overButton = false;
        update(CloseButtonRect().adjusted(-2, -2, 2, 2));
    }
}

bool CNavigationBar::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(e);
        if (CloseButtonRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), m_closeTip, this, CloseButtonRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}
