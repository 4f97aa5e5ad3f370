#pragma once

#include <QtGlobal>

#include <vector>

// Joins vertices with identical coordinates: every corner of a mesh file that
// repeats a position gets the number of the first vertex at that position,
// so triangles that meet share their vertices and edges. Positions are
// compared bit for bit, as the file wrote them (0 and -0 being one place).
class VertexWeld
{
public:
    // Room for up to `corners` distinct positions without growing.
    explicit VertexWeld(qint64 corners);

    // The number of the vertex at (x, y, z), made when the position is new.
    qint32 vertex(float x, float y, float z);

    // The distinct positions in order of their numbers, x, y, z each.
    const std::vector<float> &positions() const { return xyz; }
    qint64 count() const { return qint64(xyz.size() / 3); }

private:
    struct Slot
    {
        quint32 key[3];
        qint32 vertex; // -1: empty
    };
    void grow();

    std::vector<Slot> table;
    quint64 mask = 0;
    std::vector<float> xyz;
};
