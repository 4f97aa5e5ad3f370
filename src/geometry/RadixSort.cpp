#include "RadixSort.h"

#include <algorithm>
#include <bit>

namespace {
constexpr int kDigitBits = 13;
constexpr size_t kBuckets = size_t(1) << kDigitBits;
constexpr size_t kSmall = 256; // below this a comparison sort is cheaper
} // namespace

void sortKeys(std::vector<quint64> &keys)
{
    if (keys.size() < kSmall) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    const quint64 largest = *std::max_element(keys.begin(), keys.end());
    const int bits = 64 - std::countl_zero(largest);
    std::vector<quint64> scratch(keys.size());
    std::vector<size_t> offsets(kBuckets);
    for (int shift = 0; shift < bits; shift += kDigitBits) {
        std::fill(offsets.begin(), offsets.end(), 0);
        for (quint64 key : keys)
            ++offsets[(key >> shift) & (kBuckets - 1)];
        size_t sum = 0;
        for (size_t &o : offsets) {
            const size_t count = o;
            o = sum;
            sum += count;
        }
        for (quint64 key : keys)
            scratch[offsets[(key >> shift) & (kBuckets - 1)]++] = key;
        keys.swap(scratch);
    }
}

void sortUniqueKeys(std::vector<quint64> &keys)
{
    sortKeys(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}
