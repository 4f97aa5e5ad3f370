#include "SliceGrey.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kValues = 65536;

// The first 16-bit value (as value + 32768) whose grey is at least `grey`,
// kValues when none is: greyOf never falls as the value rises, so a binary
// search finds it.
int firstWithGrey(int grey, WindowLevel windowLevel)
{
    int lo = 0, hi = kValues;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (greyOf(float(mid - 32768), windowLevel) >= grey)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

} // namespace

quint8 greyOf(float value, WindowLevel windowLevel)
{
    if (std::isnan(value))
        return 0;
    if (windowLevel.window <= 0)
        return value >= windowLevel.level ? 255 : 0;
    const double low = windowLevel.level - windowLevel.window / 2;
    const double scaled = (double(value) - low) / windowLevel.window * 255.0;
    if (scaled <= 0)
        return 0;
    if (scaled >= 255)
        return 255;
    return quint8(std::lround(scaled));
}

std::vector<quint8> windowed(const ImageSlice &slice, WindowLevel windowLevel)
{
    std::vector<quint8> grey(slice.values.size());
    for (size_t p = 0; p < grey.size(); ++p)
        grey[p] = greyOf(slice.values[p], windowLevel);
    return grey;
}

GreyTable::GreyTable(WindowLevel windowLevel)
    : Window(windowLevel)
    , Greys(kValues)
{
    if (!std::isfinite(windowLevel.window) || !std::isfinite(windowLevel.level)) {
        // No order to search in: every value on its own.
        for (int v = 0; v < kValues; ++v)
            Greys[size_t(v)] = greyOf(float(v - 32768), windowLevel);
        return;
    }
    // Runs of one grey between the first values of consecutive greys: 256
    // searches of 16 steps instead of a window's arithmetic per value.
    int from = 0;
    for (int grey = 0; grey < 256; ++grey) {
        const int to = grey == 255 ? kValues : firstWithGrey(grey + 1, windowLevel);
        if (to > from)
            std::memset(Greys.data() + from, grey, size_t(to - from));
        from = std::max(from, to);
    }
}

std::vector<qint16> planeShorts(const ImageVolume &image, int axis, qint64 index)
{
    std::vector<qint16> out;
    if (image.shorts.empty() || axis < 0 || axis > 2 || index < 0 || index >= image.size[axis])
        return out;
    const std::array<int, 2> uv = sliceAxes(axis);
    const qint64 width = image.size[uv[0]], height = image.size[uv[1]];
    out.resize(size_t(width * height));
    // The index steps of u and v in the volume, so that each row is a
    // strided copy without a multiplication per voxel.
    const qint64 strides[3] = {1, image.size[0], image.size[0] * image.size[1]};
    const qint64 du = strides[uv[0]], dv = strides[uv[1]];
    const qint16 *plane = image.shorts.data() + index * strides[axis];
    qint16 *to = out.data();
    for (qint64 v = 0; v < height; ++v) {
        const qint16 *from = plane + v * dv;
        if (du == 1) {
            std::memcpy(to, from, size_t(width) * sizeof(qint16));
            to += width;
        } else {
            for (qint64 u = 0; u < width; ++u)
                *to++ = from[u * du];
        }
    }
    return out;
}

void greyShorts(const qint16 *values, size_t count, const GreyTable &table, quint8 *out)
{
    for (size_t p = 0; p < count; ++p)
        out[p] = table(values[p]);
}

qint64 markMissing(const ImageVolume &image, const ImageSlice &slice, quint8 *greys)
{
    if (image.missingPlanes.empty() || slice.width <= 0 || slice.height <= 0)
        return 0;
    // The missing planes hold k fixed: a plane of k is missing whole, the
    // others cross them in rows (v runs along k for both).
    const auto stripe = [](qint64 u, qint64 v) { return quint8((u + v) / 4 % 2 ? 200 : 70); };
    qint64 marked = 0;
    for (qint64 v = 0; v < slice.height; ++v) {
        if (!image.missingPlane(slice.axis == 2 ? slice.index : v))
            continue;
        for (qint64 u = 0; u < slice.width; ++u)
            greys[size_t(u + slice.width * v)] = stripe(u, v);
        marked += slice.width;
    }
    return marked;
}

PlaneVoxels planeVoxels(const ImageVolume &image, int axis, qint64 index)
{
    PlaneVoxels plane;
    if (image.shorts.empty())
        plane.slice = sliceOf(image, axis, index);
    else
        plane.shorts = planeShorts(image, axis, index);
    return plane;
}

void greyPlane(const PlaneVoxels &plane, WindowLevel windowLevel, std::optional<GreyTable> &table,
               std::vector<quint8> &out)
{
    if (plane.shorts.empty()) {
        out = windowed(plane.slice, windowLevel);
        return;
    }
    const WindowLevel built = table ? table->windowLevel() : WindowLevel {};
    if (!table || built.window != windowLevel.window || built.level != windowLevel.level)
        table.emplace(windowLevel);
    out.resize(plane.shorts.size());
    greyShorts(plane.shorts.data(), plane.shorts.size(), *table, out.data());
}
