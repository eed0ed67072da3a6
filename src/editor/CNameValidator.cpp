#include "editor/CNameValidator.h"

#include "image/Codecs.h"

QValidator::State CNameValidator::validate(QString &input, int &pos) const
{
    // Only ASCII letters are raised: the upper case of other letters
    // (a sharp s, a dotless i) would turn them into name characters.
    for (QChar &c : input)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = c.toUpper();
    pos = qMin(pos, static_cast<int>(input.size()));
    return corvane::IsNameText(input) ? Acceptable : Invalid;
}
