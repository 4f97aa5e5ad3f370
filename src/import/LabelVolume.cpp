#include "LabelVolume.h"

#include "ImportTypes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

int sampleBytes(SampleType type)
{
    return withSampleType(type, [](auto sample) { return int(sizeof sample); });
}

namespace {

// A set of distinct values larger than this is not counted further: the map
// is refused either way and counting on would only cost memory.
constexpr size_t kCountingCap = 100000;

// Largest whole number a double holds exactly.
constexpr double kLargestExact = 9007199254740992.0;

// Bounds of the non-zero voxels, widened row by row.
struct Box
{
    qint64 lo[3] = {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max(),
                    std::numeric_limits<qint64>::max()};
    qint64 hi[3] = {-1, -1, -1};

    void addRow(qint64 first, qint64 last, qint64 j, qint64 k)
    {
        lo[0] = std::min(lo[0], first);
        hi[0] = std::max(hi[0], last);
        lo[1] = std::min(lo[1], j);
        hi[1] = std::max(hi[1], j);
        lo[2] = std::min(lo[2], k);
        hi[2] = std::max(hi[2], k);
    }
    bool empty() const { return hi[0] < 0; }
};

[[noreturn]] void refuseFraction(double value)
{
    failImport(Import::tr("The label map holds the value %1, which is not a whole number. "
                          "Labels are whole numbers; fractional values are refused, not rounded.")
                   .arg(value, 0, 'g', 8));
}

[[noreturn]] void refuseCount(size_t count, bool atLeast)
{
    const QString number = atLeast ? Import::tr("more than %1").arg(count) : QString::number(count);
    failImport(Import::tr("The label map has %1 distinct labels; at most %2 are read. "
                          "An image of intensities is not a label map.")
                   .arg(number)
                   .arg(kMaxLabels));
}

// Visits every row of the grid: fn(row pointer, j, k), the row's samples
// `stride` apart.
template<class T, class Fn> void forEachRow(const SampleGrid &grid, Fn &&fn)
{
    const T *data = static_cast<const T *>(grid.data) + grid.offset;
    const qint64 rowStep = grid.stride * grid.size[0];
    for (qint64 k = 0; k < grid.size[2]; ++k)
        for (qint64 j = 0; j < grid.size[1]; ++j)
            fn(data + rowStep * (j + grid.size[1] * k), j, k);
}

// The label value of a raw sample: checked to be a whole number.
template<class T> struct ValueOf
{
    double slope, intercept;
    bool scaled;

    qint64 operator()(T raw) const
    {
        if constexpr (std::is_integral_v<T>) {
            if (!scaled)
                return qint64(raw);
        }
        const double v = scaled ? double(raw) * slope + intercept : double(raw);
        if (!(std::fabs(v) <= kLargestExact) || v != std::floor(v))
            refuseFraction(v);
        return qint64(v);
    }
};

template<class T> ValueOf<T> valueOf(const SampleGrid &grid)
{
    const bool scaled = grid.slope != 0 && (grid.slope != 1 || grid.intercept != 0);
    if (scaled && !(std::isfinite(grid.slope) && std::isfinite(grid.intercept)))
        failImport(Import::tr("The label map's value scaling is not a finite number."));
    return {grid.slope, grid.intercept, scaled};
}

// First pass: the distinct non-zero values (sorted) and their box.
template<class T> std::vector<qint64> scanValues(const SampleGrid &grid, Box &box)
{
    const ValueOf<T> value = valueOf<T>(grid);
    std::unordered_set<qint64> seen;
    qint64 last = 0;
    forEachRow<T>(grid, [&](const T *row, qint64 j, qint64 k) {
        qint64 first = -1, end = -1;
        for (qint64 i = 0; i < grid.size[0]; ++i) {
            const qint64 v = value(row[i * grid.stride]);
            if (v == 0)
                continue;
            if (first < 0)
                first = i;
            end = i;
            if (v != last) {
                seen.insert(v);
                last = v;
                if (seen.size() > kCountingCap)
                    refuseCount(kCountingCap, true);
            }
        }
        if (first >= 0)
            box.addRow(first, end, j, k);
    });
    std::vector<qint64> values(seen.begin(), seen.end());
    std::sort(values.begin(), values.end());
    return values;
}

// Second pass: the compact label of every voxel of the box, into a volume
// that has one more voxel of background on each side.
template<class T>
void fillLabels(const SampleGrid &grid, const Box &box, const std::vector<qint64> &values,
                LabelVolume &volume)
{
    const ValueOf<T> value = valueOf<T>(grid);
    qint64 lastValue = 0;
    quint16 lastLabel = 0;
    const auto labelOf = [&](qint64 v) {
        if (v != lastValue) {
            lastValue = v;
            lastLabel =
                quint16(1 + std::lower_bound(values.begin(), values.end(), v) - values.begin());
        }
        return lastLabel;
    };
    const qint64 nx = volume.size[0], ny = volume.size[1];
    forEachRow<T>(grid, [&](const T *row, qint64 j, qint64 k) {
        if (j < box.lo[1] || j > box.hi[1] || k < box.lo[2] || k > box.hi[2])
            return;
        quint16 *out =
            volume.labels.data() + 1 + nx * (j - box.lo[1] + 1 + ny * (k - box.lo[2] + 1));
        for (qint64 i = box.lo[0]; i <= box.hi[0]; ++i) {
            const qint64 v = value(row[i * grid.stride]);
            out[i - box.lo[0]] = v == 0 ? 0 : labelOf(v);
        }
    });
}

template<class T> LabelVolume build(const SampleGrid &grid, const Affine &indexToWorld)
{
    Box box;
    std::vector<qint64> values = scanValues<T>(grid, box);
    if (values.size() > size_t(kMaxLabels))
        refuseCount(values.size(), false);
    LabelVolume volume;
    volume.values.push_back(0);
    if (box.empty())
        return volume;
    for (int a = 0; a < 3; ++a)
        volume.size[a] = box.hi[a] - box.lo[a] + 3;
    volume.labels.assign(size_t(volume.size[0] * volume.size[1] * volume.size[2]), 0);
    volume.values.insert(volume.values.end(), values.begin(), values.end());
    fillLabels<T>(grid, box, values, volume);

    volume.toWorld = indexToWorld;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            volume.toWorld.m[r][3] += indexToWorld.m[r][c] * double(box.lo[c] - 1);
    return volume;
}

} // namespace

LabelVolume makeLabelVolume(const SampleGrid &grid, const Affine &indexToWorld)
{
    return withSampleType(grid.type,
                          [&](auto sample) { return build<decltype(sample)>(grid, indexToWorld); });
}
