#include "dialogs/COptionalFeaturesDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"

#include <QCheckBox>
#include <QComboBox>

using corvane::OptionChoice;
using corvane::OptionField;
using corvane::OptionFields;
using corvane::OptionKind;

COptionalFeaturesDlg::COptionalFeaturesDlg(AppState &app, QWidget *parent)
    : TemplateDialog(app, Res::OptionsDialog, parent)
{
    // The lists come from the option table, whose indexes the image
    // mapping uses, so a list can never disagree with what it stores.
    for (const OptionField &f : OptionFields()) {
        if (QComboBox *list = List(f.controlId)) {
            list->clear();
            list->addItems(f.Items(app.chinese));
        }
    }
}

QComboBox *COptionalFeaturesDlg::List(int controlId) const { return Get<QComboBox>(controlId); }

QCheckBox *COptionalFeaturesDlg::Beep() const
{
    for (const OptionField &f : OptionFields())
        if (f.kind == OptionKind::CheckBit)
            return Get<QCheckBox>(f.controlId);
    return nullptr;
}

int COptionalFeaturesDlg::DoModal(CProgramDoc &doc, CProgramView *view)
{
    OnInitDialog(doc, view);
    const int result = exec();
    m_doc = nullptr;
    m_view = nullptr;
    return result;
}

void COptionalFeaturesDlg::OnInitDialog(CProgramDoc &doc, CProgramView *view)
{
    m_doc = &doc;
    m_view = view;
    for (const OptionChoice &c : corvane::OptionChoicesFromImage(doc.m_image)) {
        if (c.field->kind == OptionKind::CheckBit) {
            if (QCheckBox *box = Beep())
                box->setChecked(c.index == 1);
        } else if (QComboBox *list = List(c.field->controlId)) {
            list->setCurrentIndex(c.index < list->count() ? c.index : -1);
        }
    }
    FocusFirstControl();
}

std::vector<OptionChoice> COptionalFeaturesDlg::Choices() const
{
    std::vector<OptionChoice> choices;
    for (const OptionField &f : OptionFields()) {
        int index = -1;
        if (f.kind == OptionKind::CheckBit) {
            const QCheckBox *box = Beep();
            index = box && box->isChecked() ? 1 : 0;
        } else if (const QComboBox *list = List(f.controlId)) {
            index = list->currentIndex();
        }
        choices.push_back({&f, index});
    }
    return choices;
}

void COptionalFeaturesDlg::accept()
{
    if (m_view) {
        const ViewImageState before = m_view->ImageState();
        corvane::ApplyOptionChoices(Choices(), m_doc->m_image);
        m_view->ImageEdited(before);
    } else if (m_doc && corvane::ApplyOptionChoices(Choices(), m_doc->m_image)) {
        m_doc->SetModifiedFlag(true);
    }
    QDialog::accept();
}
