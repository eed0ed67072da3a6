#pragma once
// Exact decimal arithmetic behind the field codecs: numbers typed as
// decimal text are turned into integer units without binary rounding.
#include <QString>
#include <cstdint>

namespace corvane {

// value / 10^decimals printed with exactly `decimals` decimals (0-5), as
// "%3.<decimals>f" prints the double nearest that quotient.
QString FixedPoint(long long value, int decimals);

// TruncateToInt32(DecimalMultiply(ParseNumber(text), 10^decimals)) for
// decimals 0-5, computed in integers where the text allows.
int32_t ScaledTruncated(const QString &text, int decimals);

// Truncates toward zero into the 32-bit range: NaN gives 0, values beyond
// the range give the nearest end.
int32_t TruncateToInt32(double v);

} // namespace corvane
