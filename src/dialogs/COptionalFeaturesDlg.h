#pragma once
// The Optional Features dialog (template 132): the "Beep" check box and
// sixteen drop-down lists, one per field of the option table, over the
// option bytes of one document's image. Each opening shows the image's
// current values (a stored value beyond its list shows no selection,
// except "Call Key Define", which shows item 0); OK writes every control
// back in the fixed write order and marks the document modified when a
// byte changed; Cancel writes nothing. The lists hold the option table's
// items in the current language.
#include "dialogs/TemplateDialog.h"
#include "image/OptionChoices.h"

#include <vector>

class CProgramDoc;
class QCheckBox;
class QComboBox;

class COptionalFeaturesDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(AppState &app, QWidget *parent = nullptr);

    // Opens on doc's image and runs modally; returns the dialog's result.
    int DoModal(CProgramDoc &doc);
    // Sets every control from doc's image; OK will write to it.
    void OnInitDialog(CProgramDoc &doc);
    // The controls' states, in the order of the option table.
    std::vector<corvane::OptionChoice> Choices() const;

    QComboBox *List(int controlId) const;
    QCheckBox *Beep() const;

public slots:
    void accept() override; // OnOK

private:
    CProgramDoc *m_doc = nullptr;
};
