#include "BoxTree.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace measure {

namespace {

// Spreads the low 21 bits of x to every third bit.
std::uint64_t spreadBits(std::uint64_t x)
{
    x &= 0x1fffff;
    x = (x | x << 32) & 0x1f00000000ffffULL;
    x = (x | x << 16) & 0x1f0000ff0000ffULL;
    x = (x | x << 8) & 0x100f00f00f00f00fULL;
    x = (x | x << 4) & 0x10c30c30c30c30c3ULL;
    x = (x | x << 2) & 0x1249249249249249ULL;
    return x;
}

struct Keyed
{
    std::uint64_t key;
    std::uint32_t item;
};

// Least-significant-digit radix sort on the keys, stable, 16 bits a pass;
// a comparison sort below a few thousand records, where clearing the digit
// counts would cost more than the sort (thousands of specks of stone each
// get a tree).
void radixSort(std::vector<Keyed> &records)
{
    if (records.size() < 4096) {
        std::sort(records.begin(), records.end(),
                  [](const Keyed &a, const Keyed &b) { return a.key < b.key; });
        return;
    }
    std::vector<Keyed> scratch(records.size());
    std::vector<std::size_t> count(1 << 16);
    for (int shift = 0; shift < 64; shift += 16) {
        std::fill(count.begin(), count.end(), 0);
        for (const Keyed &r : records)
            ++count[(r.key >> shift) & 0xffff];
        std::size_t sum = 0;
        for (std::size_t &c : count)
            sum += std::exchange(c, sum);
        for (const Keyed &r : records)
            scratch[count[(r.key >> shift) & 0xffff]++] = r;
        records.swap(scratch);
    }
}

class Builder
{
public:
    Builder(BoxTree &tree, const std::vector<double> &lo, const std::vector<double> &hi,
            std::uint32_t leafSize)
        : tree(tree)
        , lo(lo)
        , hi(hi)
        , leafSize(std::max<std::uint32_t>(1, leafSize))
    { }

    std::uint32_t node(std::uint32_t begin, std::uint32_t end)
    {
        const auto index = std::uint32_t(tree.nodes.size());
        tree.nodes.push_back({{}, {}, begin, end, 0});
        if (end - begin <= leafSize) {
            BoxNode &leaf = tree.nodes[index];
            std::fill_n(leaf.lo, 3, HUGE_VAL);
            std::fill_n(leaf.hi, 3, -HUGE_VAL);
            for (std::uint32_t i = begin; i < end; ++i) {
                const std::size_t item = tree.order[i];
                for (int k = 0; k < 3; ++k) {
                    leaf.lo[k] = std::min(leaf.lo[k], lo[3 * item + std::size_t(k)]);
                    leaf.hi[k] = std::max(leaf.hi[k], hi[3 * item + std::size_t(k)]);
                }
            }
            return index;
        }
        const std::uint32_t middle = begin + (end - begin) / 2;
        const std::uint32_t left = node(begin, middle);
        const std::uint32_t right = node(middle, end);
        BoxNode &parent = tree.nodes[index];
        parent.right = right;
        for (int k = 0; k < 3; ++k) {
            parent.lo[k] = std::min(tree.nodes[left].lo[k], tree.nodes[right].lo[k]);
            parent.hi[k] = std::max(tree.nodes[left].hi[k], tree.nodes[right].hi[k]);
        }
        return index;
    }

private:
    BoxTree &tree;
    const std::vector<double> &lo, &hi;
    std::uint32_t leafSize;
};

} // namespace

BoxTree BoxTree::build(const std::vector<double> &lo, const std::vector<double> &hi,
                       std::uint32_t leafSize)
{
    BoxTree tree;
    const std::size_t n = lo.size() / 3;
    if (n == 0)
        return tree;
    // Morton keys of the box centres within the box of all centres.
    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    std::vector<double> centre(3 * n);
    for (std::size_t i = 0; i < 3 * n; ++i) {
        centre[i] = 0.5 * (lo[i] + hi[i]);
        low[i % 3] = std::min(low[i % 3], centre[i]);
        high[i % 3] = std::max(high[i % 3], centre[i]);
    }
    double scale[3];
    for (int k = 0; k < 3; ++k)
        scale[k] = high[k] > low[k] ? 2097151.0 / (high[k] - low[k]) : 0;
    std::vector<Keyed> keyed(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t key = 0;
        for (int k = 0; k < 3; ++k)
            key |= spreadBits(std::uint64_t((centre[3 * i + std::size_t(k)] - low[k]) * scale[k]))
                << k;
        keyed[i] = {key, std::uint32_t(i)};
    }
    radixSort(keyed);
    tree.order.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        tree.order[i] = keyed[i].item;
    tree.nodes.reserve(2 * (n / std::max<std::uint32_t>(1, leafSize)) + 2);
    Builder(tree, lo, hi, leafSize).node(0, std::uint32_t(n));
    return tree;
}

double boxGap2(const BoxNode &a, const BoxNode &b)
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double d = std::max({0.0, a.lo[k] - b.hi[k], b.lo[k] - a.hi[k]});
        sum += d * d;
    }
    return sum;
}

double boxSpan2(const BoxNode &a, const BoxNode &b)
{
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        const double d = std::max(a.hi[k] - b.lo[k], b.hi[k] - a.lo[k]);
        sum += d * d;
    }
    return sum;
}

} // namespace measure
