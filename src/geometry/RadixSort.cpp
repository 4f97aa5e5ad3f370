#include "RadixSort.h"

#include "Alloc.h"

#include <algorithm>
#include <bit>
#include <memory>

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
    // Each pass scatters from one buffer into the other; the scratch buffer
    // is written before it is read, so it starts uninitialised.
    const size_t n = keys.size();
    const std::unique_ptr<quint64, decltype(&std::free)> scratch(allocArray<quint64>(qint64(n)),
                                                                 &std::free);
    quint64 *from = keys.data(), *to = scratch.get();
    std::vector<size_t> offsets(kBuckets);
    for (int shift = 0; shift < bits; shift += kDigitBits) {
        std::fill(offsets.begin(), offsets.end(), 0);
        for (size_t i = 0; i < n; ++i)
            ++offsets[(from[i] >> shift) & (kBuckets - 1)];
        size_t sum = 0;
        for (size_t &o : offsets) {
            const size_t count = o;
            o = sum;
            sum += count;
        }
        for (size_t i = 0; i < n; ++i)
            to[offsets[(from[i] >> shift) & (kBuckets - 1)]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys.data())
        std::copy_n(from, n, keys.data());
}

void sortUniqueKeys(std::vector<quint64> &keys)
{
    sortKeys(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}
