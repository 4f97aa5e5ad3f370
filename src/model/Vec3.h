#pragma once

#include <array>
#include <cmath>

// A point or direction in three dimensions, and the few operations the
// readers' geometry needs on it.
using Vec3 = std::array<double, 3>;

inline double dot(const Vec3 &a, const Vec3 &b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

inline Vec3 cross(const Vec3 &a, const Vec3 &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline Vec3 scaled(const Vec3 &a, double s)
{
    return {a[0] * s, a[1] * s, a[2] * s};
}

inline Vec3 minus(const Vec3 &a, const Vec3 &b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

inline double length(const Vec3 &a)
{
    return std::sqrt(dot(a, a));
}

// `a` of length 1 (not finite when `a` is 0).
inline Vec3 unit(const Vec3 &a)
{
    const double l = length(a);
    return {a[0] / l, a[1] / l, a[2] / l};
}
