#include "PlaneSection.h"

namespace measure {

namespace {

// The point where the plane crosses the edge from p to q, given their signed
// distances (of opposite sides).
Point3 crossing(const double *p, const double *q, double dp, double dq)
{
    const double t = dp / (dp - dq);
    return {p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1]), p[2] + t * (q[2] - p[2])};
}

} // namespace

std::vector<SectionSegment> planeSection(const TriangleSurface &surface, const Point3 &point,
                                         const Point3 &normal)
{
    std::vector<double> distance(surface.vertexCount());
    for (std::size_t v = 0; v < distance.size(); ++v) {
        const double *p = surface.points.data() + 3 * v;
        distance[v] = (p[0] - point[0]) * normal[0] + (p[1] - point[1]) * normal[1]
            + (p[2] - point[2]) * normal[2];
    }
    std::vector<SectionSegment> segments;
    for (std::size_t t = 0; t < surface.triangleCount(); ++t) {
        double d[3];
        bool above[3];
        for (int i = 0; i < 3; ++i) {
            d[i] = distance[surface.triangles[3 * t + std::size_t(i)]];
            above[i] = d[i] >= 0;
        }
        if (above[0] == above[1] && above[1] == above[2])
            continue;
        // The lone vertex is the one on its own side; the two edges from it cross.
        const int lone = above[0] == above[1] ? 2 : (above[0] == above[2] ? 1 : 0);
        const int next = (lone + 1) % 3;
        const int last = (lone + 2) % 3;
        if (d[lone] == 0) // only that vertex touches the plane: a point, not a segment
            continue;
        const double *p = surface.corner(t, lone);
        segments.push_back({crossing(p, surface.corner(t, next), d[lone], d[next]),
                            crossing(p, surface.corner(t, last), d[lone], d[last])});
    }
    return segments;
}

} // namespace measure
