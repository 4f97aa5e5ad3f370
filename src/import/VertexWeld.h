#pragma once

#include <QtGlobal>

#include <vector>

// Joins vertices with identical coordinates: every corner of a mesh file that
// repeats a position gets the number of the first vertex at that position,
// so triangles that meet share their vertices and edges. Positions are
// compared bit for bit, as the file wrote them (0 and -0 being one place).
//
// The table is laid out by place: the space is cut into cells about an edge
// long, blocks of 8 x 8 x 8 cells get windows of the table at random, and a
// cell its slot in its block's window. A mesh file lists neighbouring
// triangles near each other, so most look-ups find their slot in memory the
// processor has just used.
class VertexWeld
{
public:
    // Room for `corners` look-ups; `low` is a corner of a box that holds the
    // positions and `cell` about the length of an edge (0: no layout by place).
    VertexWeld(qint64 corners, const float low[3], float cell);
    ~VertexWeld();
    VertexWeld(const VertexWeld &) = delete;
    VertexWeld &operator=(const VertexWeld &) = delete;

    // About the length of an edge of a surface of `corners` corners in the
    // box from `low` to `high`: its diagonal over the square root of the
    // vertices such a surface has (one for every six corners).
    static float cellFor(const float low[3], const float high[3], qint64 corners);

    // The number of the vertex at (x, y, z), made when the position is new.
    qint32 vertex(float x, float y, float z);

    // The distinct positions in order of their numbers, x, y, z each.
    const std::vector<float> &positions() const { return xyz; }
    qint64 count() const { return qint64(xyz.size() / 3); }

private:
    struct Slot
    {
        quint32 key[3];
        qint32 vertexPlusOne; // 0: empty, so fresh zeroed memory is an empty table
    };
    quint64 slotOf(const quint32 key[3], float x, float y, float z) const;
    static Slot *emptyTable(quint64 size);
    void grow();

    float low[3];
    float inverseCell;
    Slot *table = nullptr;
    quint64 mask = 0;
    std::vector<float> xyz;
};
