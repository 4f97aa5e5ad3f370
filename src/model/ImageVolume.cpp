#include "ImageVolume.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The lowest, highest and sum of a run of 16-bit voxels, added to what is
// already there. A run of kBlock voxels sums within 32 bits (2^16 * 2^15),
// and with its length fixed the compiler turns the loop into vector code.
constexpr std::size_t kBlock = std::size_t(1) << 16;
struct ShortTotals
{
    qint16 low = std::numeric_limits<qint16>::max();
    qint16 high = std::numeric_limits<qint16>::min();
    qint64 sum = 0;
    qint64 count = 0;
};

void addBlock(const qint16 *v, ShortTotals &t)
{
    qint16 low = t.low, high = t.high;
    qint32 sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        low = std::min(low, v[i]);
        high = std::max(high, v[i]);
        sum += v[i];
    }
    t.low = low;
    t.high = high;
    t.sum += sum;
}

// 16-bit voxels are all numbers, and their sum in integers is exact, so the
// mean is the one a sum in order would give.
void addShorts(const qint16 *v, std::size_t n, ShortTotals &t)
{
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock)
        addBlock(v + i, t);
    for (; i < n; ++i) {
        t.low = std::min(t.low, v[i]);
        t.high = std::max(t.high, v[i]);
        t.sum += v[i];
    }
    t.count += qint64(n);
}

struct FloatTotals
{
    double low = std::numeric_limits<double>::infinity(), high = -low, sum = 0;
    qint64 count = 0;
};

// Float voxels summed in doubles in the order they lie (a fixed order, so the
// mean is the same to the last digit on every run), NaN and infinities left out.
void addFloats(const float *voxels, std::size_t n, FloatTotals &t)
{
    for (std::size_t i = 0; i < n; ++i) {
        const float f = voxels[i];
        if (!std::isfinite(f))
            continue;
        const double v = f;
        t.low = std::min(t.low, v);
        t.high = std::max(t.high, v);
        t.sum += v;
        ++t.count;
    }
}

// Calls `run(first, end)` for each stretch of voxels between the missing
// planes, which count in no statistic; `n` voxels in all.
template<class Run> void presentRuns(const ImageVolume &image, std::size_t n, Run run)
{
    const auto plane = std::size_t(image.size[0] * image.size[1]);
    std::size_t first = 0;
    for (const qint64 k : image.missingPlanes) {
        if (k < 0 || std::size_t(k) * plane >= n)
            continue;
        if (std::size_t(k) * plane > first)
            run(first, std::size_t(k) * plane);
        first = std::max(first, std::size_t(k + 1) * plane);
    }
    if (first < n)
        run(first, n);
}

} // namespace

ImageValueRange valueRange(const ImageVolume &image)
{
    ImageValueRange r;
    if (image.voxelCount() <= 0)
        return r;
    const auto voxels = std::size_t(image.voxelCount());
    if (image.shorts.empty()) {
        FloatTotals t;
        presentRuns(image, std::min(voxels, image.floats.size()), [&](auto first, auto end) {
            addFloats(image.floats.data() + first, end - first, t);
        });
        if (t.count)
            r = {t.count, t.low, t.high, t.sum / double(t.count)};
        return r;
    }
    ShortTotals t;
    presentRuns(image, std::min(voxels, image.shorts.size()), [&](auto first, auto end) {
        addShorts(image.shorts.data() + first, end - first, t);
    });
    if (t.count)
        r = {t.count, double(t.low), double(t.high), double(t.sum) / double(t.count)};
    return r;
}
