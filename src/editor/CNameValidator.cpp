#include "editor/CNameValidator.h"

QValidator::State CNameValidator::validate(QString &input, int &pos) const
{
    input = input.toUpper();
    pos = qMin(pos, static_cast<int>(input.size()));
    return Acceptable;
}
