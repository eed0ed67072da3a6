#include "image/Codecs.h"

#include "image/DecimalMath.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace corvane {

namespace {

// A decimal value mant × 10^exp with a 15-digit mantissa.
struct Decimal15 {
    bool negative = false;
    unsigned long long mant = 0;
    int exp = 0;
};

// Rounds a finite, non-zero x to 15 significant digits exactly as "%.14e"
// prints it. to_chars is used because it ignores the C locale's decimal
// point, which a desktop session may have set to ','.
Decimal15 ToDecimal15(double x)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    Decimal15 d;
    const char *p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.mant = d.mant * 10 + static_cast<unsigned>(*p - '0');
    }
    // The exponent reads "e+02" or "e-05"; from_chars takes no '+'.
    const char *e = p + 1;
    if (e < res.ptr && *e == '+')
        ++e;
    int exponent = 0;
    std::from_chars(e, res.ptr, exponent);
    d.exp = exponent - 14;
    return d;
}

// The nearest double to digits × 10^exp; ±inf on overflow, ±0 on underflow.
// digits < 10^30 is printed as two 15-digit halves.
double DecimalToDouble(bool negative, unsigned __int128 digits, int exp)
{
    constexpr unsigned long long half = 1000000000000000ULL; // 10^15
    const auto hi = static_cast<unsigned long long>(digits / half);
    const auto lo = static_cast<unsigned long long>(digits % half);
    char text[80];
    const int len = hi ? std::snprintf(text, sizeof text, "%llu%015llue%d", hi, lo, exp)
                       : std::snprintf(text, sizeof text, "%llue%d", lo, exp);
    const int digitCount = static_cast<int>(std::strchr(text, 'e') - text);
    double value = 0.0;
    const auto res = std::from_chars(text, text + len, value);
    if (res.ec == std::errc::result_out_of_range)
        value = (digitCount + exp > 0) ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}


// The text's leading ASCII part, as a C string would see it: the first
// non-ASCII character (or NUL) ends it.
std::string AsciiPrefix(const QString &text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0 || u > 0x7F)
            break;
        out.push_back(static_cast<char>(u));
    }
    return out;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

// Truncates toward zero into the 32-bit range: NaN gives 0, values beyond
// the range give the nearest end, so no cast is ever undefined.
int32_t TruncateToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

QString FixedPoint(long long value, int decimals)
{
    char buf[32];
    char *end = buf + sizeof buf;
    char *p = end;
    unsigned long long mag = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                       : static_cast<unsigned long long>(value);
    for (int k = 0; k < decimals; ++k, mag /= 10)
        *--p = static_cast<char>('0' + mag % 10);
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + mag % 10);
        mag /= 10;
    } while (mag);
    if (value < 0)
        *--p = '-';
    return QString::fromLatin1(p, static_cast<int>(end - p));
}

// The number at the start of text times 10^decimals, truncated: the
// integer form of TruncateToInt32(DecimalMultiply(ParseNumber(text), 10^d)).
// A plain decimal of at most 15 significant digits is exact in integers
// (the 15-digit rounding gives back the typed digits, and the product's
// distance to the next integer is far above half an ulp); anything else
// takes the general route.
int32_t ScaledTruncated(const QString &text, int decimals)
{
    static const double kScale[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0};
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n && text[i].unicode() < 0x80 && IsCSpace(static_cast<char>(text[i].unicode())))
        ++i;
    const bool negative = i < n && text[i] == QLatin1Char('-');
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    long long whole = 0;
    int significant = 0, digits = 0, fracDigits = 0, wholeDigits = 0;
    bool dot = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == '.' && !dot) {
            dot = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        ++digits;
        if (significant > 0 || c != '0') {
            ++significant;
            wholeDigits += dot ? 0 : 1;
        }
        if (dot && fracDigits++ >= decimals)
            continue; // beyond the scale: truncated away
        // Past these counts the general route below takes over, so the
        // digits need not (and must not: 19 nines overflow) be accumulated.
        if (significant > 15 || wholeDigits > 10)
            continue;
        whole = whole * 10 + (c - '0');
    }
    const bool exponent = i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'));
    // Beyond ten whole digits the result saturates anyway; the general
    // route keeps the integer below from overflowing.
    if (exponent || significant > 15 || wholeDigits > 10)
        return TruncateToInt32(DecimalMultiply(ParseNumber(text), kScale[decimals]));
    if (digits == 0)
        return 0;
    for (int k = std::min(fracDigits, decimals); k < decimals; ++k)
        whole *= 10;
    whole = negative ? -whole : whole;
    return static_cast<int32_t>(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, whole)));
}
double DecimalMultiply(double a, double b)
{
    // IEEE arithmetic already gives the right answer for these, including
    // the sign of a zero and inf × 0 = NaN.
    if (!std::isfinite(a) || !std::isfinite(b) || a == 0.0 || b == 0.0)
        return a * b;
    const Decimal15 x = ToDecimal15(a);
    const Decimal15 y = ToDecimal15(b);
    // Both mantissas are below 10^15, so the product stays below 10^30 < 2^100.
    const unsigned __int128 product = static_cast<unsigned __int128>(x.mant) * y.mant;
    return DecimalToDouble(x.negative != y.negative, product, x.exp + y.exp);
}

double ParseNumber(const QString &text)
{
    const std::string s = AsciiPrefix(text);
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n && IsCSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const std::size_t body = i;
    // magnitude: the power of ten of the first non-zero digit, kept to decide
    // overflow against underflow when the value is beyond a double.
    long long magnitude = 0;
    bool nonZero = false;
    std::size_t digits = 0;
    for (; i < n && IsDigit(s[i]); ++i, ++digits) {
        if (nonZero)
            ++magnitude;
        else if (s[i] != '0')
            nonZero = true;
    }
    if (i < n && s[i] == '.') {
        for (++i; i < n && IsDigit(s[i]); ++i, ++digits) {
            if (!nonZero) {
                --magnitude;
                nonZero = s[i] != '0';
            }
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows "e[sign]".
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool expNegative = j < n && s[j] == '-';
        if (j < n && (s[j] == '+' || s[j] == '-'))
            ++j;
        long long e = 0;
        for (; j < n && IsDigit(s[j]); ++j) {
            e = std::min(e * 10 + (s[j] - '0'), 1000000LL);
            i = j + 1;
        }
        magnitude += expNegative ? -e : e;
    }
    double value = 0.0;
    const auto res = std::from_chars(s.data() + body, s.data() + i, value);
    if (res.ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

int ParseInteger(const QString &text)
{
    const std::string s = AsciiPrefix(text);
    std::size_t i = 0;
    while (i < s.size() && IsCSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    // Accumulated as a negative number so INT_MIN fits; clamped at the ends.
    long long v = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        v = v * 10 - (s[i] - '0');
        if (v < INT_MIN)
            v = static_cast<long long>(INT_MIN) - 1; // keeps the clamp sticky
    }
    if (negative)
        return v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return -v > INT_MAX ? INT_MAX : static_cast<int>(-v);
}
} // namespace corvane
