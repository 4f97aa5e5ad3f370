// Gaps between surfaces: the simultaneous descent of two box trees, the
// contact class of surfaces that meet, and the inside test by ray parity.
//
// The trees are ours rather than CGAL's AABB tree: CGAL builds its tree in
// 0.8 s per million triangles on our machines and answers one point or one
// primitive at a time, while a gap needs both trees descended together; the
// Morton-ordered trees build several times faster. The exact decisions
// (do two triangles meet, do they cross, does a ray cross) are CGAL's
// predicates (ExactTests.h).

#include "ClosestGap.h"

#include "ExactTests.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace measure {

SurfaceTree::SurfaceTree(const TriangleSurface &surface)
    : Surface(&surface)
{
    const std::size_t n = surface.triangleCount();
    std::vector<double> lo(3 * n), hi(3 * n);
    for (std::size_t t = 0; t < n; ++t)
        for (int k = 0; k < 3; ++k) {
            const double x = surface.corner(t, 0)[k], y = surface.corner(t, 1)[k],
                         z = surface.corner(t, 2)[k];
            lo[3 * t + std::size_t(k)] = std::min({x, y, z});
            hi[3 * t + std::size_t(k)] = std::max({x, y, z});
        }
    Tree = BoxTree::build(lo, hi, 4);
}

void SurfaceTree::corners(std::uint32_t t, const double *out[3]) const
{
    for (int i = 0; i < 3; ++i)
        out[i] = Surface->corner(t, i);
}

namespace {

// Squared distance between the boxes of two triangles: a lower bound of
// their distance.
double boxGap2(const double *const a[3], const double *const b[3])
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double aLo = std::min({a[0][k], a[1][k], a[2][k]});
        const double aHi = std::max({a[0][k], a[1][k], a[2][k]});
        const double bLo = std::min({b[0][k], b[1][k], b[2][k]});
        const double bHi = std::max({b[0][k], b[1][k], b[2][k]});
        const double d = std::max({0.0, aLo - bHi, bLo - aHi});
        sum += d * d;
    }
    return sum;
}

bool boxesOverlap(const double *const a[3], const double *const b[3])
{
    for (int k = 0; k < 3; ++k) {
        const double aLo = std::min({a[0][k], a[1][k], a[2][k]});
        const double aHi = std::max({a[0][k], a[1][k], a[2][k]});
        const double bLo = std::min({b[0][k], b[1][k], b[2][k]});
        const double bHi = std::max({b[0][k], b[1][k], b[2][k]});
        if (aHi < bLo || bHi < aLo)
            return false;
    }
    return true;
}

bool sameFacing(const double *const a[3], const double *const b[3])
{
    double n[2][3];
    for (int s = 0; s < 2; ++s) {
        const double *const *t = s ? b : a;
        const double u[3] = {t[1][0] - t[0][0], t[1][1] - t[0][1], t[1][2] - t[0][2]};
        const double v[3] = {t[2][0] - t[0][0], t[2][1] - t[0][1], t[2][2] - t[0][2]};
        n[s][0] = u[1] * v[2] - u[2] * v[1];
        n[s][1] = u[2] * v[0] - u[0] * v[2];
        n[s][2] = u[0] * v[1] - u[1] * v[0];
    }
    return n[0][0] * n[1][0] + n[0][1] * n[1][1] + n[0][2] * n[1][2] > 0;
}

// Walks the pairs of nodes of two trees whose boxes lie nearer than `limit2`
// (squared), nearer pairs first; `leaves` gets every pair of leaves reached
// and may lower the limit; the walk stops when it returns false.
template<class Leaves>
void descend(const SurfaceTree &a, const SurfaceTree &b, const double &limit2, Leaves leaves)
{
    if (a.empty() || b.empty())
        return;
    const std::vector<BoxNode> &na = a.tree().nodes, &nb = b.tree().nodes;
    struct Pair
    {
        std::uint32_t a, b;
        double gap2;
    };
    std::vector<Pair> stack {{0, 0, boxGap2(na[0], nb[0])}};
    auto diagonal2 = [](const BoxNode &n) {
        double s = 0;
        for (int k = 0; k < 3; ++k)
            s += (n.hi[k] - n.lo[k]) * (n.hi[k] - n.lo[k]);
        return s;
    };
    while (!stack.empty()) {
        const Pair top = stack.back();
        stack.pop_back();
        if (top.gap2 > limit2)
            continue;
        const BoxNode &x = na[top.a], &y = nb[top.b];
        if (x.leaf() && y.leaf()) {
            if (!leaves(x, y))
                return;
            continue;
        }
        Pair first, second;
        if (y.leaf() || (!x.leaf() && diagonal2(x) >= diagonal2(y))) {
            first = {top.a + 1, top.b, boxGap2(na[top.a + 1], y)};
            second = {x.right, top.b, boxGap2(na[x.right], y)};
        } else {
            first = {top.a, top.b + 1, boxGap2(x, nb[top.b + 1])};
            second = {top.a, y.right, boxGap2(x, nb[y.right])};
        }
        if (first.gap2 > second.gap2)
            std::swap(first, second);
        // The nearer pair goes on top, to be taken first.
        if (second.gap2 <= limit2)
            stack.push_back(second);
        if (first.gap2 <= limit2)
            stack.push_back(first);
    }
}

// Calls f with the corners of every pair of triangles of two leaves; stops
// and returns false as soon as f does.
template<class F>
bool eachTrianglePair(const SurfaceTree &a, const SurfaceTree &b, const BoxNode &x,
                      const BoxNode &y, F f)
{
    const double *ta[3], *tb[3];
    for (std::uint32_t i = x.begin; i < x.end; ++i) {
        a.corners(a.tree().order[i], ta);
        for (std::uint32_t j = y.begin; j < y.end; ++j) {
            b.corners(b.tree().order[j], tb);
            if (!f(ta, tb))
                return false;
        }
    }
    return true;
}

} // namespace

PointPair closestPoints(const SurfaceTree &a, const SurfaceTree &b)
{
    PointPair best;
    best.distance2 = std::numeric_limits<double>::infinity();
    double limit2 = best.distance2;
    descend(a, b, limit2, [&](const BoxNode &x, const BoxNode &y) {
        const bool more = eachTrianglePair(a, b, x, y, [&](const double **ta, const double **tb) {
            if (boxGap2(ta, tb) >= best.distance2)
                return true; // the boxes of the two triangles are already too far apart
            const PointPair pair = closestTriangleTriangle(ta, tb);
            if (pair.distance2 < best.distance2)
                best = pair;
            if (best.distance2 > 0 && boxesOverlap(ta, tb) && trianglesIntersect(ta, tb)) {
                const Point3 common = meetingPoint(ta, tb);
                best = {0, common, common};
                return false; // nothing can be nearer
            }
            return true;
        });
        if (!more)
            return false;
        // Pairs of boxes exactly as far apart as the best pair cannot beat it.
        limit2 = std::nextafter(best.distance2, -1.0);
        return true;
    });
    return best;
}

Contact classifyContact(const SurfaceTree &a, const SurfaceTree &b)
{
    Contact contact = Contact::Apart;
    const double limit2 = 0; // only boxes that meet
    descend(a, b, limit2, [&](const BoxNode &x, const BoxNode &y) {
        return eachTrianglePair(a, b, x, y, [&](const double **ta, const double **tb) {
            if (!boxesOverlap(ta, tb) || !trianglesIntersect(ta, tb))
                return true;
            contact = Contact::Touching;
            int sideA[3], sideB[3];
            for (int k = 0; k < 3; ++k) {
                sideA[k] = orientation(tb[0], tb[1], tb[2], ta[k]);
                sideB[k] = orientation(ta[0], ta[1], ta[2], tb[k]);
            }
            auto both = [](const int *side) {
                return std::count(side, side + 3, 1) > 0 && std::count(side, side + 3, -1) > 0;
            };
            // Each triangle has corners strictly on both sides of the
            // other's plane: the surfaces pass through each other. Coplanar
            // triangles that share an area and face the same way lie on each
            // other with their insides on one side.
            if ((both(sideA) && both(sideB))
                || (std::count(sideA, sideA + 3, 0) == 3 && coplanarInteriorsOverlap(ta, tb)
                    && sameFacing(ta, tb))) {
                contact = Contact::Overlapping;
                return false;
            }
            return true;
        });
    });
    return contact;
}

std::optional<bool> surfaceContains(const SurfaceTree &closed, const Point3 &p)
{
    if (closed.empty())
        return false;
    const BoxNode &root = closed.tree().nodes[0];
    double reach = 0;
    for (int k = 0; k < 3; ++k)
        reach += std::max(std::abs(root.hi[k] - p[k]), std::abs(root.lo[k] - p[k]));
    reach = 2 * reach + 1;
    // Directions unlikely to run along an edge of a mesh made on a grid.
    static const double directions[][3] = {{0.5773, 0.5774, 0.5775},
                                           {-0.3217, 0.8459, 0.4252},
                                           {0.7071, -0.1403, 0.6929},
                                           {-0.6123, -0.5107, -0.6033},
                                           {0.1189, 0.2236, -0.9674}};
    for (const auto &d : directions) {
        const Point3 q = {p[0] + reach * d[0], p[1] + reach * d[1], p[2] + reach * d[2]};
        int crossings = 0;
        bool grazed = false;
        std::vector<std::uint32_t> stack {0};
        const std::vector<BoxNode> &nodes = closed.tree().nodes;
        while (!stack.empty() && !grazed) {
            const BoxNode &n = nodes[stack.back()];
            const std::uint32_t index = stack.back();
            stack.pop_back();
            // Slab test of the segment p q against the box, a little widened.
            double t0 = 0, t1 = 1;
            for (int k = 0; k < 3 && t0 <= t1; ++k) {
                const double delta = q[k] - p[k], pad = 1e-9 * (n.hi[k] - n.lo[k] + 1);
                const double lo = n.lo[k] - pad, hi = n.hi[k] + pad;
                if (delta == 0) {
                    if (p[k] < lo || p[k] > hi)
                        t0 = 2;
                    continue;
                }
                double a = (lo - p[k]) / delta, b = (hi - p[k]) / delta;
                if (a > b)
                    std::swap(a, b);
                t0 = std::max(t0, a);
                t1 = std::min(t1, b);
            }
            if (t0 > t1)
                continue;
            if (!n.leaf()) {
                stack.push_back(index + 1);
                stack.push_back(n.right);
                continue;
            }
            for (std::uint32_t i = n.begin; i < n.end && !grazed; ++i) {
                const double *t[3];
                closed.corners(closed.tree().order[i], t);
                const int crossing = segmentCrossesTriangle(p.data(), q.data(), t[0], t[1], t[2]);
                grazed = crossing < 0;
                crossings += crossing > 0;
            }
        }
        if (!grazed)
            return crossings % 2 == 1;
    }
    return std::nullopt;
}

namespace {

// Whether a corner of `inner` lies strictly inside `outer`, judged by the
// first few corners that do not lie on it.
bool someCornerInside(const SurfaceTree &inner, const SurfaceTree &outer)
{
    const TriangleSurface &s = inner.surface();
    int judged = 0;
    for (std::size_t i = 0; i < s.triangles.size() && judged < 8; ++i)
        if (const auto inside = surfaceContains(outer, s.point(s.triangles[i]))) {
            if (*inside)
                return true;
            ++judged;
        }
    return false;
}

} // namespace

Gap closestGap(const SurfaceTree &a, const SurfaceTree &b, bool aClosed, bool bClosed)
{
    Gap gap;
    if (a.empty() || b.empty())
        return gap;
    gap.valid = true;
    const PointPair pair = closestPoints(a, b);
    gap.distance = std::sqrt(pair.distance2);
    gap.onA = pair.onA;
    gap.onB = pair.onB;
    if (pair.distance2 == 0) {
        gap.contact = classifyContact(a, b);
        // Surfaces that meet without crossing may still hold one solid in
        // the other (a stone against the wall of the pelvis from inside).
        if (gap.contact != Contact::Overlapping
            && ((bClosed && someCornerInside(a, b)) || (aClosed && someCornerInside(b, a))))
            gap.contact = Contact::Overlapping;
        if (gap.contact == Contact::Apart) // met only at a rounding of the distance
            gap.contact = Contact::Touching;
        return gap;
    }
    const auto firstCorner = [](const SurfaceTree &s) {
        return s.surface().point(s.surface().triangles[0]);
    };
    if (bClosed && surfaceContains(b, firstCorner(a)).value_or(false))
        gap.containment = Containment::AInsideB;
    else if (aClosed && surfaceContains(a, firstCorner(b)).value_or(false))
        gap.containment = Containment::BInsideA;
    return gap;
}

namespace {

template<class Distance2>
double bruteForce(const TriangleSurface &a, const TriangleSurface &b, Distance2 distance2)
{
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < a.triangleCount(); ++i) {
        const double *ta[3] = {a.corner(i, 0), a.corner(i, 1), a.corner(i, 2)};
        for (std::size_t j = 0; j < b.triangleCount(); ++j) {
            const double *tb[3] = {b.corner(j, 0), b.corner(j, 1), b.corner(j, 2)};
            best = std::min(best, distance2(ta, tb));
        }
    }
    return std::sqrt(best);
}

} // namespace

double bruteForceDistance(const TriangleSurface &a, const TriangleSurface &b)
{
    return bruteForce(a, b, referenceTriangleDistance2);
}

double bruteForceDistanceOurs(const TriangleSurface &a, const TriangleSurface &b)
{
    return bruteForce(a, b, [](const double *const *ta, const double *const *tb) {
        return closestTriangleTriangle(ta, tb).distance2;
    });
}

} // namespace measure
