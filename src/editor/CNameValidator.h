#pragma once
// Input rule of the channel-name editor: typed letters are shown in upper
// case. The length limit (6 characters) is the line edit's maximum length.
#include <QValidator>

class CNameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};
