#include "Affine.h"

#include <cmath>

double Affine::determinant() const
{
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1])
        - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
        + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

bool Affine::isUsable() const
{
    for (const auto &row : m)
        for (double v : row)
            if (!std::isfinite(v))
                return false;
    for (int c = 0; c < 3; ++c)
        if (spacing(c) == 0)
            return false;
    return std::isfinite(determinant()) && determinant() != 0;
}

double Affine::spacing(int axis) const
{
    return std::sqrt(m[0][axis] * m[0][axis] + m[1][axis] * m[1][axis] + m[2][axis] * m[2][axis]);
}

Affine Affine::inverse() const
{
    const double d = determinant();
    Affine inv;
    // The adjugate of the 3 × 3 block over its determinant.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3;
            const int c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            inv.m[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / d;
        }
    for (int r = 0; r < 3; ++r)
        inv.m[r][3] = -(inv.m[r][0] * m[0][3] + inv.m[r][1] * m[1][3] + inv.m[r][2] * m[2][3]);
    return inv;
}
