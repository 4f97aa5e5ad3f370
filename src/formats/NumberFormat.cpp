#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A finite value rounded to a number of significant digits: the digits, the
// decimal exponent of the first one, and the sign.
struct Rounded
{
    char digits[24];
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Rounds `value` to `precision` (at most 15) significant digits starting from
// its shortest round-trip form, which std::to_chars finds several times faster
// than a correctly rounded form of given precision. The shortest form lies
// within half an ulp of the value and is the nearest among forms of its
// length, so no rounding midpoint can lie between it and the value, except
// when it is itself one digit longer than wanted and ends in 5. That case, and
// subnormal values whose ulp is too coarse for the argument, return false.
bool roundShortest(double value, int precision, Rounded &r)
{
    if (!std::isfinite(value)
        || (value != 0 && std::abs(value) < std::numeric_limits<double>::min()))
        return false;
    char text[kMaxNumberChars];
    const char *end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    const char *p = text;
    r.negative = *p == '-';
    p += r.negative;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            r.digits[r.count++] = *p;
    const bool negativeExponent = p[1] == '-';
    int exponent = 0;
    std::from_chars(p + 2, end, exponent);
    r.exponent = negativeExponent ? -exponent : exponent;

    if (r.count > precision) {
        const char next = r.digits[precision];
        if (next == '5' && r.count == precision + 1)
            return false;
        r.count = precision;
        if (next >= '5') {
            int i = precision - 1;
            while (i >= 0 && r.digits[i] == '9')
                r.digits[i--] = '0';
            if (i < 0) {
                r.digits[0] = '1';
                ++r.exponent;
            } else {
                ++r.digits[i];
            }
        }
    }
    while (r.count < precision)
        r.digits[r.count++] = '0';
    return true;
}

char *appendExponent(char *out, int exponent)
{
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}

// Mantissa digits first..last-1 after the decimal point, the point only when
// there are any.
char *appendFraction(char *out, const char *first, const char *last)
{
    if (first == last)
        return out;
    *out++ = '.';
    while (first != last)
        *out++ = *first++;
    return out;
}

char *appendScientific(char *out, const Rounded &r, bool trimZeros)
{
    int count = r.count;
    while (trimZeros && count > 1 && r.digits[count - 1] == '0')
        --count;
    *out++ = r.digits[0];
    out = appendFraction(out, r.digits + 1, r.digits + count);
    return appendExponent(out, r.exponent);
}

// The fixed form of %g: the digits around the point, trailing zeros dropped.
char *appendFixed(char *out, const Rounded &r)
{
    int count = r.count;
    while (count > r.exponent + 1 && count > 1 && r.digits[count - 1] == '0')
        --count;
    if (r.exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > r.exponent; --i)
            *out++ = '0';
        for (int i = 0; i < count; ++i)
            *out++ = r.digits[i];
        return out;
    }
    for (int i = 0; i <= r.exponent; ++i)
        *out++ = r.digits[i];
    return appendFraction(out, r.digits + r.exponent + 1, r.digits + count);
}

} // namespace

char *appendG(char *out, double value)
{
    constexpr int precision = 6;
    Rounded r;
    if (!roundShortest(value, precision, r))
        return std::to_chars(out, out + kMaxNumberChars, value, std::chars_format::general,
                             precision)
            .ptr;
    if (r.negative)
        *out++ = '-';
    if (r.exponent < -4 || r.exponent >= precision)
        return appendScientific(out, r, true);
    return appendFixed(out, r);
}

char *appendE8(char *out, double value)
{
    constexpr int precision = 9;
    const double single = static_cast<float>(value);
    Rounded r;
    if (!roundShortest(single, precision, r))
        return std::to_chars(out, out + kMaxNumberChars, single, std::chars_format::scientific,
                             precision - 1)
            .ptr;
    if (r.negative)
        *out++ = '-';
    return appendScientific(out, r, false);
}

char *appendInt(char *out, long long value)
{
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}
