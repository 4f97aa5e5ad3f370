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
// mean is the one a sum in order would give; a CT of 80 million voxels takes a
// few hundredths of a second.
ImageValueRange shortRange(const qint16 *v, std::size_t n)
{
    ImageValueRange r;
    if (n == 0)
        return r;
    ShortTotals t;
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock)
        addBlock(v + i, t);
    for (; i < n; ++i) {
        t.low = std::min(t.low, v[i]);
        t.high = std::max(t.high, v[i]);
        t.sum += v[i];
    }
    r.count = qint64(n);
    r.min = t.low;
    r.max = t.high;
    r.mean = double(t.sum) / double(n);
    return r;
}

// Float voxels summed in doubles in the order they lie (a fixed order, so the
// mean is the same to the last digit on every run), NaN and infinities left out.
ImageValueRange floatRange(const float *voxels, std::size_t n)
{
    ImageValueRange r;
    double low = std::numeric_limits<double>::infinity(), high = -low, sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const float f = voxels[i];
        if (!std::isfinite(f))
            continue;
        const double v = f;
        low = std::min(low, v);
        high = std::max(high, v);
        sum += v;
        ++r.count;
    }
    if (r.count) {
        r.min = low;
        r.max = high;
        r.mean = sum / double(r.count);
    }
    return r;
}

} // namespace

ImageValueRange valueRange(const ImageVolume &image)
{
    if (image.voxelCount() <= 0)
        return {};
    const auto n = std::size_t(image.voxelCount());
    if (image.shorts.empty())
        return floatRange(image.floats.data(), std::min(n, image.floats.size()));
    return shortRange(image.shorts.data(), std::min(n, image.shorts.size()));
}
