// The exact predicates, CGAL's reference triangle distance and the convex
// hull, on CGAL's kernel of exact predicates and double constructions.

#include "ExactTests.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/convex_hull_3.h>
#include <CGAL/intersections.h>
#include <CGAL/squared_distance_3.h>

#include <algorithm>
#include <variant>

namespace measure {

namespace {

using K = CGAL::Exact_predicates_inexact_constructions_kernel;
using P = K::Point_3;
using S = K::Segment_3;
using T = K::Triangle_3;

P cgal(const double *p)
{
    return P(p[0], p[1], p[2]);
}

Point3 ours(const P &p)
{
    return {p.x(), p.y(), p.z()};
}

// A triangle as what it is: a triangle, or the segment or point it
// collapses to.
using Shape = std::variant<P, S, T>;

Shape shapeOf(const double *const corners[3])
{
    const P a = cgal(corners[0]), b = cgal(corners[1]), c = cgal(corners[2]);
    if (!CGAL::collinear(a, b, c))
        return T(a, b, c);
    // The two corners farthest apart span the others.
    const P *ends[2] = {&a, &b};
    if (CGAL::compare_distance(a, c, *ends[0], *ends[1]) == CGAL::LARGER)
        ends[1] = &c;
    if (CGAL::compare_distance(b, c, *ends[0], *ends[1]) == CGAL::LARGER) {
        ends[0] = &b;
        ends[1] = &c;
    }
    if (*ends[0] == *ends[1])
        return a;
    return S(*ends[0], *ends[1]);
}

template<class A, class B> bool meet(const A &a, const B &b)
{
    if constexpr (std::is_same_v<A, P> && std::is_same_v<B, P>)
        return a == b;
    else if constexpr (std::is_same_v<A, P>)
        return b.has_on(a);
    else if constexpr (std::is_same_v<B, P>)
        return a.has_on(b);
    else
        return CGAL::do_intersect(a, b);
}

template<class A, class B> double shapeDistance2(const A &a, const B &b)
{
    if constexpr (std::is_same_v<A, S> && std::is_same_v<B, T>) {
        if (CGAL::do_intersect(a, b))
            return 0;
        double d =
            std::min(CGAL::squared_distance(a.source(), b), CGAL::squared_distance(a.target(), b));
        for (int i = 0; i < 3; ++i)
            d = std::min(d, CGAL::squared_distance(a, S(b.vertex(i), b.vertex(i + 1))));
        return d;
    } else if constexpr (std::is_same_v<A, T> && std::is_same_v<B, S>) {
        return shapeDistance2(b, a);
    } else {
        return CGAL::to_double(CGAL::squared_distance(a, b));
    }
}

} // namespace

int orientation(const double *a, const double *b, const double *c, const double *d)
{
    return int(CGAL::orientation(cgal(a), cgal(b), cgal(c), cgal(d)));
}

bool trianglesIntersect(const double *const a[3], const double *const b[3])
{
    return std::visit([](const auto &x, const auto &y) { return meet(x, y); }, shapeOf(a),
                      shapeOf(b));
}

bool coplanarInteriorsOverlap(const double *const a[3], const double *const b[3])
{
    // Projected along the axis the plane faces most: dropping a coordinate
    // is exact, and the projection keeps the triangles' shapes apart.
    const double u[3] = {a[1][0] - a[0][0], a[1][1] - a[0][1], a[1][2] - a[0][2]};
    const double v[3] = {a[2][0] - a[0][0], a[2][1] - a[0][1], a[2][2] - a[0][2]};
    const double n[3] = {std::abs(u[1] * v[2] - u[2] * v[1]), std::abs(u[2] * v[0] - u[0] * v[2]),
                         std::abs(u[0] * v[1] - u[1] * v[0])};
    const int drop = int(std::max_element(n, n + 3) - n);
    const int x = (drop + 1) % 3, y = (drop + 2) % 3;
    using P2 = K::Point_2;
    P2 pa[3], pb[3];
    for (int i = 0; i < 3; ++i) {
        pa[i] = P2(a[i][x], a[i][y]);
        pb[i] = P2(b[i][x], b[i][y]);
    }
    const int sa = int(CGAL::orientation(pa[0], pa[1], pa[2]));
    const int sb = int(CGAL::orientation(pb[0], pb[1], pb[2]));
    if (sa == 0 || sb == 0)
        return false;
    // Separated when every corner of one lies on or outside a side of the other.
    auto separates = [](const P2 *t, int side, const P2 *other) {
        for (int e = 0; e < 3; ++e) {
            bool allOutside = true;
            for (int k = 0; k < 3 && allOutside; ++k)
                allOutside = int(CGAL::orientation(t[e], t[(e + 1) % 3], other[k])) * side <= 0;
            if (allOutside)
                return true;
        }
        return false;
    };
    return !separates(pa, sa, pb) && !separates(pb, sb, pa);
}

int segmentCrossesTriangle(const double *p, const double *q, const double *a, const double *b,
                           const double *c)
{
    const P A = cgal(a), B = cgal(b), C = cgal(c), Pp = cgal(p), Q = cgal(q);
    if (CGAL::collinear(A, B, C))
        return 0; // no area to cross: its neighbours' edges report the graze
    const int o1 = int(CGAL::orientation(A, B, C, Pp)), o2 = int(CGAL::orientation(A, B, C, Q));
    if (o1 == o2 && o1 != 0)
        return 0;
    if (o1 == 0 || o2 == 0)
        return CGAL::do_intersect(S(Pp, Q), T(A, B, C)) ? -1 : 0;
    const int s[3] = {int(CGAL::orientation(Pp, Q, A, B)), int(CGAL::orientation(Pp, Q, B, C)),
                      int(CGAL::orientation(Pp, Q, C, A))};
    const bool positive = std::any_of(s, s + 3, [](int v) { return v > 0; });
    const bool negative = std::any_of(s, s + 3, [](int v) { return v < 0; });
    if (positive && negative)
        return 0;
    return std::count(s, s + 3, 0) == 0 ? 1 : -1;
}

double referenceTriangleDistance2(const double *const a[3], const double *const b[3])
{
    return std::visit([](const auto &x, const auto &y) { return shapeDistance2(x, y); }, shapeOf(a),
                      shapeOf(b));
}

bool ConvexHull::contains(const Point3 &p) const
{
    if (faces.empty())
        return false;
    for (const auto &f : faces)
        if (orientation(corners[f[0]].data(), corners[f[1]].data(), corners[f[2]].data(), p.data())
            > 0)
            return false;
    return true;
}

ConvexHull convexHull(const std::vector<Point3> &points)
{
    std::vector<P> in;
    in.reserve(points.size());
    for (const Point3 &p : points)
        in.emplace_back(p[0], p[1], p[2]);
    std::vector<P> corners;
    std::vector<std::array<std::uint32_t, 3>> faces;
    CGAL::convex_hull_3(in.begin(), in.end(), corners, faces);
    ConvexHull hull;
    for (const P &c : corners)
        hull.corners.push_back(ours(c));
    // A flat point set comes back as a triangulated polygon: no solid.
    const bool flat = faces.empty() || std::all_of(corners.begin(), corners.end(), [&](const P &c) {
                          return CGAL::coplanar(corners[faces[0][0]], corners[faces[0][1]],
                                                corners[faces[0][2]], c);
                      });
    if (!flat)
        hull.faces = std::move(faces);
    return hull;
}

} // namespace measure
