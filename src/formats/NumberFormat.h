#pragma once

#include <cstddef>

// The number forms of the text writers, byte for byte those of printf in the
// C locale. Each function writes at most kMaxNumberChars characters at `out`
// and returns the end of what it wrote.
constexpr std::size_t kMaxNumberChars = 32;

// printf("%g"): six significant digits, the shorter of fixed and exponent form.
char *appendG(char *out, double value);

// printf("%.8e") of the value rounded to single precision.
char *appendE8(char *out, double value);

// A decimal integer.
char *appendInt(char *out, long long value);
