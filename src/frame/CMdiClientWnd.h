#pragma once
// The client area of the main window, holding the document windows. Behind
// them it paints a picture stretched over the whole area (aspect ratio not
// kept): "background.bmp" from the current folder when it loads, else
// bitmap 137 of the language bundle. The file is read at every paint, so a
// new picture shows without a restart.
//
// A document window opens filling the area and keeps filling it while the
// area changes size, until the user moves or resizes that window.
#include <QImage>
#include <QList>
#include <QMdiArea>
#include <QPointer>
#include <QRect>

class CMdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClientWnd(QWidget *parent = nullptr);

    // The picture a paint uses now.
    static QImage Background();

    // Lays the window over the whole area and keeps it there.
    void Fill(QMdiSubWindow *window);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillAll();

    QList<QPointer<QMdiSubWindow>> m_filling;
    QRect m_pressedAt; // geometry of a filling window when a mouse button went down on it
};
