#include "Surface.h"

#include <utility>

namespace measure {

std::vector<TriangleSurface> splitSurface(const TriangleSurface &source,
                                          const std::vector<std::vector<std::uint32_t>> &groups)
{
    std::vector<TriangleSurface> out(groups.size());
    // One renumbering table for all groups, reset after each to the few
    // vertices the group touched: thousands of specks must not each clear a
    // table as long as the whole surface.
    std::vector<std::uint32_t> renumber(source.vertexCount(), UINT32_MAX);
    std::vector<std::uint32_t> touched;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        TriangleSurface &part = out[g];
        part.triangles.reserve(3 * groups[g].size());
        for (std::uint32_t t : groups[g])
            for (int i = 0; i < 3; ++i) {
                const std::uint32_t v = source.triangles[3 * std::size_t(t) + std::size_t(i)];
                if (renumber[v] == UINT32_MAX) {
                    renumber[v] = std::uint32_t(part.vertexCount());
                    touched.push_back(v);
                    const double *p = source.points.data() + 3 * std::size_t(v);
                    part.points.insert(part.points.end(), p, p + 3);
                }
                part.triangles.push_back(renumber[v]);
            }
        for (std::uint32_t v : touched)
            renumber[v] = UINT32_MAX;
        touched.clear();
    }
    return out;
}

TriangleSurface subSurface(const TriangleSurface &source, const std::vector<std::uint32_t> &which)
{
    return std::move(splitSurface(source, {which}).front());
}

} // namespace measure
