#include "app/CLanguageDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "app/HelpService.h"

#include <QKeyEvent>
#include <QRadioButton>

CLanguageDlg::CLanguageDlg(AppState &app, QWidget *parent) : QDialog(parent), m_app(app), m_builder(this)
{
    m_builder.Build(Res::LanguageDialog);
    m_nIndex = m_app.chinese ? 1 : 0;
    if (auto *b = m_builder.Get<QRadioButton>(m_nIndex ? 1007 : 1006))
        b->setChecked(true);
}

void CLanguageDlg::accept()
{
    const auto *english = m_builder.Get<QRadioButton>(1006);
    const auto *chinese = m_builder.Get<QRadioButton>(1007);
    m_nIndex = chinese && chinese->isChecked() ? 1 : english && english->isChecked() ? 0 : -1;
    if ((m_nIndex == 1 && !m_app.chinese) || (m_nIndex == 0 && m_app.chinese)) {
        m_bChanged = true;
        m_app.settings.SetString("Setup", "Language", m_app.chinese ? "English" : "Chinese");
    }
    QDialog::accept();
}

void CLanguageDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1)
        HelpService::Show(m_app.helpFile, kHelpContext);
    QDialog::keyPressEvent(event);
}
