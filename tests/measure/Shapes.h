#pragma once

// Surfaces with known measures for the measuring tests.

#include "measure/Surface.h"

#include <cmath>
#include <numbers>
#include <utility>

using measure::TriangleSurface;

// An axis-aligned box from `lo` with sides `size`, outward triangles.
inline TriangleSurface box(std::array<double, 3> lo, std::array<double, 3> size)
{
    TriangleSurface s;
    for (int i = 0; i < 8; ++i)
        s.points.insert(s.points.end(),
                        {lo[0] + (i & 1 ? size[0] : 0), lo[1] + (i & 2 ? size[1] : 0),
                         lo[2] + (i & 4 ? size[2] : 0)});
    // Corner bits: 1 = +x, 2 = +y, 4 = +z; each face counter-clockwise from outside.
    const std::uint32_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto &q : quads)
        s.triangles.insert(s.triangles.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
    return s;
}

inline TriangleSurface cube(double x = 0, double y = 0, double z = 0, double side = 1)
{
    return box({x, y, z}, {side, side, side});
}

// The triangles of b after those of a, in one surface.
inline TriangleSurface joined(const TriangleSurface &a, const TriangleSurface &b)
{
    TriangleSurface s = a;
    const auto base = std::uint32_t(a.vertexCount());
    s.points.insert(s.points.end(), b.points.begin(), b.points.end());
    for (std::uint32_t v : b.triangles)
        s.triangles.push_back(base + v);
    return s;
}

inline TriangleSurface flipped(TriangleSurface s)
{
    for (std::size_t t = 0; t < s.triangleCount(); ++t)
        std::swap(s.triangles[3 * t + 1], s.triangles[3 * t + 2]);
    return s;
}

// A UV sphere with its vertices on the sphere: `rings` latitude bands.
inline TriangleSurface sphere(std::array<double, 3> c, double r, int rings)
{
    TriangleSurface s;
    const int sectors = 2 * rings;
    const double pi = std::numbers::pi;
    s.points.insert(s.points.end(), {c[0], c[1], c[2] + r});
    for (int i = 1; i < rings; ++i)
        for (int j = 0; j < sectors; ++j) {
            const double theta = pi * i / rings, phi = 2 * pi * j / sectors;
            s.points.insert(s.points.end(),
                            {c[0] + r * std::sin(theta) * std::cos(phi),
                             c[1] + r * std::sin(theta) * std::sin(phi),
                             c[2] + r * std::cos(theta)});
        }
    s.points.insert(s.points.end(), {c[0], c[1], c[2] - r});
    const auto south = std::uint32_t(s.vertexCount() - 1);
    auto at = [&](int ring, int j) {
        return std::uint32_t(1 + (ring - 1) * sectors + j % sectors);
    };
    for (int j = 0; j < sectors; ++j) {
        s.triangles.insert(s.triangles.end(), {0, at(1, j), at(1, j + 1)});
        s.triangles.insert(s.triangles.end(), {south, at(rings - 1, j + 1), at(rings - 1, j)});
    }
    for (int i = 1; i + 1 < rings; ++i)
        for (int j = 0; j < sectors; ++j)
            s.triangles.insert(s.triangles.end(),
                               {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j),
                                at(i + 1, j + 1), at(i, j + 1)});
    return s;
}

// A torus around the z axis: major radius R, minor r.
inline TriangleSurface torus(double R, double r, int n, int m)
{
    TriangleSurface s;
    const double pi = std::numbers::pi;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j) {
            const double u = 2 * pi * i / n, v = 2 * pi * j / m;
            s.points.insert(s.points.end(),
                            {(R + r * std::cos(v)) * std::cos(u),
                             (R + r * std::cos(v)) * std::sin(u), r * std::sin(v)});
        }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j) {
            const auto a = std::uint32_t(i * m + j), b = std::uint32_t((i + 1) % n * m + j),
                       c = std::uint32_t((i + 1) % n * m + (j + 1) % m),
                       d = std::uint32_t(i * m + (j + 1) % m);
            s.triangles.insert(s.triangles.end(), {a, b, c, a, c, d});
        }
    return s;
}
