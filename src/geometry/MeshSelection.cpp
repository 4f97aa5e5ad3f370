// Cell selection of a block: the flags a click or a selection box sets, and
// the box test that marks the vertices a rectangle on the screen covers.

#include "MeshClass.h"

#include "Alloc.h"

namespace {

// a x + b y + c z + d through three corners of the box.
struct Plane
{
    double a, b, c, d;

    double at(const double *v) const { return a * v[0] + b * v[1] + c * v[2] + d; }
    bool degenerate() const { return a == 0 && b == 0 && c == 0; }
};

Plane planeThrough(const double *corners, const int (&ids)[3])
{
    const double *p = corners + 3 * ids[0], *q = corners + 3 * ids[1], *r = corners + 3 * ids[2];
    const double u[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
    const double v[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
    Plane plane {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0],
                 0};
    plane.d = -(plane.a * p[0] + plane.b * p[1] + plane.c * p[2]);
    return plane;
}

// The three pairs of opposite faces, each face by three corners taken so
// that both planes of a pair have normals pointing the same way: a point
// between them has plane values of opposite signs.
constexpr int kOppositeFaces[3][2][3] = {
    {{0, 1, 2}, {4, 5, 6}}, // near and far
    {{0, 1, 5}, {3, 2, 6}}, // the sides through the edges 0-1 and 3-2
    {{0, 3, 7}, {1, 2, 6}}, // the sides through the edges 0-3 and 1-2
};

} // namespace

void MeshClass::allocCellSelected()
{
    if (!CellSelected)
        CellSelected = allocZeroed<quint8 *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t)
        if (CountOfCells[t] > 0 && !CellSelected[t])
            CellSelected[t] = allocZeroed<quint8>(CountOfCells[t]);
}

void MeshClass::setCellSelected(int type, qint32 cell, bool on)
{
    if (type < 0 || type >= kTypeSlots || cell < 0 || cell >= CountOfCells[type])
        return;
    allocCellSelected();
    CellSelected[type][cell] = on ? 1 : 0;
}

qint32 MeshClass::markInsideBox(const double corners[24])
{
    freeArray(VertexInBox);
    Plane planes[3][2];
    for (int pair = 0; pair < 3; ++pair)
        for (int side = 0; side < 2; ++side) {
            planes[pair][side] = planeThrough(corners, kOppositeFaces[pair][side]);
            // A flat box (a rectangle of no width or height) encloses nothing.
            if (planes[pair][side].degenerate())
                return 0;
        }
    qint32 inside = 0;
    const qint32 status = runGuarded("markInsideBox", [&] {
        VertexInBox = allocZeroed<quint8>(CountOfVertices);
        for (qint32 v = 0; v < CountOfVertices; ++v) {
            const double *p = Vertices + 3 * qint64(v);
            bool in = true;
            for (const auto &pair : planes)
                in = in && !(pair[0].at(p) * pair[1].at(p) > 0);
            VertexInBox[v] = in ? 1 : 0;
            inside += in ? 1 : 0;
        }
    });
    return status == errNone ? inside : 0;
}

qint32 MeshClass::selectMarkedCells(bool allPoints, bool visibleOnly, bool deselect)
{
    const qint32 status = runGuarded("selectMarkedCells", [&] {
        if (!VertexInBox || checkIndices())
            return;
        allocCellSelected();
        for (int t = 0; t < kTypeSlots; ++t) {
            const int width = NodesOfType(t);
            const quint8 *visible = CellVisible ? CellVisible[t] : nullptr;
            for (qint32 c = 0; c < CountOfCells[t]; ++c) {
                if (visibleOnly && (!TypeVisible[t] || (visible && !visible[c])))
                    continue;
                const qint32 *nodes = Cells[t] + qint64(c) * width;
                int marked = 0;
                for (int i = 0; i < width; ++i)
                    marked += VertexInBox[nodes[i]] ? 1 : 0;
                if (allPoints ? marked == width : marked > 0)
                    CellSelected[t][c] = deselect ? 0 : 1;
            }
        }
    });
    freeArray(VertexInBox);
    return status;
}
