#include "NumberFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// A finite value rounded to a number of significant digits: the digits, the
// decimal exponent of the first one, and the sign.
struct Rounded
{
    char digits[16];
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = 22; // 10^k is exact in double up to here

// |value| times 10^k, rounded once; false when 10^k is not exact.
bool scaled(double magnitude, int k, double &result)
{
    if (k > kExactPowers || k < -kExactPowers)
        return false;
    result = k >= 0 ? magnitude * kPowersOfTen[k] : magnitude / kPowersOfTen[-k];
    return true;
}

// Rounds `value` to `precision` (at most 9) significant digits. Scaling by an
// exact power of ten is a single rounded operation, so the scaled value is
// within half an ulp (below 1e-7) of the true one and rounds the same way
// unless it lies next to a midpoint. Such near-ties, and values whose scale
// needs an inexact power of ten, return false.
bool roundScaled(double value, int precision, Rounded &r)
{
    if (!std::isfinite(value))
        return false;
    r.negative = std::signbit(value);
    const double magnitude = std::abs(value);
    std::uint64_t digits = 0;
    if (magnitude != 0) {
        // The decimal exponent is this estimate or one more.
        const int binaryExponent = int(std::bit_cast<std::uint64_t>(magnitude) >> 52) - 1023;
        r.exponent = int(std::floor(binaryExponent * 0.30102999566398120));
        double m;
        if (!scaled(magnitude, precision - 1 - r.exponent, m))
            return false;
        if (m >= kPowersOfTen[precision]) {
            ++r.exponent;
            if (!scaled(magnitude, precision - 1 - r.exponent, m))
                return false;
        }
        const double whole = double(std::uint64_t(m)); // m is positive and below 2^53
        const double fraction = m - whole;
        if (std::abs(fraction - 0.5) < 1e-6)
            return false;
        digits = std::uint64_t(whole) + (fraction > 0.5);
        if (digits == std::uint64_t(kPowersOfTen[precision])) {
            digits /= 10;
            ++r.exponent;
        }
    } else {
        r.exponent = 0;
    }
    r.count = precision;
    char *end = r.digits + precision;
    std::fill(r.digits, end, '0');
    if (digits != 0)
        std::to_chars(r.digits, end, digits);
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
    if (!roundScaled(value, precision, r))
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
    if (!roundScaled(single, precision, r))
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
