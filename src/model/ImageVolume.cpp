#include "ImageVolume.h"

#include <algorithm>
#include <cmath>
#include <limits>

ImageValueRange valueRange(const ImageVolume &image)
{
    ImageValueRange r;
    double low = std::numeric_limits<double>::infinity(), high = -low, sum = 0;
    const qint64 plane = image.size[0] * image.size[1];
    for (qint64 n = 0; n < image.voxelCount(); ++n) {
        if (!image.missingPlanes.empty() && image.missingPlane(n / plane)) {
            n += plane - 1 - n % plane;
            continue;
        }
        const double v = image.value(n);
        if (!std::isfinite(v))
            continue;
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
