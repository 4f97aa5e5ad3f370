// The self-intersection test: CGAL's Polygon Mesh Processing on a surface
// mesh made from the welded triangles.

#include "SurfaceMeasures.h"

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Polygon_mesh_processing/orient_polygon_soup.h>
#include <CGAL/Polygon_mesh_processing/polygon_soup_to_polygon_mesh.h>
#include <CGAL/Polygon_mesh_processing/self_intersections.h>
#include <CGAL/Surface_mesh.h>

#include <array>

namespace measure {

namespace PMP = CGAL::Polygon_mesh_processing;
using K = CGAL::Exact_predicates_inexact_constructions_kernel;

bool selfIntersects(const TriangleSurface &surface, const SurfaceTopology &topology)
{
    // Triangles without area are counted apart as degenerate; CGAL would
    // report each of them as an intersection with itself.
    std::vector<K::Point_3> points;
    points.reserve(surface.vertexCount());
    for (std::size_t v = 0; v < surface.vertexCount(); ++v)
        points.emplace_back(surface.points[3 * v], surface.points[3 * v + 1],
                            surface.points[3 * v + 2]);
    std::vector<std::array<std::size_t, 3>> triangles;
    triangles.reserve(surface.triangleCount());
    for (std::size_t t = 0; t < surface.triangleCount(); ++t) {
        std::array<std::size_t, 3> c;
        for (int i = 0; i < 3; ++i)
            c[std::size_t(i)] = topology.weldedVertex[surface.triangles[3 * t + std::size_t(i)]];
        if (!CGAL::collinear(points[c[0]], points[c[1]], points[c[2]]))
            triangles.push_back(c);
    }
    // A soup that is not a manifold mesh becomes one: non-manifold vertices
    // are split into coincident copies, and such copies meet, which counts as
    // the intersection it is.
    PMP::orient_polygon_soup(points, triangles);
    CGAL::Surface_mesh<K::Point_3> mesh;
    PMP::polygon_soup_to_polygon_mesh(points, triangles, mesh);
    return PMP::does_self_intersect(mesh);
}

} // namespace measure
