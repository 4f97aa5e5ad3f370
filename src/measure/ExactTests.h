#pragma once

#include "Surface.h"

#include <optional>

namespace measure {

// Geometric predicates evaluated exactly on the doubles (CGAL's filtered
// kernel behind this header), so that touching, crossing and inside are
// decided without a tolerance.

// Sign of the volume of the tetrahedron a b c d: +1 when d lies on the side
// of the plane a b c that the counter-clockwise normal points to, -1 on the
// other side, 0 on the plane.
int orientation(const double *a, const double *b, const double *c, const double *d);

// Whether two triangles intersect (touch or cross). Degenerate triangles
// are taken as the segment or point they are.
bool trianglesIntersect(const double *const a[3], const double *const b[3]);

// For two triangles in one plane: whether their insides share an area
// (not only an edge or a corner).
bool coplanarInteriorsOverlap(const double *const a[3], const double *const b[3]);

// Whether the segment p q crosses triangle a b c at a single point inside the
// triangle and strictly between p and q: 1 when it does, 0 when it misses,
// -1 when it grazes an edge, a corner or an end point (a ray along it cannot
// decide the inside of a surface).
int segmentCrossesTriangle(const double *p, const double *q, const double *a, const double *b,
                           const double *c);

// Squared distance of two triangles computed by CGAL's own triangle distance,
// independent of ours: the reference of the brute-force checks and benchmarks.
double referenceTriangleDistance2(const double *const a[3], const double *const b[3]);

// The convex hull of a point set: its corners and outward triangles (CGAL's
// quickhull). A point set on one plane or line has corners but no faces.
struct ConvexHull
{
    std::vector<Point3> corners;
    std::vector<std::array<std::uint32_t, 3>> faces; // counter-clockwise seen from outside

    bool solid() const { return !faces.empty(); }
    // True when p lies in the closed hull (exact).
    bool contains(const Point3 &p) const;
};

ConvexHull convexHull(const std::vector<Point3> &points);

} // namespace measure
