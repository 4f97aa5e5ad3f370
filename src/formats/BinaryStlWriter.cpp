#include "OutputFile.h"
#include "StlTriangles.h"
#include "Writers.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kRecordBytes = 50; // normal, three corners, attribute

char *putFloat(char *p, double value)
{
    const float little = qToLittleEndian(static_cast<float>(value));
    std::memcpy(p, &little, sizeof little);
    return p + sizeof little;
}

char *putCorner(char *p, const _DREAL *xyz)
{
    return putFloat(putFloat(putFloat(p, xyz[0]), xyz[1]), xyz[2]);
}

void writeTriangles(OutputBuffer &out, const ModelClass &model)
{
    const char header[kHeaderBytes] = {};
    out.bytes(header, kHeaderBytes);
    const quint32 count = qToLittleEndian(quint32(stlTriangleCount(model)));
    out.bytes(&count, sizeof count);
    forEachStlTriangle(model, [&](const _DREAL *a, const _DREAL *b, const _DREAL *c) {
        char *p = out.claim(kRecordBytes);
        p = putFloat(putFloat(putFloat(p, 1.0), 0.0), 0.0); // every normal is (1, 0, 0)
        p = putCorner(putCorner(putCorner(p, a), b), c);
        std::memset(p, 0, 2); // attribute
        out.advance(kRecordBytes);
    });
}

} // namespace

qint32 writeBinarySTL(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, QLatin1StringView(".stl"), false, "writeBinarySTL",
                        [&](OutputBuffer &out) { writeTriangles(out, model); });
}
