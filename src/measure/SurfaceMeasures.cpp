// The measures of one surface put together from the passes.

#include "SurfaceMeasures.h"

#include <algorithm>
#include <cmath>

namespace measure {

std::vector<Point3> surfacePoints(const TriangleSurface &surface, const SurfaceTopology &topology)
{
    std::vector<bool> used(surface.vertexCount());
    for (std::uint32_t v : surface.triangles)
        used[topology.weldedVertex[v]] = true;
    std::vector<Point3> points;
    for (std::size_t v = 0; v < used.size(); ++v)
        if (used[v])
            points.push_back(surface.point(std::uint32_t(v)));
    return points;
}

SurfaceMeasures measureSurface(const TriangleSurface &surface, const MeasureOptions &options)
{
    return measureSurface(surface, analyseTopology(surface), options);
}

SurfaceMeasures measureSurface(const TriangleSurface &surface, const SurfaceTopology &topology,
                               const MeasureOptions &options)
{
    SurfaceMeasures m;
    m.vertices = surface.vertexCount();
    m.triangles = surface.triangleCount();
    const SurfaceIntegrals sums = integrate(surface);
    m.area = sums.area;
    m.degenerateTriangles = sums.degenerateTriangles;
    m.topology = topology.total;
    m.topology.zeroArea = !(sums.area > 0);
    m.components = int(topology.components.size());
    if (m.topology.enclosesVolume()) {
        m.hasVolume = true;
        m.volume = std::abs(sums.signedVolume);
        m.insideOut = sums.signedVolume < 0;
    }
    m.hasPoints = m.vertices > 0;
    if (m.hasPoints) {
        m.boxMin = m.boxMax = surface.point(0);
        for (std::size_t v = 1; v < m.vertices; ++v)
            for (int k = 0; k < 3; ++k) {
                m.boxMin[k] = std::min(m.boxMin[k], surface.points[3 * v + std::size_t(k)]);
                m.boxMax[k] = std::max(m.boxMax[k], surface.points[3 * v + std::size_t(k)]);
            }
    }
    auto cancelled = [&] { return options.cancel && options.cancel->load(); };
    if (cancelled())
        return m;
    m.diameter = farthestPair(surfacePoints(surface, topology));
    if (options.selfIntersection && m.triangles > 0 && !cancelled())
        m.selfIntersecting =
            selfIntersects(surface, topology) ? SelfIntersection::Yes : SelfIntersection::No;
    return m;
}

} // namespace measure
