// The R.E.N.A.L. score bands and the exophytic share of a tumour.

#include "SceneMeasurement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace measure {

int radiusScoreOf(double diameter)
{
    return diameter <= 40 ? 1 : diameter < 70 ? 2 : 3;
}

int exophyticScoreOf(double outsideShare)
{
    return outsideShare >= 0.5 ? 1 : outsideShare > 0 ? 2 : 3;
}

int nearnessScoreOf(double gap)
{
    return gap >= 7 ? 1 : gap > 4 ? 2 : 3;
}

std::optional<int> Nephrometry::radiusScore() const
{
    return diameter ? std::optional<int>(radiusScoreOf(*diameter)) : std::nullopt;
}

std::optional<int> Nephrometry::exophyticScore() const
{
    return outsideShare ? std::optional<int>(exophyticScoreOf(*outsideShare)) : std::nullopt;
}

std::optional<int> Nephrometry::nearnessScore() const
{
    return nearestGap ? std::optional<int>(nearnessScoreOf(*nearestGap)) : std::nullopt;
}

std::optional<int> Nephrometry::polarScore() const
{
    return polar >= 1 && polar <= 3 ? std::optional<int>(polar) : std::nullopt;
}

int Nephrometry::sum() const
{
    return radiusScore().value_or(0) + exophyticScore().value_or(0) + nearnessScore().value_or(0)
        + polarScore().value_or(0);
}

bool Nephrometry::complete() const
{
    return radiusScore() && exophyticScore() && nearnessScore() && polarScore() && anterior != 0;
}

namespace {

// Heights where the vertical line through (x, y) crosses the surface, sorted;
// false when the line meets an edge or a corner, where crossings would be
// counted twice or not at all.
bool crossings(const SurfaceTree &tree, double x, double y, std::vector<double> &heights)
{
    heights.clear();
    const std::vector<BoxNode> &nodes = tree.tree().nodes;
    std::vector<std::uint32_t> stack {0};
    while (!stack.empty()) {
        const std::uint32_t index = stack.back();
        stack.pop_back();
        const BoxNode &n = nodes[index];
        if (x < n.lo[0] || x > n.hi[0] || y < n.lo[1] || y > n.hi[1])
            continue;
        if (!n.leaf()) {
            stack.push_back(index + 1);
            stack.push_back(n.right);
            continue;
        }
        for (std::uint32_t i = n.begin; i < n.end; ++i) {
            const double *c[3];
            tree.corners(tree.tree().order[i], c);
            // Twice the signed areas of the sub-triangles seen from above.
            auto edge = [&](const double *u, const double *v) {
                return (v[0] - u[0]) * (y - u[1]) - (v[1] - u[1]) * (x - u[0]);
            };
            const double w[3] = {edge(c[1], c[2]), edge(c[2], c[0]), edge(c[0], c[1])};
            const double area = w[0] + w[1] + w[2];
            if (area == 0)
                continue; // seen edge-on: its neighbours give the crossing
            const bool inside = std::all_of(w, w + 3, [&](double v) { return v * area > 0; });
            if (inside)
                heights.push_back((w[0] * c[0][2] + w[1] * c[1][2] + w[2] * c[2][2]) / area);
            else if (std::none_of(w, w + 3, [&](double v) { return v * area < 0; }))
                return false; // on an edge or a corner
        }
    }
    std::sort(heights.begin(), heights.end());
    return heights.size() % 2 == 0;
}

} // namespace

std::optional<double> shareOutsideHull(const TriangleSurface &closed, const ConvexHull &hull,
                                       int lines)
{
    if (!hull.solid() || closed.triangleCount() == 0)
        return std::nullopt;
    bool allInside = true;
    for (std::uint32_t v : closed.triangles)
        if (!hull.contains(closed.point(v))) {
            allInside = false;
            break;
        }
    if (allInside)
        return 0.0;
    TriangleSurface hullSurface;
    for (const Point3 &p : hull.corners)
        hullSurface.points.insert(hullSurface.points.end(), p.begin(), p.end());
    for (const auto &f : hull.faces)
        hullSurface.triangles.insert(hullSurface.triangles.end(), f.begin(), f.end());
    const SurfaceTree solid(closed), cover(hullSurface);
    const BoxNode &box = solid.tree().nodes[0];
    const double hx = (box.hi[0] - box.lo[0]) / lines, hy = (box.hi[1] - box.lo[1]) / lines;
    double inside = 0, outside = 0;
    std::vector<double> zs, hz;
    for (int i = 0; i < lines; ++i)
        for (int j = 0; j < lines; ++j) {
            // Off the cell centres by odd fractions, away from the grid a
            // segmented surface's vertices often sit on.
            const double x = box.lo[0] + (i + 0.5123) * hx, y = box.lo[1] + (j + 0.4871) * hy;
            if (!crossings(solid, x, y, zs) || !crossings(cover, x, y, hz)
                || (hz.size() != 0 && hz.size() != 2))
                continue;
            for (std::size_t k = 0; k + 1 < zs.size(); k += 2) {
                const double length = zs[k + 1] - zs[k];
                const double within = hz.empty()
                    ? 0
                    : std::max(0.0, std::min(zs[k + 1], hz[1]) - std::max(zs[k], hz[0]));
                inside += length;
                outside += length - within;
            }
        }
    if (inside <= 0)
        return std::nullopt;
    // Some corner lies outside the hull: the share is not 0 even when the
    // lines pass beside the part that sticks out.
    return std::clamp(outside / inside, std::numeric_limits<double>::min(), 1.0);
}

} // namespace measure
