#include "VertexWeld.h"

#include "ImportTypes.h"
#include "geometry/Alloc.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kBlockBits = 3;                  // 8 cells a side
constexpr int kWindowBits = 3 * kBlockBits;    // 512 slots a block
constexpr float kLargestCell = float(1 << 20); // cells along an axis

quint64 mix(quint64 h)
{
    h ^= h >> 31;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

quint64 hashOf(const quint32 key[3])
{
    return mix((quint64(key[0]) * 0xC2B2AE3D27D4EB4Full) ^ (quint64(key[1]) << 21)
               ^ (quint64(key[2]) * 0x165667B19E3779F9ull));
}

// +0 and -0 are the same place.
quint32 bitsOf(float v)
{
    return v == 0.0f ? 0u : std::bit_cast<quint32>(v);
}

// The cell number along one axis; anything outside the box (or not a
// number) lands on its edge.
quint32 cellOf(float v, float low, float inverse)
{
    const float t = (v - low) * inverse;
    return t >= 0 ? quint32(std::min(t, kLargestCell)) : 0u;
}

// Bits 0, 1, 2 of v spread to bits 0, 3, 6.
constexpr quint32 kSpread[8] = {0, 1, 8, 9, 64, 65, 72, 73};

} // namespace

VertexWeld::VertexWeld(qint64 corners, const float box[3], float cell)
    : inverseCell(cell > 0 && std::isfinite(cell) ? 1.0f / cell : 0.0f)
{
    std::copy(box, box + 3, low);
    // Room for two thirds of the corners, four times what a closed surface
    // needs (it has a vertex for every six corners): the slots of a block's
    // window are then mostly free. A triangle soup grows the table.
    quint64 size = quint64(1) << kWindowBits;
    while (size < quint64(corners) * 2 / 3)
        size *= 2;
    table = emptyTable(size);
    mask = size - 1;
    xyz.reserve(size_t(size) * 3 / 2);
}

float VertexWeld::cellFor(const float low[3], const float high[3], qint64 corners)
{
    if (corners <= 0)
        return 0.0f;
    const float d[3] = {high[0] - low[0], high[1] - low[1], high[2] - low[2]};
    const float diagonal = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return diagonal / std::sqrt(float(std::max<qint64>(corners / 6, 1)));
}

VertexWeld::~VertexWeld()
{
    std::free(table);
}

// A table of zeroed slots straight from the system, on huge pages where it
// allows them: pages are only faulted in where slots are used.
VertexWeld::Slot *VertexWeld::emptyTable(quint64 size)
{
    void *p = std::calloc(size, sizeof(Slot));
    if (!p)
        throw errNoMemory;
    adviseHugePages(p, size * sizeof(Slot));
    return static_cast<Slot *>(p);
}

quint64 VertexWeld::slotOf(const quint32 key[3], float x, float y, float z) const
{
    if (inverseCell == 0)
        return hashOf(key) & mask;
    const quint32 cx = cellOf(x, low[0], inverseCell), cy = cellOf(y, low[1], inverseCell),
                  cz = cellOf(z, low[2], inverseCell);
    const quint64 block = quint64(cx >> kBlockBits) | quint64(cy >> kBlockBits) << 20
        | quint64(cz >> kBlockBits) << 40;
    const quint32 inBlock = kSpread[cx & 7] | kSpread[cy & 7] << 1 | kSpread[cz & 7] << 2;
    return (mix(block) + inBlock) & mask;
}

qint32 VertexWeld::vertex(float x, float y, float z)
{
    const quint32 key[3] = {bitsOf(x), bitsOf(y), bitsOf(z)};
    for (quint64 at = slotOf(key, x, y, z);; at = (at + 1) & mask) {
        Slot &slot = table[at];
        if (slot.vertexPlusOne == 0) {
            if (count() >= std::numeric_limits<qint32>::max() - 1)
                failImport(Import::tr("The mesh has more vertices than a model holds."));
            const qint32 made = qint32(count());
            std::memcpy(slot.key, key, 3 * sizeof(quint32));
            slot.vertexPlusOne = made + 1;
            xyz.insert(xyz.end(), {x, y, z});
            if (quint64(count()) * 4 > mask + 1)
                grow();
            return made;
        }
        if (slot.key[0] == key[0] && slot.key[1] == key[1] && slot.key[2] == key[2])
            return slot.vertexPlusOne - 1;
    }
}

void VertexWeld::grow()
{
    Slot *old = table;
    const quint64 oldSize = mask + 1;
    table = emptyTable(2 * oldSize);
    mask = 2 * oldSize - 1;
    for (quint64 n = 0; n < oldSize; ++n) {
        const Slot &s = old[n];
        if (s.vertexPlusOne == 0)
            continue;
        const float *p = xyz.data() + 3 * size_t(s.vertexPlusOne - 1);
        quint64 at = slotOf(s.key, p[0], p[1], p[2]);
        while (table[at].vertexPlusOne != 0)
            at = (at + 1) & mask;
        table[at] = s;
    }
    std::free(old);
}
