#include "frame/CMdiClientWnd.h"

#include "app/BundleUi.h"
#include "app/CommandIds.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QResizeEvent>

CMdiClientWnd::CMdiClientWnd(QWidget *parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("mdiClient"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QImage CMdiClientWnd::Background()
{
    QImage picture(QStringLiteral("background.bmp"));
    if (picture.isNull())
        picture = BundleUi::Bitmap(Res::Background).toImage();
    return picture;
}

void CMdiClientWnd::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QImage picture = Background();
    if (picture.isNull())
        p.fillRect(viewport()->rect(), palette().dark());
    else
        p.drawImage(viewport()->rect(), picture);
}

void CMdiClientWnd::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    viewport()->update(); // the whole picture is stretched anew
    FillAll();
}

void CMdiClientWnd::Fill(QMdiSubWindow *window)
{
    if (!m_filling.contains(window)) {
        m_filling.append(window);
        window->installEventFilter(this);
    }
    window->setGeometry(viewport()->rect());
}

void CMdiClientWnd::FillAll()
{
    m_filling.removeAll(nullptr);
    for (QMdiSubWindow *w : std::as_const(m_filling))
        if (!w->isMaximized() && !w->isMinimized())
            w->setGeometry(viewport()->rect());
}

// A window the user drags by its title or edges keeps the place and size
// given to it.
bool CMdiClientWnd::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = qobject_cast<QMdiSubWindow *>(watched);
    if (window && event->type() == QEvent::MouseButtonPress)
        m_pressedAt = window->geometry();
    else if (window && event->type() == QEvent::MouseButtonRelease && window->geometry() != m_pressedAt)
        m_filling.removeAll(window);
    return QMdiArea::eventFilter(watched, event);
}
