#include "VertexWeld.h"

#include "ImportTypes.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

quint64 hashOf(const quint32 key[3])
{
    quint64 h = (quint64(key[0]) * 0x9E3779B97F4A7C15ull)
        ^ (quint64(key[1]) * 0xC2B2AE3D27D4EB4Full) ^ (quint64(key[2]) * 0x165667B19E3779F9ull);
    return h ^ (h >> 29);
}

// +0 and -0 are the same place.
quint32 bitsOf(float v)
{
    return v == 0.0f ? 0u : std::bit_cast<quint32>(v);
}

} // namespace

VertexWeld::VertexWeld(qint64 corners)
{
    quint64 size = 16;
    while (size < quint64(corners) + quint64(corners) / 2)
        size *= 2;
    table.assign(size, Slot {{0, 0, 0}, -1});
    mask = size - 1;
    xyz.reserve(size_t(corners) * 3);
}

qint32 VertexWeld::vertex(float x, float y, float z)
{
    const quint32 key[3] = {bitsOf(x), bitsOf(y), bitsOf(z)};
    for (quint64 at = hashOf(key) & mask;; at = (at + 1) & mask) {
        Slot &slot = table[at];
        if (slot.vertex < 0) {
            if (count() >= std::numeric_limits<qint32>::max())
                failImport(Import::tr("The mesh has more vertices than a model holds."));
            std::memcpy(slot.key, key, sizeof key);
            slot.vertex = qint32(count());
            xyz.insert(xyz.end(), {x, y, z});
            const qint32 made = slot.vertex;
            if (quint64(count()) * 4 > table.size() * 3)
                grow();
            return made;
        }
        if (slot.key[0] == key[0] && slot.key[1] == key[1] && slot.key[2] == key[2])
            return slot.vertex;
    }
}

void VertexWeld::grow()
{
    std::vector<Slot> old = std::move(table);
    table.assign(old.size() * 2, Slot {{0, 0, 0}, -1});
    mask = table.size() - 1;
    for (const Slot &s : old) {
        if (s.vertex < 0)
            continue;
        quint64 at = hashOf(s.key) & mask;
        while (table[at].vertex >= 0)
            at = (at + 1) & mask;
        table[at] = s;
    }
}
