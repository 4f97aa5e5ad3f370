#include "StlBinary.h"

#include "ImportTypes.h"
#include "ImportedModel.h"
#include "VertexWeld.h"
#include "formats/FileKinds.h"
#include "geometry/Alloc.h"
#include "geometry/MeshClass.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace {

constexpr qint64 kHeader = 84; // 80 bytes of text and the triangle count
constexpr qint64 kRecord = 50; // normal, three corners, attribute
constexpr qint64 kCorner = 12; // three little-endian floats

// The triangle count of a binary STL, checked against the file's size; -1
// for a text STL. A file that starts with "solid" and whose size matches
// its count is binary (some writers begin their header with that word).
qint64 binaryCount(QFile &file)
{
    const QByteArray head = file.read(kHeader);
    const qint64 size = file.size();
    const bool text = head.trimmed().startsWith("solid");
    if (head.size() < kHeader) {
        if (text)
            return -1;
        failImport(
            Import::tr("The STL file is too short to hold even its header (%1 bytes).").arg(size));
    }
    const qint64 count = qFromLittleEndian<quint32>(head.constData() + 80);
    if (kHeader + kRecord * count == size)
        return count;
    if (text)
        return -1;
    failImport(
        Import::tr("The STL file says it holds %1 triangles (%2 bytes), but it has %3 bytes.")
            .arg(count)
            .arg(kHeader + kRecord * count)
            .arg(size));
}

// Calls `use(corner, p)` for the corners of the records in file order.
template<class Use> void forEachCorner(const uchar *records, qint64 count, Use use)
{
    for (qint64 r = 0; r < count; ++r)
        for (int k = 0; k < 3; ++k) {
            const uchar *at = records + r * kRecord + 12 + k * kCorner;
            const float p[3] = {qFromLittleEndian<float>(at), qFromLittleEndian<float>(at + 4),
                                qFromLittleEndian<float>(at + 8)};
            use(3 * r + k, p);
        }
}

} // namespace

std::unique_ptr<MeshClass> readBinaryStl(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failImport(Import::tr("The file cannot be opened."));
    const qint64 count = binaryCount(file);
    if (count < 0)
        return nullptr;
    if (count > std::numeric_limits<qint32>::max() / 3)
        failImport(Import::tr("The mesh has more cells than a model holds."));
    QByteArray read; // when the file cannot be mapped
    const uchar *records = count ? file.map(kHeader, count * kRecord) : nullptr;
    if (!records && count) {
        read = file.readAll();
        if (read.size() != count * kRecord)
            failImport(Import::tr("The file cannot be opened."));
        records = reinterpret_cast<const uchar *>(read.constData());
    }
    const qint64 corners = 3 * count;
    float low[3], high[3];
    std::fill_n(low, 3, std::numeric_limits<float>::max());
    std::fill_n(high, 3, -std::numeric_limits<float>::max());
    forEachCorner(records, count, [&](qint64, const float p[3]) {
        for (int a = 0; a < 3; ++a)
            low[a] = std::min(low[a], p[a]), high[a] = std::max(high[a], p[a]);
    });
    VertexWeld weld(corners, low, VertexWeld::cellFor(low, high, corners));
    auto mesh = std::make_unique<MeshClass>();
    if (count > 0) {
        mesh->Cells[Triangle] = allocArray<qint32>(corners);
        mesh->CountOfCells[Triangle] = qint32(count);
    }
    qint32 *cells = mesh->Cells[Triangle];
    forEachCorner(records, count,
                  [&](qint64 c, const float p[3]) { cells[c] = weld.vertex(p[0], p[1], p[2]); });
    const std::vector<float> &xyz = weld.positions();
    mesh->Vertices = allocArray<_DREAL>(qint64(xyz.size()));
    std::copy(xyz.begin(), xyz.end(), mesh->Vertices);
    mesh->CountOfVertices = qint32(weld.count());
    requireFiniteVertices(*mesh);
    return mesh;
}
