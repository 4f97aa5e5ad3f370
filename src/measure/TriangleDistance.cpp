// Closest points between points, segments and triangles in double precision,
// after the Voronoi-region tests of Ericson's "Real-Time Collision Detection"
// (5.1.5 and 5.1.9).

#include "TriangleDistance.h"

#include <algorithm>

namespace measure {

namespace {

struct V
{
    double x, y, z;
};

V vec(const double *p)
{
    return {p[0], p[1], p[2]};
}
V operator-(V a, V b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V operator+(V a, V b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V operator*(V a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
double dot(V a, V b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Point3 point(V a)
{
    return {a.x, a.y, a.z};
}

PointPair pair(V a, V b)
{
    const V d = a - b;
    return {dot(d, d), point(a), point(b)};
}

PointPair nearer(const PointPair &x, const PointPair &y)
{
    return y.distance2 < x.distance2 ? y : x;
}

} // namespace

PointPair closestSegmentSegment(const double *p1, const double *q1, const double *p2,
                                const double *q2)
{
    const V P1 = vec(p1), P2 = vec(p2);
    const V d1 = vec(q1) - P1, d2 = vec(q2) - P2, r = P1 - P2;
    const double a = dot(d1, d1), e = dot(d2, d2), f = dot(d2, r);
    double s = 0, t = 0;
    if (a == 0 && e == 0) {
        // two points
    } else if (a == 0) {
        t = std::clamp(f / e, 0.0, 1.0);
    } else {
        const double c = dot(d1, r);
        if (e == 0) {
            s = std::clamp(-c / a, 0.0, 1.0);
        } else {
            const double b = dot(d1, d2), denom = a * e - b * b;
            // Parallel segments take s = 0; their distance is also realised
            // at an end point, which the corner tests of a triangle pair see.
            s = denom > 0 ? std::clamp((b * f - c * e) / denom, 0.0, 1.0) : 0.0;
            t = (b * s + f) / e;
            if (t < 0) {
                t = 0;
                s = std::clamp(-c / a, 0.0, 1.0);
            } else if (t > 1) {
                t = 1;
                s = std::clamp((b - c) / a, 0.0, 1.0);
            }
        }
    }
    return pair(P1 + d1 * s, P2 + d2 * t);
}

PointPair closestPointTriangle(const double *p, const double *a, const double *b, const double *c)
{
    const V P = vec(p), A = vec(a), B = vec(b), C = vec(c);
    const V ab = B - A, ac = C - A, ap = P - A;
    const double d1 = dot(ab, ap), d2 = dot(ac, ap);
    if (d1 <= 0 && d2 <= 0)
        return pair(P, A);
    const V bp = P - B;
    const double d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0 && d4 <= d3)
        return pair(P, B);
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0 && d1 - d3 > 0)
        return pair(P, A + ab * (d1 / (d1 - d3)));
    const V cp = P - C;
    const double d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0 && d5 <= d6)
        return pair(P, C);
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0 && d2 - d6 > 0)
        return pair(P, A + ac * (d2 / (d2 - d6)));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0 && (d4 - d3) + (d5 - d6) > 0)
        return pair(P, B + (C - B) * ((d4 - d3) / ((d4 - d3) + (d5 - d6))));
    const double sum = va + vb + vc;
    if (sum > 0)
        return pair(P, A + ab * (vb / sum) + ac * (vc / sum));
    // No area: the nearest point of its three sides.
    return nearer(nearer(closestSegmentSegment(p, p, a, b), closestSegmentSegment(p, p, b, c)),
                  closestSegmentSegment(p, p, c, a));
}

PointPair closestSegmentTriangle(const double *p, const double *q, const double *a, const double *b,
                                 const double *c)
{
    const V P = vec(p), Q = vec(q), A = vec(a), B = vec(b), C = vec(c);
    const V u = B - A, w = C - A;
    const V n = {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
    const double dp = dot(n, P - A), dq = dot(n, Q - A);
    if (dp * dq <= 0 && dp != dq) {
        const V x = P + (Q - P) * (dp / (dp - dq));
        // Inside when x lies on the inner side of all three edges.
        auto side = [&](V from, V to) {
            const V e = to - from, r = x - from;
            return dot(n, V {e.y * r.z - e.z * r.y, e.z * r.x - e.x * r.z, e.x * r.y - e.y * r.x});
        };
        if (side(A, B) >= 0 && side(B, C) >= 0 && side(C, A) >= 0)
            return pair(x, x);
    }
    PointPair best = nearer(closestPointTriangle(p, a, b, c), closestPointTriangle(q, a, b, c));
    best = nearer(best, closestSegmentSegment(p, q, a, b));
    best = nearer(best, closestSegmentSegment(p, q, b, c));
    return nearer(best, closestSegmentSegment(p, q, c, a));
}

Point3 meetingPoint(const double *const a[3], const double *const b[3])
{
    PointPair best = closestSegmentTriangle(a[0], a[1], b[0], b[1], b[2]);
    for (int i = 0; i < 3; ++i) {
        best = nearer(best, closestSegmentTriangle(a[i], a[(i + 1) % 3], b[0], b[1], b[2]));
        best = nearer(best, closestSegmentTriangle(b[i], b[(i + 1) % 3], a[0], a[1], a[2]));
    }
    return {(best.onA[0] + best.onB[0]) / 2, (best.onA[1] + best.onB[1]) / 2,
            (best.onA[2] + best.onB[2]) / 2};
}

PointPair closestTriangleTriangle(const double *const a[3], const double *const b[3])
{
    PointPair best = closestPointTriangle(a[0], b[0], b[1], b[2]);
    for (int i = 1; i < 3; ++i)
        best = nearer(best, closestPointTriangle(a[i], b[0], b[1], b[2]));
    for (int i = 0; i < 3; ++i) {
        PointPair fromB = closestPointTriangle(b[i], a[0], a[1], a[2]);
        std::swap(fromB.onA, fromB.onB);
        best = nearer(best, fromB);
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            best = nearer(best, closestSegmentSegment(a[i], a[(i + 1) % 3], b[j], b[(j + 1) % 3]));
    return best;
}

} // namespace measure
