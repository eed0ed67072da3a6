#include "app/BundleUi.h"

#include "app/LanguageBundle.h"

#include <QMenu>

namespace BundleUi {

QMenu *BuildPopup(const MenuEntry &popup, QWidget *parent, const ActionFactory &make)
{
    auto *menu = new QMenu(popup.text, parent);
    for (const MenuEntry &e : popup.items) {
        if (e.separator)
            menu->addSeparator();
        else
            menu->addAction(make(e.id, e.text, menu));
    }
    return menu;
}

QPixmap Bitmap(int id)
{
    return QPixmap(LanguageBundle::PathOf(QStringLiteral("bitmaps/%1.png").arg(id)));
}

QIcon Icon(int id)
{
    return QIcon(LanguageBundle::PathOf(QStringLiteral("icons/%1.png").arg(id)));
}

QCursor Cursor(int id)
{
    const QPixmap pm(LanguageBundle::PathOf(QStringLiteral("cursors/%1.png").arg(id)));
    if (pm.isNull())
        return QCursor(Qt::SplitHCursor);
    return QCursor(pm, pm.width() / 2, pm.height() / 2);
}

QPixmap ToolbarImage(int command)
{
    return QPixmap(LanguageBundle::PathOf(QStringLiteral("toolbar/%1.png").arg(command)));
}

} // namespace BundleUi
