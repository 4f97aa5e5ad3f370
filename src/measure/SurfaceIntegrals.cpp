// Area, volume and centres of a triangulated surface in one pass.

#include "SurfaceMeasures.h"

#include <cmath>

namespace measure {

namespace {

// Sums kept relative to a corner of the first triangle: far from the origin
// (CT coordinates run to hundreds of millimetres) the tetrahedra from the
// origin would be large and cancel, losing digits of a small volume.
// `Centres` adds the moments the centres need, which the plain measures of a
// model leave out to stay near the cost of reading the triangles.
template<bool Centres> struct Accumulator
{
    Point3 reference {};
    double area = 0, volume6 = 0;
    double areaMoment[3] = {0, 0, 0};   // sum of twice the area x (a + b + c), relative
    double volumeMoment[3] = {0, 0, 0}; // sum of 6 x tetra volume x (a + b + c), relative
    std::size_t degenerate = 0;

    void add(const double *p, const double *q, const double *r)
    {
        const double e1[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
        const double e2[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
        const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
        const double a[3] = {p[0] - reference[0], p[1] - reference[1], p[2] - reference[2]};
        const double twiceArea = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        const double sixVolume = a[0] * n[0] + a[1] * n[1] + a[2] * n[2];
        degenerate += twiceArea == 0;
        area += twiceArea;
        volume6 += sixVolume;
        if constexpr (Centres)
            for (int k = 0; k < 3; ++k) {
                const double sum = 3 * a[k] + e1[k] + e2[k]; // a + b + c, relative
                areaMoment[k] += twiceArea * sum;
                volumeMoment[k] += sixVolume * sum;
            }
    }

    SurfaceIntegrals result() const
    {
        SurfaceIntegrals out;
        out.area = area / 2;
        out.signedVolume = volume6 / 6;
        out.degenerateTriangles = degenerate;
        for (int k = 0; k < 3; ++k) {
            // A tetrahedron's centre is the mean of its four corners, one of
            // them the reference point (0 here); a triangle's the mean of three.
            out.volumeCentroid[k] =
                reference[k] + (volume6 != 0 ? volumeMoment[k] / (4 * volume6) : 0);
            out.areaCentroid[k] = reference[k] + (area != 0 ? areaMoment[k] / (3 * area) : 0);
        }
        return out;
    }
};

} // namespace

SurfaceIntegrals integrate(const TriangleSurface &surface)
{
    Accumulator<false> sum;
    const std::size_t n = surface.triangleCount();
    if (n > 0)
        sum.reference = surface.point(surface.triangles[0]);
    const std::uint32_t *t = surface.triangles.data();
    const double *p = surface.points.data();
    for (std::size_t i = 0; i < n; ++i, t += 3)
        sum.add(p + 3 * std::size_t(t[0]), p + 3 * std::size_t(t[1]), p + 3 * std::size_t(t[2]));
    SurfaceIntegrals out = sum.result();
    out.volumeCentroid = out.areaCentroid = {}; // not computed
    return out;
}

SurfaceIntegrals integrate(const TriangleSurface &surface, const std::vector<std::uint32_t> &which)
{
    Accumulator<true> sum;
    if (!which.empty())
        sum.reference = surface.point(surface.triangles[3 * std::size_t(which[0])]);
    for (std::uint32_t t : which)
        sum.add(surface.corner(t, 0), surface.corner(t, 1), surface.corner(t, 2));
    return sum.result();
}

} // namespace measure
