#include "frame/CMdiClientWnd.h"

#include "app/BundleUi.h"
#include "app/CommandIds.h"

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
}
