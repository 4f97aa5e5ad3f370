#pragma once

#include "Surface.h"

#include <vector>

namespace measure {

// One piece of the line where a plane cuts a triangle.
struct SectionSegment
{
    Point3 a;
    Point3 b;
};

// The pieces of the line where the plane through `point` with normal
// `normal` cuts the surface: one segment per triangle the plane crosses, so a
// closed surface gives closed outlines. A vertex lying exactly on the plane
// counts as on the normal's side, so a triangle touching the plane with a
// vertex or lying in it gives nothing and an edge in the plane is given once
// by the triangle on the other side, never twice.
std::vector<SectionSegment> planeSection(const TriangleSurface &surface, const Point3 &point,
                                         const Point3 &normal);

} // namespace measure
