#include "HuStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace measure {

namespace {

// Where the line of one voxel row crosses the surface: the row (j + ny * k)
// and the crossing's position along the first index axis.
struct Crossing
{
    qint64 row;
    double i;
    bool operator<(const Crossing &o) const { return row != o.row ? row < o.row : i < o.i; }
};

// A corner in index space: (i, j, k).
using Corner = std::array<double, 3>;

// Signed area test of x against the edge p -> q in the (j, k) plane. Both
// directions of an edge are computed from the same ordered pair, so two
// triangles sharing the edge see exactly opposite values and a lattice point
// on it is never counted by both or by neither.
double edgeValue(const Corner &p, const Corner &q, double j, double k)
{
    const bool swapped = q[1] < p[1] || (q[1] == p[1] && q[2] < p[2]);
    const Corner &a = swapped ? q : p, &b = swapped ? p : q;
    const double v = (b[1] - a[1]) * (k - a[2]) - (b[2] - a[2]) * (j - a[1]);
    return swapped ? -v : v;
}

// A point exactly on an edge belongs to one of the two triangles sharing
// it: the one for which the edge runs up, or right along a level edge.
bool ownsEdge(const Corner &p, const Corner &q)
{
    const double dj = q[1] - p[1], dk = q[2] - p[2];
    return dk > 0 || (dk == 0 && dj < 0);
}

bool covers(double w, const Corner &p, const Corner &q)
{
    return w > 0 || (w == 0 && ownsEdge(p, q));
}

void crossTriangle(Corner a, Corner b, Corner c, const qint64 size[3], std::vector<Crossing> &out)
{
    double area = edgeValue(a, b, c[1], c[2]);
    if (area == 0)
        return; // parallel to the rows: crossed by none
    if (area < 0)
        std::swap(b, c); // counter-clockwise in (j, k), so the inside is left of every edge
    const auto lo = [&](int axis) {
        return std::max<qint64>(0, qint64(std::ceil(std::min({a[axis], b[axis], c[axis]}))));
    };
    const auto hi = [&](int axis) {
        return std::min<qint64>(size[axis] - 1,
                                qint64(std::floor(std::max({a[axis], b[axis], c[axis]}))));
    };
    const qint64 j0 = lo(1), j1 = hi(1), k0 = lo(2), k1 = hi(2);
    for (qint64 k = k0; k <= k1; ++k)
        for (qint64 j = j0; j <= j1; ++j) {
            const double wa = edgeValue(b, c, double(j), double(k));
            const double wb = edgeValue(c, a, double(j), double(k));
            const double wc = edgeValue(a, b, double(j), double(k));
            if (!covers(wa, b, c) || !covers(wb, c, a) || !covers(wc, a, b))
                continue;
            const double sum = wa + wb + wc;
            out.push_back({j + size[1] * k, (wa * a[0] + wb * b[0] + wc * c[0]) / sum});
        }
}

std::vector<Crossing> crossings(const TriangleSurface &surface, const ImageVolume &image)
{
    const Affine toIndex = image.toWorld.inverse();
    std::vector<Corner> corners(surface.vertexCount());
    for (std::size_t v = 0; v < corners.size(); ++v) {
        const double *p = surface.points.data() + 3 * v;
        toIndex.apply(p[0], p[1], p[2], corners[v].data());
    }
    std::vector<Crossing> out;
    for (std::size_t t = 0; t < surface.triangleCount(); ++t) {
        const std::uint32_t *tri = surface.triangles.data() + 3 * t;
        crossTriangle(corners[tri[0]], corners[tri[1]], corners[tri[2]], image.size, out);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Sums, extremes and the distribution of the values visited.
class Accumulator
{
public:
    explicit Accumulator(bool shorts)
        : histogram(shorts ? 65536 : 0)
    { }

    void add(float v)
    {
        if (!std::isfinite(v))
            return;
        if (count == 0)
            shift = v;
        ++count;
        const double d = double(v) - shift;
        sum += d;
        squares += d * d;
        low = std::min(low, v);
        high = std::max(high, v);
        if (histogram.empty())
            values.push_back(v);
        else
            ++histogram[size_t(int(v) + 32768)];
    }

    HuStatistics result()
    {
        HuStatistics s;
        s.voxels = count;
        if (count == 0)
            return s;
        const double n = double(count), m = sum / n;
        s.mean = shift + m;
        s.sd = std::sqrt(std::max(0.0, squares / n - m * m));
        s.min = low;
        s.max = high;
        s.p95 = percentile95();
        return s;
    }

private:
    double percentile95()
    {
        // Nearest rank: the value at rank ceil(0.95 n), counted from 1.
        const qint64 rank = qint64(std::ceil(0.95 * double(count)));
        if (histogram.empty()) {
            std::nth_element(values.begin(), values.begin() + (rank - 1), values.end());
            return values[size_t(rank - 1)];
        }
        qint64 seen = 0;
        for (size_t b = 0; b < histogram.size(); ++b)
            if ((seen += histogram[b]) >= rank)
                return double(qint64(b) - 32768);
        return high;
    }

    std::vector<qint64> histogram; // of 16-bit values, exact
    std::vector<float> values;     // of other values
    qint64 count = 0;
    double shift = 0, sum = 0, squares = 0;
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
};

// The first voxel of a row whose centre is at or after `i`, within 0..nx.
qint64 firstVoxelFrom(double i, qint64 nx)
{
    return qint64(std::clamp(std::ceil(i), 0.0, double(nx)));
}

} // namespace

void forEachInsideRun(const TriangleSurface &closed, const ImageVolume &image,
                      const std::function<void(qint64 row, qint64 from, qint64 to)> &visit)
{
    if (image.isEmpty() || !image.toWorld.isUsable())
        return;
    const std::vector<Crossing> cuts = crossings(closed, image);
    const qint64 nx = image.size[0];
    for (std::size_t c = 0; c + 1 < cuts.size();) {
        const qint64 row = cuts[c].row;
        std::size_t end = c;
        while (end < cuts.size() && cuts[end].row == row)
            ++end;
        // A missing slice's filling is no measurement.
        if (image.missingPlane(row / std::max<qint64>(image.size[1], 1))) {
            c = end;
            continue;
        }
        // Crossings pair up along the row: inside from each odd one to the next.
        for (std::size_t p = c; p + 1 < end; p += 2) {
            const qint64 from = firstVoxelFrom(cuts[p].i, nx);
            const qint64 to = firstVoxelFrom(cuts[p + 1].i, nx);
            if (from < to)
                visit(row, from, to);
        }
        c = end;
    }
}

HuStatistics huInside(const TriangleSurface &closed, const ImageVolume &image)
{
    Accumulator acc(!image.shorts.empty());
    const qint64 nx = image.size[0];
    forEachInsideRun(closed, image, [&](qint64 row, qint64 from, qint64 to) {
        for (qint64 i = from; i < to; ++i)
            acc.add(image.value(row * nx + i));
    });
    return acc.result();
}

} // namespace measure
