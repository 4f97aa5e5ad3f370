#include "SyntheticMeshes.h"

#include "geometry/Alloc.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <numbers>

MeshClass *makeTorusSurface(qint64 triangles)
{
    // m rings of n points; every grid quad gives two triangles, 2mn in all.
    const qint64 m = std::max<qint64>(3, qint64(std::sqrt(double(triangles) / 4.0)));
    const qint64 n = std::max<qint64>(3, triangles / (2 * m));
    auto *mesh = new MeshClass;
    mesh->CountOfVertices = qint32(m * n);
    mesh->Vertices = allocArray<_DREAL>(3 * m * n);
    const double R = 3.0, r = 1.0, tau = 2 * std::numbers::pi;
    for (qint64 i = 0; i < m; ++i)
        for (qint64 j = 0; j < n; ++j) {
            const double u = tau * double(i) / double(m), v = tau * double(j) / double(n);
            _DREAL *p = mesh->Vertices + 3 * (i * n + j);
            p[0] = (R + r * std::cos(v)) * std::cos(u);
            p[1] = (R + r * std::cos(v)) * std::sin(u);
            p[2] = r * std::sin(v);
        }
    mesh->CountOfCells[Triangle] = qint32(2 * m * n);
    qint32 *c = mesh->Cells[Triangle] = allocArray<qint32>(6 * m * n);
    for (qint64 i = 0; i < m; ++i)
        for (qint64 j = 0; j < n; ++j) {
            const qint32 a = qint32(i * n + j), b = qint32(((i + 1) % m) * n + j);
            const qint32 d = qint32(i * n + (j + 1) % n),
                         e = qint32(((i + 1) % m) * n + (j + 1) % n);
            const qint32 tri[6] = {a, b, e, a, e, d};
            c = std::copy_n(tri, 6, c);
        }
    return mesh;
}

namespace {

MeshClass *gridVertices(int n)
{
    auto *mesh = new MeshClass;
    const qint64 side = n + 1;
    mesh->CountOfVertices = qint32(side * side * side);
    mesh->Vertices = allocArray<_DREAL>(3 * side * side * side);
    for (qint64 k = 0; k < side; ++k)
        for (qint64 j = 0; j < side; ++j)
            for (qint64 i = 0; i < side; ++i) {
                _DREAL *p = mesh->Vertices + 3 * ((k * side + j) * side + i);
                p[0] = double(i), p[1] = double(j), p[2] = double(k);
            }
    return mesh;
}

// The eight corners of grid cell (i, j, k): bottom 0-3, top 4-7.
void cellCorners(int n, qint64 i, qint64 j, qint64 k, qint32 *out)
{
    const qint64 side = n + 1;
    auto id = [&](qint64 a, qint64 b, qint64 c) { return qint32((c * side + b) * side + a); };
    const qint32 corners[8] = {
        id(i, j, k),     id(i + 1, j, k),     id(i + 1, j + 1, k),     id(i, j + 1, k),
        id(i, j, k + 1), id(i + 1, j, k + 1), id(i + 1, j + 1, k + 1), id(i, j + 1, k + 1)};
    std::copy_n(corners, 8, out);
}

} // namespace

MeshClass *makeHexGrid(int n)
{
    MeshClass *mesh = gridVertices(n);
    const qint64 cells = qint64(n) * n * n;
    mesh->CountOfCells[Hexahedron] = qint32(cells);
    qint32 *c = mesh->Cells[Hexahedron] = allocArray<qint32>(8 * cells);
    for (qint64 k = 0; k < n; ++k)
        for (qint64 j = 0; j < n; ++j)
            for (qint64 i = 0; i < n; ++i, c += 8)
                cellCorners(n, i, j, k, c);
    return mesh;
}

MeshClass *makeTetGrid(int n)
{
    MeshClass *mesh = gridVertices(n);
    const qint64 cells = qint64(n) * n * n;
    mesh->CountOfCells[Tetrahedron] = qint32(5 * cells);
    qint32 *c = mesh->Cells[Tetrahedron] = allocArray<qint32>(20 * cells);
    // Five tetrahedra per cube, mirrored on alternate cells so faces match.
    const int even[5][4] = {{0, 1, 3, 4}, {1, 2, 3, 6}, {1, 4, 5, 6}, {3, 4, 6, 7}, {1, 3, 4, 6}};
    const int odd[5][4] = {{0, 1, 2, 5}, {0, 2, 3, 7}, {0, 4, 5, 7}, {2, 5, 6, 7}, {0, 2, 5, 7}};
    for (qint64 k = 0; k < n; ++k)
        for (qint64 j = 0; j < n; ++j)
            for (qint64 i = 0; i < n; ++i) {
                qint32 corners[8];
                cellCorners(n, i, j, k, corners);
                const auto &split = (i + j + k) % 2 ? odd : even;
                for (const auto &tet : split)
                    for (int v : tet)
                        *c++ = corners[v];
            }
    return mesh;
}

QByteArray surfFileBytes(const MeshClass &mesh)
{
    const qint64 n = mesh.CountOfVertices, m = mesh.CountOfCells[Triangle];
    QByteArray bytes = "# HyperSurface 0.1 BINARY\n\nVertices " + QByteArray::number(n) + "\n";
    qsizetype at = bytes.size();
    bytes.resize(at + 12 * n);
    for (qint64 i = 0; i < 3 * n; ++i, at += 4)
        qToBigEndian(std::bit_cast<quint32>(float(mesh.Vertices[i])), bytes.data() + at);
    bytes += "Patches 1\n{\nTriangles " + QByteArray::number(m) + "\n";
    at = bytes.size();
    bytes.resize(at + 12 * m);
    for (qint64 i = 0; i < 3 * m; ++i, at += 4)
        qToBigEndian(mesh.Cells[Triangle][i] + 1, bytes.data() + at);
    return bytes + "}\n";
}

QByteArray plyFileBytes(const MeshClass &mesh)
{
    const qint64 n = mesh.CountOfVertices, m = mesh.CountOfCells[Triangle];
    QByteArray bytes = "ply\nformat binary_little_endian 1.0\nelement vertex "
        + QByteArray::number(n)
        + "\nproperty float x\nproperty float y\nproperty float z\nelement face "
        + QByteArray::number(m) + "\nproperty list uchar int vertex_indices\nend_header\n";
    qsizetype at = bytes.size();
    bytes.resize(at + 12 * n + 13 * m);
    for (qint64 i = 0; i < 3 * n; ++i, at += 4)
        qToLittleEndian(std::bit_cast<quint32>(float(mesh.Vertices[i])), bytes.data() + at);
    for (qint64 t = 0; t < m; ++t) {
        bytes[at++] = 3;
        for (int k = 0; k < 3; ++k, at += 4)
            qToLittleEndian(mesh.Cells[Triangle][3 * t + k], bytes.data() + at);
    }
    return bytes;
}
