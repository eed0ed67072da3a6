#include "dialogs/CProductInfoDlg.h"

#include "app/AppState.h"
#include "app/CommandIds.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "image/ProductInfo.h"

#include <QComboBox>

namespace {

// The list entry at a stored index; no selection when the list has none.
int IndexWithin(uint32_t stored, int count) { return stored < uint32_t(count) ? int(stored) : -1; }

void Fill(QComboBox *list, const QList<QByteArray> &texts)
{
    list->clear();
    for (const QByteArray &t : texts)
        list->addItem(CProfileFile::Decode(t));
}

} // namespace

CProductInfoDlg::CProductInfoDlg(AppState &app, QWidget *parent) : TemplateDialog(app, Res::ProductDialog, parent)
{
    m_comboType = Get<QComboBox>(kTypeList);
    m_comboBand = Get<QComboBox>(kBandList);
    if (m_comboType)
        connect(m_comboType, qOverload<int>(&QComboBox::activated), this, &CProductInfoDlg::OnSelchangeType);
}

int CProductInfoDlg::DoModal(CProgramDoc &doc, CProgramView *view)
{
    OnInitDialog(doc, view);
    const int result = exec();
    m_doc = nullptr;
    m_view = nullptr;
    return result;
}

void CProductInfoDlg::OnInitDialog(CProgramDoc &doc, CProgramView *view)
{
    m_doc = &doc;
    m_view = view;
    if (!m_comboType || !m_comboBand)
        return;
    m_comboType->setEnabled(false);
    m_comboBand->setEnabled(false);
    m_types = corvane::RadioTypeNames(m_app.settings);
    Fill(m_comboType, m_types);
    uint32_t type = 0, field = 0;
    corvane::ReadStoredProduct(m_app, type, field);
    m_comboType->setCurrentIndex(IndexWithin(type, m_types.size()));
    OnSelchangeType();
    m_comboBand->setCurrentIndex(IndexWithin(field, m_bands.size()));
    FocusFirstControl();
}

void CProductInfoDlg::FillBands(int typeIndex)
{
    m_bands = corvane::BandEntries(m_app.settings, typeIndex);
    Fill(m_comboBand, m_bands);
}

void CProductInfoDlg::OnSelchangeType()
{
    FillBands(m_comboType->currentIndex());
    m_comboBand->setCurrentIndex(0);
}

void CProductInfoDlg::accept()
{
    if (m_doc && m_comboType && m_comboBand) {
        corvane::ProductChoice choice;
        choice.typeIndex = m_comboType->currentIndex();
        choice.bandIndex = m_comboBand->currentIndex();
        choice.typeText = m_types.value(choice.typeIndex);
        choice.bandText = m_bands.value(choice.bandIndex);
        const corvane::MemoryImage before = m_doc->m_image;
        const ViewImageState viewBefore = m_view ? m_view->ImageState() : ViewImageState();
        const corvane::ProductOutcome out = corvane::ApplyProductChoice(choice, m_doc->m_image, m_app);
        if (out.applied) {
            m_app.SetCaption(out.caption);
            if (m_view) {
                m_view->m_nBandLow = out.bandLow;
                m_view->m_nBandHigh = out.bandHigh;
            }
        }
        if (m_view)
            m_view->ImageEdited(viewBefore);
        else if (m_doc->m_image != before)
            m_doc->SetModifiedFlag(true);
    }
    QDialog::accept();
}
