#pragma once
// The Product Information dialog (template 136): the radio type (list
// 1013) and frequency band (list 1014) of one document, both lists shown
// disabled. It opens on the per-user pair: the Type list holds the
// configured type names, the Frequency list the band texts of the selected
// type. OK applies the pair (corvane::ApplyProductChoice): image, per-user
// store, the application caption and the view's band limits; when a byte
// of the image changed, the view records that as one undo step (image,
// band limits and caption), which marks the document modified. Cancel
// changes nothing.
#include "dialogs/TemplateDialog.h"

#include <QByteArray>
#include <QList>

class CProgramDoc;
class CProgramView;
class QComboBox;

class CProductInfoDlg : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int kTypeList = 1013;
    static constexpr int kBandList = 1014;

    explicit CProductInfoDlg(AppState &app, QWidget *parent = nullptr);

    // Opens on doc (whose view takes the band limits) and runs modally.
    int DoModal(CProgramDoc &doc, CProgramView *view);
    // Fills both lists and selects the per-user pair; OK will apply to doc.
    void OnInitDialog(CProgramDoc &doc, CProgramView *view);
    // Fills the Frequency list for the selected type and selects entry 0.
    void OnSelchangeType();

    QComboBox *m_comboType = nullptr;
    QComboBox *m_comboBand = nullptr;

public slots:
    void accept() override; // OnOK

private:
    void FillBands(int typeIndex);

    QList<QByteArray> m_types;
    QList<QByteArray> m_bands;
    CProgramDoc *m_doc = nullptr;
    CProgramView *m_view = nullptr;
};
