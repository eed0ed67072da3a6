#include "dialogs/TemplateDialog.h"

#include "app/AppState.h"
#include "app/HelpService.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

TemplateDialog::TemplateDialog(AppState &app, int templateId, QWidget *parent)
    : QDialog(parent), m_app(app), m_builder(this)
{
    m_builder.Build(templateId);
    // A fixed-size modal dialog: a title and a close button, nothing to
    // minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    for (const DialogControl &c : m_builder.Template().controls) {
        QWidget *w = m_builder.Control(c.id);
        if (!w)
            continue;
        w->installEventFilter(this);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->view()->installEventFilter(this); // keys of the opened list
    }
}

void TemplateDialog::FocusFirstControl()
{
    for (const DialogControl &c : m_builder.Template().controls) {
        QWidget *w = m_builder.Control(c.id);
        if (w && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool TemplateDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1)
        HelpService::Show(m_app.helpFile, m_builder.IdOf(watched));
    return QDialog::eventFilter(watched, event);
}
