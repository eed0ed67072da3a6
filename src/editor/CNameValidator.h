#pragma once
// Input rule of the channel-name editor: only the characters the radio can
// store (0-9, A-Z, "-" and "_"); typed letters become upper case, anything
// else is refused as it is typed or pasted, so the cell shows exactly what
// is saved. The length limit (6 characters) is the line edit's maximum
// length.
#include <QValidator>

class CNameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
