#pragma once

#include "Surface.h"

namespace measure {

// A pair of points, one on each of two shapes, and their squared distance.
struct PointPair
{
    double distance2 = 0;
    Point3 onA {}, onB {};
};

// Closest points of a point and a triangle, and of two segments.
// Degenerate triangles and segments (collinear or repeated corners) are
// handled as the segments and points they are.
PointPair closestPointTriangle(const double *p, const double *a, const double *b, const double *c);
PointPair closestSegmentSegment(const double *p1, const double *q1, const double *p2,
                                const double *q2);

// Closest points of a segment and a triangle: where the segment pierces the
// triangle when it does.
PointPair closestSegmentTriangle(const double *p, const double *q, const double *a, const double *b,
                                 const double *c);

// Closest points of two triangles given by their corners, assuming they do
// not intersect: the nearest of the six corner-to-triangle and nine
// edge-to-edge pairs, one of which realises the distance of two disjoint
// triangles. Whether they intersect is the exact test's question
// (ExactTests.h).
PointPair closestTriangleTriangle(const double *const a[3], const double *const b[3]);
// A point of two triangles that are known to intersect: where an edge of one
// comes nearest to the other (it passes through it).
Point3 meetingPoint(const double *const a[3], const double *const b[3]);

} // namespace measure
