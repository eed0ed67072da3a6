#pragma once
// The Optional Features dialog (template 132): the "Beep" check box and
// sixteen drop-down lists, one per field of the option table, over the
// option bytes of one document's image. Each opening shows the image's
// current values (a stored value beyond its list shows no selection,
// except "Call Key Define", which shows item 0); OK writes every control
// back in the fixed write order and, when a byte changed, records that as
// one undo step of the document's view (which marks the document
// modified; without a view it marks the document itself); Cancel writes
// nothing. The lists hold the option table's
// items in the current language.
#include "dialogs/TemplateDialog.h"
#include "image/OptionChoices.h"

#include <vector>

class CProgramDoc;
class CProgramView;
class QCheckBox;
class QComboBox;

class COptionalFeaturesDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(AppState &app, QWidget *parent = nullptr);

    // Opens on doc's image and runs modally; returns the dialog's result.
    int DoModal(CProgramDoc &doc, CProgramView *view = nullptr);
    // Sets every control from doc's image; OK will write to it.
    void OnInitDialog(CProgramDoc &doc, CProgramView *view = nullptr);
    // The controls' states, in the order of the option table.
    std::vector<corvane::OptionChoice> Choices() const;

    QComboBox *List(int controlId) const;
    QCheckBox *Beep() const;

public slots:
    void accept() override; // OnOK

private:
    CProgramDoc *m_doc = nullptr;
    CProgramView *m_view = nullptr;
};
