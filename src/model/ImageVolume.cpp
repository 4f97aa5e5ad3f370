#include "ImageVolume.h"

#include <algorithm>
#include <cmath>
#include <limits>

ImageValueRange valueRange(const ImageVolume &image)
{
    ImageValueRange r;
    double low = std::numeric_limits<double>::infinity(), high = -low, sum = 0;
    for (qint64 n = 0; n < image.voxelCount(); ++n) {
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
