#pragma once
// The client area of the main window, holding the document windows. Behind
// them it paints a picture stretched over the whole area (aspect ratio not
// kept): "background.bmp" from the current folder when it loads, else
// bitmap 137 of the language bundle. The file is read at every paint, so a
// new picture shows without a restart.
#include <QImage>
#include <QMdiArea>

class CMdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClientWnd(QWidget *parent = nullptr);

    // The picture a paint uses now.
    static QImage Background();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
