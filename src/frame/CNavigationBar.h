#pragma once
// The navigation bar at the left edge of the main window: a painted frame
// with a caption (the language section's "Company"), a close button and a
// tree (control 1032) whose root is "Company" with the three editing areas
// under it. Its right-hand 6-pixel strip resizes it: a tracker line follows
// the pointer (kept between 80 pixels and half the client width) and the
// release sets the new width (at least 11 pixels, at most half the width).
// All positions are pixels in the bar's own coordinates.
#include "image/Texts.h"

#include <QRect>
#include <QWidget>

class QRubberBand;
class QTreeWidget;
class QTreeWidgetItem;
struct AppState;

class CNavigationBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 220;
    static constexpr int kStripWidth = 6;
    static constexpr int kTreeId = 1032;

    explicit CNavigationBar(AppState &app, QWidget *parent = nullptr);

    // The three items in tree order: Product Information, Channel
    // Information, Optional Features (index 0 to 2).
    static const corvane::BiText &ItemText(int index);

    // Root text, then the three items in the current language; expanded.
    void Populate(const QString &rootText, bool chinese);

    QTreeWidget *Tree() const { return m_tree; }
    QString Caption() const { return m_caption; }
    QRect FrameRect() const { return rect().adjusted(3, 6, -6, -49); }
    QRect CloseButtonRect() const;
    QRect ResizeStrip() const;
    bool IsResizing() const { return m_resizing; }
    int TrackerX() const { return m_trackerX; }  // last tracker position

signals:
    // The text of the tree item under the pointer when the selection
    // changed (empty when there is none).
    void ItemChosen(const QString &text);
    void CloseClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void OnSelectionChanged(QTreeWidgetItem *current);
    int HalfClientWidth() const;
    void MoveTracker(int x);

    QString m_caption;
    QString m_closeTip;
    QTreeWidget *m_tree;
    QTreeWidgetItem *m_root = nullptr;
    QRubberBand *m_tracker = nullptr;
    bool m_reselecting = false;
    bool m_resizing = false;
    int m_trackerX = 0;
    bool m_buttonDown = false;
    bool m_overButton = false;
};
