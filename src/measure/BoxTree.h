#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace measure {

// A bounding-volume hierarchy over items given by their boxes (triangles, or
// points as boxes without extent). Items are ordered along a Morton curve of
// their box centres and every node halves its range of that order, so the
// tree is balanced and built with one radix sort: about a tenth of a second
// per million items.
struct BoxNode
{
    double lo[3], hi[3];
    std::uint32_t begin, end; // range of `order`
    std::uint32_t right;      // the right child; the left one follows its parent; 0 for a leaf

    bool leaf() const { return right == 0; }
    std::uint32_t size() const { return end - begin; }
};

struct BoxTree
{
    std::vector<BoxNode> nodes;       // depth first, the root at 0
    std::vector<std::uint32_t> order; // item numbers in leaf order

    // `lo` and `hi` hold three coordinates per item; leaves keep up to
    // `leafSize` items. An empty tree has no nodes.
    static BoxTree build(const std::vector<double> &lo, const std::vector<double> &hi,
                         std::uint32_t leafSize);
    bool empty() const { return nodes.empty(); }
};

// Squared distance between two boxes (0 when they overlap) and the squared
// largest distance between their points.
double boxGap2(const BoxNode &a, const BoxNode &b);
double boxSpan2(const BoxNode &a, const BoxNode &b);

} // namespace measure
