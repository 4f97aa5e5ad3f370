#include "StoneModel.h"

#include "geometry/Alloc.h"
#include "model/AnatomyTable.h"
#include "model/ModelClass.h"

#include <cmath>
#include <map>
#include <utility>

namespace measure {

namespace {

// A unit icosahedron split `levels` times, its vertices pushed onto the sphere.
TriangleSurface unitSphere(int levels)
{
    const double t = (1 + std::sqrt(5.0)) / 2;
    TriangleSurface s;
    const double corners[12][3] = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0},
                                   {0, -1, t}, {0, 1, t}, {0, -1, -t}, {0, 1, -t},
                                   {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    const auto add = [&](double x, double y, double z) {
        const double n = std::sqrt(x * x + y * y + z * z);
        s.points.insert(s.points.end(), {x / n, y / n, z / n});
        return std::uint32_t(s.vertexCount() - 1);
    };
    for (const auto &c : corners)
        add(c[0], c[1], c[2]);
    s.triangles = {0, 11, 5,  0, 5,  1, 0, 1, 7, 0, 7,  10, 0, 10, 11, 1, 5, 9, 5, 11,
                   4, 11, 10, 2, 10, 7, 6, 7, 1, 8, 3,  9,  4, 3,  4,  2, 3, 2, 6, 3,
                   6, 8,  3,  8, 9,  4, 9, 5, 2, 4, 11, 6,  2, 10, 8,  6, 7, 9, 8, 1};
    for (int level = 0; level < levels; ++level) {
        std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> middles;
        const auto middle = [&](std::uint32_t a, std::uint32_t b) {
            const auto key = std::minmax(a, b);
            if (const auto found = middles.find(key); found != middles.end())
                return found->second;
            const Point3 p = s.point(a), q = s.point(b);
            return middles[key] = add(p[0] + q[0], p[1] + q[1], p[2] + q[2]);
        };
        std::vector<std::uint32_t> next;
        for (std::size_t n = 0; n < s.triangleCount(); ++n) {
            const std::uint32_t a = s.triangles[3 * n], b = s.triangles[3 * n + 1],
                                c = s.triangles[3 * n + 2];
            const std::uint32_t ab = middle(a, b), bc = middle(b, c), ca = middle(c, a);
            next.insert(next.end(), {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca});
        }
        s.triangles = std::move(next);
    }
    return s;
}

double enclosedVolume(const TriangleSurface &s)
{
    double sum = 0;
    for (std::size_t t = 0; t < s.triangleCount(); ++t) {
        const double *a = s.corner(t, 0), *b = s.corner(t, 1), *c = s.corner(t, 2);
        sum += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0])
            + a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    return sum / 6;
}

} // namespace

TriangleSurface stoneSurface(const FoundStone &stone)
{
    TriangleSurface s = unitSphere(3);
    // The principal semi-axes; a flat or missing one gets a tenth of the largest.
    double semi[3];
    const double largest = std::max(stone.diameters[0], 0.1);
    for (int n = 0; n < 3; ++n)
        semi[n] = 0.5 * std::max(stone.diameters[std::size_t(n)], 0.1 * largest);
    const auto place = [&](double scale) {
        TriangleSurface out = s;
        for (std::size_t v = 0; v < s.vertexCount(); ++v)
            for (int r = 0; r < 3; ++r) {
                double x = 0;
                for (int n = 0; n < 3; ++n)
                    x += semi[n] * s.points[3 * v + std::size_t(n)]
                        * stone.axes[std::size_t(n)][std::size_t(r)];
                out.points[3 * v + std::size_t(r)] = stone.centre[std::size_t(r)] + scale * x;
            }
        return out;
    };
    TriangleSurface placed = place(1);
    double volume = enclosedVolume(placed);
    if (volume < 0) { // the axes form a left-handed frame: turn the triangles over
        for (std::size_t t = 0; t < s.triangleCount(); ++t)
            std::swap(s.triangles[3 * t + 1], s.triangles[3 * t + 2]);
        volume = -volume;
    }
    if (volume <= 0 || stone.volumeMm3 <= 0)
        return place(1);
    return place(std::cbrt(stone.volumeMm3 / volume));
}

std::unique_ptr<ModelClass> stonesModel(const std::vector<FoundStone> &stones)
{
    TriangleSurface all;
    for (const FoundStone &stone : stones) {
        const TriangleSurface one = stoneSurface(stone);
        const auto base = std::uint32_t(all.vertexCount());
        all.points.insert(all.points.end(), one.points.begin(), one.points.end());
        for (std::uint32_t v : one.triangles)
            all.triangles.push_back(base + v);
    }
    auto mesh = std::make_unique<MeshClass>();
    mesh->CountOfVertices = qint32(all.vertexCount());
    mesh->Vertices = allocArray<_DREAL>(qint64(all.points.size()));
    std::copy(all.points.begin(), all.points.end(), mesh->Vertices);
    mesh->CountOfCells[Triangle] = qint32(all.triangleCount());
    mesh->Cells[Triangle] = allocArray<qint32>(qint64(all.triangles.size()));
    std::copy(all.triangles.begin(), all.triangles.end(), mesh->Cells[Triangle]);
    auto model = std::make_unique<ModelClass>();
    model->Meshes.append(mesh.release());
    const anatomy::StructureRow *row = anatomy::rowOf(anatomy::Structure::Stones);
    model->Name = QString::fromUtf8(row->modelName);
    model->setColor(row->colour[0], row->colour[1], row->colour[2]);
    return model;
}

} // namespace measure
