#include "LabelMapData.h"

#include "ImportTypes.h"

#include <limits>

qint64 sampleDataBytes(const qint64 *sizes, int axes, int bytes)
{
    constexpr qint64 kLargest = std::numeric_limits<qint64>::max();
    qint64 total = bytes;
    for (int a = 0; a < axes; ++a) {
        if (sizes[a] < 1)
            failImport(
                Import::tr("The volume's dimensions must be positive; one is %1.").arg(sizes[a]));
        if (total > kLargest / sizes[a])
            failImport(Import::tr("The volume's dimensions are too large to hold in memory."));
        total *= sizes[a];
    }
    return total;
}
