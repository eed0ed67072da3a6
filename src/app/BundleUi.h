#pragma once
// Widget-side readers of the language bundle: popup menus built from a menu
// template, and the pictures (icons, cursor, bitmaps, toolbar images),
// stored as PNG files under the resource identifier:
//   icons/<id>.png, cursors/<id>.png (hot spot in the centre),
//   bitmaps/<id>.png, toolbar/<command>.png.
#include "app/MenuTemplate.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <functional>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace BundleUi {

// Creates the action of one menu entry (command id, text with "&" and an
// optional tab-separated accelerator text).
using ActionFactory = std::function<QAction *(int command, const QString &text, QObject *parent)>;

// A popup menu with its entries and separators, owned by `parent`.
QMenu *BuildPopup(const MenuEntry &popup, QWidget *parent, const ActionFactory &make);

QPixmap Bitmap(int id);
QIcon Icon(int id);
QCursor Cursor(int id);
QPixmap ToolbarImage(int command);

} // namespace BundleUi
