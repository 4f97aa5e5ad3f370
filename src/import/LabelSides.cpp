#include "LabelSides.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using anatomy::Side;

// What the side decision needs of one part: its first voxel (to find it
// again), how many voxels it has and where they lie in world x.
struct Part
{
    qint64 seed = 0;
    qint64 voxels = 0;
    double sumX = 0;
    double minX = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest();
};

class PartFinder
{
public:
    explicit PartFinder(LabelVolume &volume)
        : v(volume)
        , seen(volume.labels.size(), false)
    { }

    // Every part of `label`, its voxels marked as seen.
    std::vector<Part> parts(quint16 label)
    {
        std::vector<Part> found;
        for (qint64 n = 0; n < qint64(v.labels.size()); ++n)
            if (v.labels[size_t(n)] == label && !seen[size_t(n)])
                found.push_back(flood(n, label, label));
        return found;
    }

    // Floods the part of `from` voxels around `seed`, giving them label `to`.
    Part flood(qint64 seed, quint16 from, quint16 to)
    {
        Part part;
        part.seed = seed;
        stack.assign(1, seed);
        seen[size_t(seed)] = true;
        v.labels[size_t(seed)] = to;
        while (!stack.empty()) {
            const qint64 n = stack.back();
            stack.pop_back();
            const qint64 i = n % v.size[0], j = (n / v.size[0]) % v.size[1],
                         k = n / (v.size[0] * v.size[1]);
            const double x = v.toWorld.m[0][0] * double(i) + v.toWorld.m[0][1] * double(j)
                + v.toWorld.m[0][2] * double(k) + v.toWorld.m[0][3];
            ++part.voxels;
            part.sumX += x;
            part.minX = std::min(part.minX, x);
            part.maxX = std::max(part.maxX, x);
            visitNeighbours(i, j, k, from, to);
        }
        return part;
    }

private:
    void visitNeighbours(qint64 i, qint64 j, qint64 k, quint16 from, quint16 to)
    {
        const auto inside = [&](qint64 c, int axis) { return c >= 0 && c < v.size[axis]; };
        for (qint64 dk = -1; dk <= 1; ++dk)
            for (qint64 dj = -1; dj <= 1; ++dj)
                for (qint64 di = -1; di <= 1; ++di) {
                    if (!inside(i + di, 0) || !inside(j + dj, 1) || !inside(k + dk, 2))
                        continue;
                    const qint64 m = (i + di) + v.size[0] * ((j + dj) + v.size[1] * (k + dk));
                    if (v.labels[size_t(m)] == from && (from != to || !seen[size_t(m)])) {
                        seen[size_t(m)] = true;
                        v.labels[size_t(m)] = to;
                        stack.push_back(m);
                    }
                }
    }

    LabelVolume &v;
    std::vector<bool> seen;
    std::vector<qint64> stack;
};

// The side of a label lying wholly on one side of the midline, far enough.
Side sideOfWhole(const std::vector<Part> &parts, double midlineX)
{
    qint64 voxels = 0;
    double sumX = 0;
    for (const Part &p : parts) {
        voxels += p.voxels;
        sumX += p.sumX;
    }
    const double centre = voxels ? sumX / double(voxels) : midlineX;
    if (std::fabs(centre - midlineX) < body::kSideMargin)
        return Side::None;
    return centre > midlineX ? Side::Right : Side::Left;
}

} // namespace

double gridMidline(const qint64 size[3], const Affine &toWorld)
{
    double centre[3];
    toWorld.apply(double(size[0] - 1) / 2, double(size[1] - 1) / 2, double(size[2] - 1) / 2,
                  centre);
    return centre[0];
}

body::Midline labelMidline(const std::vector<LabelVolume> &layers,
                           const std::function<body::PlacedStructure(int layer, int label)> &placed)
{
    std::vector<body::PlacedStructure> structures;
    for (int l = 0; l < int(layers.size()); ++l) {
        const LabelVolume &v = layers[size_t(l)];
        std::vector<double> sumX(size_t(v.count() + 1), 0);
        std::vector<qint64> voxels(sumX.size(), 0);
        qint64 n = 0;
        for (qint64 k = 0; k < v.size[2]; ++k)
            for (qint64 j = 0; j < v.size[1]; ++j)
                for (qint64 i = 0; i < v.size[0]; ++i, ++n)
                    if (const quint16 label = v.labels[size_t(n)]; label != 0) {
                        sumX[label] += v.toWorld.m[0][0] * double(i) + v.toWorld.m[0][1] * double(j)
                            + v.toWorld.m[0][2] * double(k) + v.toWorld.m[0][3];
                        ++voxels[label];
                    }
        for (int label = 1; label <= v.count(); ++label)
            if (voxels[size_t(label)] > 0) {
                body::PlacedStructure p = placed(l, label);
                p.x = sumX[size_t(label)] / double(voxels[size_t(label)]);
                structures.push_back(p);
            }
    }
    return body::midlineOfStructures(structures);
}

std::vector<Side> splitSides(LabelVolume &volume, double midlineX,
                             const std::function<bool(int label)> &paired)
{
    const int labels = volume.count();
    std::vector<Side> sides(size_t(labels + 1), Side::None);
    if (labels == 0)
        return sides;
    PartFinder finder(volume);
    for (int label = 1; label <= labels; ++label) {
        if (!paired(label))
            continue;
        const std::vector<Part> parts = finder.parts(quint16(label));
        const auto across = [&](const Part &p) { return p.minX <= midlineX && p.maxX >= midlineX; };
        const auto right = [&](const Part &p) { return p.minX > midlineX; };
        if (parts.empty() || std::any_of(parts.begin(), parts.end(), across))
            continue;
        const auto rights = std::count_if(parts.begin(), parts.end(), right);
        if (rights == 0 || rights == qint64(parts.size())) {
            sides[size_t(label)] = sideOfWhole(parts, midlineX);
            continue;
        }
        const auto newLabel = quint16(volume.values.size());
        volume.values.push_back(volume.values[size_t(label)]);
        for (const Part &p : parts)
            if (right(p))
                finder.flood(p.seed, quint16(label), newLabel);
        sides[size_t(label)] = Side::Left;
        sides.push_back(Side::Right);
    }
    return sides;
}
