#include "BodyMidline.h"

#include "ImageVolume.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace body {

namespace {

constexpr double kBoneHu = 250;    // cortical and dense trabecular bone
constexpr double kTissueHu = -300; // the body against air
constexpr qint64 kMaxSlices = 40;
constexpr qint64 kMaxSamples = 160; // along each axis of a slice
constexpr double kCellMm = 8;       // the cells the slices are projected into
constexpr int kMaxCells = 256;      // along x or y
constexpr double kMaxSpineWidth = 120;

bool holdsHu(const ImageVolume &image)
{
    if (!image.unit.isEmpty())
        return image.unit == u"HU";
    return image.modality.isEmpty() || image.modality == u"CT";
}

// The index axis that runs most along world z: the one across the slices.
int sliceAxis(const Affine &a)
{
    int best = 2;
    double most = -1;
    for (int c = 0; c < 3; ++c)
        if (const double share = std::fabs(a.m[2][c]) / a.spacing(c); share > most) {
            most = share;
            best = c;
        }
    return best;
}

// What the sampled slices saw in one cell of the axial projection.
struct Cell
{
    int boneSlices = 0, bodySlices = 0;
    int lastBone = -1, lastBody = -1;
    double boneSumX = 0;
    qint64 bone = 0;
};

// A connected set of cells with bone in most slices.
struct Column
{
    int minX = kMaxCells, maxX = -1, minY = kMaxCells, maxY = -1;
    double sumX = 0;
    qint64 bone = 0;
};

// Samples slices of a CT into cells of the axial plane and reads the spine
// and the body's outline from them.
class SliceSampler
{
public:
    explicit SliceSampler(const ImageVolume &image)
        : image(image)
        , axis(sliceAxis(image.toWorld))
    {
        double low[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
        double high[2] = {std::numeric_limits<double>::lowest(),
                          std::numeric_limits<double>::lowest()};
        for (int corner = 0; corner < 8; ++corner) {
            double p[3];
            image.toWorld.apply(corner & 1 ? double(image.size[0] - 1) : 0,
                                corner & 2 ? double(image.size[1] - 1) : 0,
                                corner & 4 ? double(image.size[2] - 1) : 0, p);
            for (int d = 0; d < 2; ++d) {
                low[d] = std::min(low[d], p[d]);
                high[d] = std::max(high[d], p[d]);
            }
        }
        x0 = low[0];
        y0 = low[1];
        cell = std::max(
            {kCellMm, (high[0] - low[0]) / (kMaxCells - 1), (high[1] - low[1]) / (kMaxCells - 1)});
        nx = int((high[0] - low[0]) / cell) + 1;
        ny = int((high[1] - low[1]) / cell) + 1;
        cells.resize(size_t(nx) * size_t(ny));
    }

    void scan()
    {
        const qint64 n = image.size[axis];
        slices = int(std::min(n, kMaxSlices));
        for (int s = 0; s < slices; ++s)
            scanSlice(s, (2 * qint64(s) + 1) * n / (2 * qint64(slices)));
    }

    Midline spine() const;
    Midline outline() const;

private:
    void scanSlice(int s, qint64 k)
    {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        const qint64 su = std::max<qint64>(1, image.size[u] / kMaxSamples),
                     sv = std::max<qint64>(1, image.size[v] / kMaxSamples);
        double minX = std::numeric_limits<double>::max(),
               maxX = std::numeric_limits<double>::lowest();
        bool touches = false;
        qint64 at[3];
        at[axis] = k;
        for (at[v] = 0; at[v] < image.size[v]; at[v] += sv)
            for (at[u] = 0; at[u] < image.size[u]; at[u] += su) {
                const float value = image.at(at[0], at[1], at[2]);
                if (!(value >= kTissueHu))
                    continue;
                double p[3];
                image.toWorld.apply(double(at[0]), double(at[1]), double(at[2]), p);
                Cell &c = cellAt(p[0], p[1]);
                mark(c.bodySlices, c.lastBody, s);
                minX = std::min(minX, p[0]);
                maxX = std::max(maxX, p[0]);
                touches = touches || at[u] < su || at[u] + su >= image.size[u] || at[v] < sv
                    || at[v] + sv >= image.size[v];
                if (value >= kBoneHu) {
                    mark(c.boneSlices, c.lastBone, s);
                    c.boneSumX += p[0];
                    ++c.bone;
                }
            }
        if (minX <= maxX && !touches)
            outlineCentres.push_back((minX + maxX) / 2);
    }

    static void mark(int &count, int &last, int slice)
    {
        if (last != slice) {
            last = slice;
            ++count;
        }
    }

    Cell &cellAt(double x, double y)
    {
        const int cx = std::clamp(int((x - x0) / cell), 0, nx - 1);
        const int cy = std::clamp(int((y - y0) / cell), 0, ny - 1);
        return cells[size_t(cx) + size_t(nx) * size_t(cy)];
    }
    const Cell &cellAt(int cx, int cy) const { return cells[size_t(cx) + size_t(nx) * size_t(cy)]; }
    bool inside(int cx, int cy) const { return cx >= 0 && cy >= 0 && cx < nx && cy < ny; }
    // Present in half the sampled slices or more.
    bool persistent(int count) const { return 2 * count >= slices && count > 0; }
    bool boneColumn(int cx, int cy) const
    {
        return inside(cx, cy) && persistent(cellAt(cx, cy).boneSlices);
    }
    std::vector<Column> columns() const;
    bool tissueBeside(const Column &c, int dx, int dy) const;

    const ImageVolume &image;
    int axis;
    double x0 = 0, y0 = 0, cell = kCellMm;
    int nx = 1, ny = 1, slices = 0;
    std::vector<Cell> cells;
    std::vector<double> outlineCentres; // of the slices whose outline is whole
};

std::vector<Column> SliceSampler::columns() const
{
    std::vector<Column> found;
    std::vector<bool> seen(cells.size(), false);
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < ny; ++y)
        for (int x = 0; x < nx; ++x) {
            if (seen[size_t(x + nx * y)] || !boneColumn(x, y))
                continue;
            Column column;
            stack.assign(1, {x, y});
            seen[size_t(x + nx * y)] = true;
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                const Cell &c = cellAt(cx, cy);
                column.minX = std::min(column.minX, cx);
                column.maxX = std::max(column.maxX, cx);
                column.minY = std::min(column.minY, cy);
                column.maxY = std::max(column.maxY, cy);
                column.sumX += c.boneSumX;
                column.bone += c.bone;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (boneColumn(cx + dx, cy + dy)
                            && !seen[size_t(cx + dx + nx * (cy + dy))]) {
                            seen[size_t(cx + dx + nx * (cy + dy))] = true;
                            stack.push_back({cx + dx, cy + dy});
                        }
            }
            found.push_back(column);
        }
    return found;
}

// Soft tissue in most slices within three cells beyond the column's box, in
// the direction (dx, dy), along its middle row or column.
bool SliceSampler::tissueBeside(const Column &c, int dx, int dy) const
{
    const int midX = (c.minX + c.maxX) / 2, midY = (c.minY + c.maxY) / 2;
    for (int step = 1; step <= 3; ++step) {
        const int x = dx < 0 ? c.minX - step : dx > 0 ? c.maxX + step : midX;
        const int y = dy < 0 ? c.minY - step : dy > 0 ? c.maxY + step : midY;
        if (inside(x, y) && persistent(cellAt(x, y).bodySlices) && !boneColumn(x, y))
            return true;
    }
    return false;
}

Midline SliceSampler::spine() const
{
    // A table's rails have the body on one side only; the spine is wrapped
    // in muscle. Of the columns so wrapped (the aorta, when enhanced, is
    // one), the spine is the most posterior.
    const std::vector<Column> all = columns(); // `best` points into it
    const Column *best = nullptr;
    for (const Column &c : all) {
        const int sides = int(tissueBeside(c, -1, 0)) + int(tissueBeside(c, 1, 0))
            + int(tissueBeside(c, 0, -1)) + int(tissueBeside(c, 0, 1));
        if (sides >= 2 && (c.maxX - c.minX + 1) * cell <= kMaxSpineWidth && c.bone > 0
            && (!best || c.minY < best->minY))
            best = &c;
    }
    if (!best)
        return {};
    return {MidlineSource::CtSpine, best->sumX / double(best->bone)};
}

Midline SliceSampler::outline() const
{
    if (outlineCentres.empty() || 2 * int(outlineCentres.size()) < slices)
        return {};
    std::vector<double> sorted = outlineCentres;
    std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2),
                     sorted.end());
    return {MidlineSource::CtOutline, sorted[sorted.size() / 2]};
}

double mean(const std::vector<double> &values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum / double(values.size());
}

// Half way between the left-named and the right-named ones of one paired
// structure, else between its only two when they lie far apart.
bool pairMidpoint(const std::vector<const PlacedStructure *> &items, double &midpoint)
{
    std::vector<double> left, right;
    for (const PlacedStructure *p : items)
        if (p->side != anatomy::Side::None)
            (p->side == anatomy::Side::Left ? left : right).push_back(p->x);
    if (!left.empty() && !right.empty()) {
        midpoint = (mean(left) + mean(right)) / 2;
        return true;
    }
    if (items.size() == 2 && std::fabs(items[0]->x - items[1]->x) >= 2 * kSideMargin) {
        midpoint = (items[0]->x + items[1]->x) / 2;
        return true;
    }
    return false;
}

} // namespace

QString sourceKey(MidlineSource source)
{
    switch (source) {
    case MidlineSource::CtSpine:
        return QStringLiteral("ct_spine");
    case MidlineSource::CtOutline:
        return QStringLiteral("ct_body_outline");
    case MidlineSource::Spine:
        return QStringLiteral("spine");
    case MidlineSource::PairedOrgans:
        return QStringLiteral("paired_organs");
    case MidlineSource::GridCentre:
        return QStringLiteral("grid_centre");
    case MidlineSource::None:
        break;
    }
    return QString();
}

Midline midlineInImage(const ImageVolume &image)
{
    if (image.isEmpty() || !image.toWorld.isUsable() || !holdsHu(image))
        return {};
    SliceSampler sampler(image);
    sampler.scan();
    if (const Midline spine = sampler.spine(); spine.found())
        return spine;
    return sampler.outline();
}

Midline midlineOfStructures(std::span<const PlacedStructure> placed)
{
    std::vector<double> onMidline;
    std::map<anatomy::Structure, std::vector<const PlacedStructure *>> paired;
    for (const PlacedStructure &p : placed) {
        if (!std::isfinite(p.x))
            continue;
        if (p.onMidline)
            onMidline.push_back(p.x);
        else if (const anatomy::StructureRow *row = anatomy::rowOf(p.structure); row && row->paired)
            paired[p.structure].push_back(&p);
    }
    if (!onMidline.empty())
        return {MidlineSource::Spine, mean(onMidline)};
    std::vector<double> midpoints;
    for (const auto &[structure, items] : paired)
        if (double m = 0; pairMidpoint(items, m))
            midpoints.push_back(m);
    if (midpoints.empty())
        return {};
    return {MidlineSource::PairedOrgans, mean(midpoints)};
}

anatomy::Side sideAt(double x, const Midline &midline)
{
    if (!midline.found() || std::fabs(x - midline.x) < kSideMargin)
        return anatomy::Side::None;
    return x > midline.x ? anatomy::Side::Right : anatomy::Side::Left;
}

} // namespace body
