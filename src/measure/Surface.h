#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace measure {

using Point3 = std::array<double, 3>;

// A triangulated surface in plain arrays: what every measure works on. It is
// a copy, so the measures can run on another thread while the models change.
struct TriangleSurface
{
    std::vector<double> points;           // x, y, z per vertex
    std::vector<std::uint32_t> triangles; // three vertex numbers per triangle

    std::size_t vertexCount() const { return points.size() / 3; }
    std::size_t triangleCount() const { return triangles.size() / 3; }
    Point3 point(std::uint32_t v) const
    {
        return {points[3 * std::size_t(v)], points[3 * std::size_t(v) + 1],
                points[3 * std::size_t(v) + 2]};
    }
    const double *corner(std::size_t triangle, int i) const
    {
        return points.data() + 3 * std::size_t(triangles[3 * triangle + std::size_t(i)]);
    }
};

// The triangles of `source` listed in `which`, with only the vertices they use.
TriangleSurface subSurface(const TriangleSurface &source, const std::vector<std::uint32_t> &which);
// One such surface per group of triangles.
std::vector<TriangleSurface> splitSurface(const TriangleSurface &source,
                                          const std::vector<std::vector<std::uint32_t>> &groups);

} // namespace measure
