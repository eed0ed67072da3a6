#include "app/CAboutDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"

#include <QIcon>
#include <QLabel>

CAboutDlg::CAboutDlg(AppState &app, QWidget *parent) : QDialog(parent), m_builder(this)
{
    m_builder.Build(Res::AboutDialog);
    setWindowTitle(app.LanguageText("About Title"));
    const char *keys[3] = {"Version", "Copyrights", "Copyrights Owner"};
    for (int i = 0; i < 3; ++i)
        if (auto *label = m_builder.Get<QLabel>(1001 + i))
            label->setText(app.LanguageText(keys[i]));
    const QIcon icon(QStringLiteral("title.ico"));
    auto *picture = m_builder.Get<QLabel>(1004);
    if (picture && !icon.availableSizes().isEmpty())
        picture->setPixmap(icon.pixmap(icon.availableSizes().constLast()).scaled(
            picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
