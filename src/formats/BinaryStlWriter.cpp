#include "OutputFile.h"
#include "StlTriangles.h"
#include "Writers.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kRecordBytes = 50; // normal, three corners, attribute

// The block's vertices as little-endian 32-bit floats, 12 bytes each, so that
// a triangle's record is put together from three plain copies.
std::vector<float> littleEndianCorners(const MeshClass &mesh)
{
    std::vector<float> corners(3 * size_t(mesh.CountOfVertices));
    for (size_t i = 0; i < corners.size(); ++i)
        corners[i] = qToLittleEndian(static_cast<float>(mesh.Vertices[i]));
    return corners;
}

void writeTriangles(OutputBuffer &out, const ModelClass &model)
{
    const char header[kHeaderBytes] = {};
    out.bytes(header, kHeaderBytes);
    const quint32 count = qToLittleEndian(quint32(stlTriangleCount(model)));
    out.bytes(&count, sizeof count);
    // Every facet carries the same normal (1, 0, 0) and attribute 0.
    const float normal[3] = {qToLittleEndian(1.0f), 0.0f, 0.0f};
    const MeshClass *converted = nullptr;
    std::vector<float> corners;
    forEachStlTriangle(model, [&](const MeshClass &mesh, qint32 a, qint32 b, qint32 c) {
        if (converted != &mesh) {
            corners = littleEndianCorners(mesh);
            converted = &mesh;
        }
        char *p = out.claim(kRecordBytes);
        std::memcpy(p, normal, 12);
        std::memcpy(p + 12, &corners[3 * size_t(a)], 12);
        std::memcpy(p + 24, &corners[3 * size_t(b)], 12);
        std::memcpy(p + 36, &corners[3 * size_t(c)], 12);
        std::memset(p + 48, 0, 2);
        out.advance(kRecordBytes);
    });
}

} // namespace

qint32 writeBinarySTL(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::Stl, false, "writeBinarySTL",
                        [&](OutputBuffer &out) { writeTriangles(out, model); });
}
