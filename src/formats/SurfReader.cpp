#include "SurfReader.h"

#include "../geometry/Alloc.h"
#include "../model/ModelClass.h"
#include "AnatomyNames.h"
#include "FileBytes.h"
#include "LoadProblem.h"
#include "ReaderGuard.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

namespace {

constexpr qint64 kRecordBytes = 12; // three 32-bit values per vertex or triangle

// A forward-only cursor over the file's bytes with the two moves of the
// format: find a section word and read the count after it.
class SurfScanner
{
public:
    explicit SurfScanner(QByteArrayView bytes)
        : pos(bytes.data())
        , end(bytes.data() + bytes.size())
    { }

    // Moves past the next `word` and the one separator byte after it. A byte
    // that breaks a partial match is consumed with it, so "VVertices" does not
    // match. False when the bytes end first.
    bool findSection(std::string_view word)
    {
        while (pos < end) {
            const void *hit = std::memchr(pos, word[0], size_t(end - pos));
            if (!hit)
                break;
            pos = static_cast<const char *>(hit) + 1;
            if (matchRest(word)) {
                pos += pos < end ? 1 : 0;
                return true;
            }
        }
        pos = end;
        return false;
    }

    // Reads up to and including the next line feed and converts the text like
    // atoi: leading white space, an optional sign, the leading digits. A
    // number too large for any file saturates, so its check fails later.
    qint64 readCount()
    {
        if (pos == end)
            return 0;
        const auto *lineFeed = static_cast<const char *>(std::memchr(pos, '\n', size_t(end - pos)));
        const char *stop = lineFeed ? lineFeed : end;
        const char *c = pos;
        while (c < stop && std::isspace(static_cast<unsigned char>(*c)))
            ++c;
        const bool negative = c < stop && *c == '-';
        c += c < stop && (*c == '-' || *c == '+') ? 1 : 0;
        constexpr quint64 kLargest = std::numeric_limits<qint64>::max();
        quint64 digits = 0; // unsigned, so a second sign ends the number as in atoi
        if (std::from_chars(c, stop, digits).ec == std::errc::result_out_of_range)
            digits = kLargest;
        pos = lineFeed ? lineFeed + 1 : end;
        const qint64 value = qint64(std::min(digits, kLargest));
        return negative ? -value : value;
    }

    // Steps over `count` records and returns where they start; a count that
    // is negative or larger than what remains is the file lying about itself.
    const char *takeRecords(qint64 count)
    {
        if (count < 0 || count > (end - pos) / kRecordBytes)
            throw errUnknown;
        const char *start = pos;
        pos += count * kRecordBytes;
        return start;
    }

private:
    bool matchRest(std::string_view word)
    {
        for (size_t i = 1; i < word.size(); ++i)
            if (pos == end || *pos++ != word[i])
                return false;
        return true;
    }

    const char *pos;
    const char *end;
};

struct TriangleSection
{
    const char *data;
    qint64 count;
};

// Converts the points to double precision. A point that is not finite is
// noticed on the way, from the bits that pass by anyway (an exponent of all
// ones is NaN or infinite), and refused.
void readVertices(const char *data, qint64 count, MeshClass &mesh)
{
    if (count == 0)
        return;
    mesh.Vertices = allocArray<_DREAL>(3 * count);
    mesh.CountOfVertices = qint32(count);
    constexpr quint32 kExponent = 0x7f800000;
    bool finite = true;
    for (qint64 i = 0; i < 3 * count; ++i) {
        const quint32 bits = qFromBigEndian<quint32>(data + 4 * i);
        finite &= (bits & kExponent) != kExponent;
        mesh.Vertices[i] = std::bit_cast<float>(bits);
    }
    if (!finite)
        requireFiniteVertices(mesh); // names the first such point
}

// Converts the vertex numbers (from 1) of all sections into one array of
// indices from 0; one outside 1..vertexCount fails before the block gets it.
void readTriangles(const std::vector<TriangleSection> &sections, qint64 total, MeshClass &mesh)
{
    if (total == 0)
        return;
    qint32 *cells = allocArray<qint32>(3 * total);
    qint32 *out = cells;
    const quint32 vertexCount = quint32(mesh.CountOfVertices);
    for (const TriangleSection &section : sections) {
        for (qint64 i = 0; i < 3 * section.count; ++i) {
            const quint32 index = qFromBigEndian<quint32>(section.data + 4 * i) - 1u;
            if (index >= vertexCount) {
                freeArray(cells);
                throw errUnknown;
            }
            *out++ = qint32(index);
        }
    }
    mesh.Cells[Triangle] = cells;
    mesh.CountOfCells[Triangle] = qint32(total);
}

void parseInto(QByteArrayView bytes, MeshClass &mesh)
{
    SurfScanner scan(bytes);
    qint64 vertexCount = 0;
    while (vertexCount == 0 && scan.findSection("Vertices"))
        vertexCount = scan.readCount(); // a line without a number goes on scanning
    const char *vertexData = scan.takeRecords(vertexCount);
    if (vertexCount > std::numeric_limits<qint32>::max())
        throw errUnknown;

    std::vector<TriangleSection> sections;
    qint64 total = 0;
    while (scan.findSection("Triangles")) {
        const qint64 count = scan.readCount();
        const char *data = scan.takeRecords(count);
        if (count > 0)
            sections.push_back({data, count});
        total += count;
    }
    if (total > std::numeric_limits<qint32>::max())
        throw errUnknown;
    readVertices(vertexData, vertexCount, mesh);
    readTriangles(sections, total, mesh);
}

} // namespace

qint32 parseSurf(QByteArrayView bytes, MeshClass &mesh)
{
    const qint32 code = runReader([&] { parseInto(bytes, mesh); });
    if (code != errNone)
        mesh.clear();
    return code;
}

qint32 readSurf(ModelClass &model, const QString &fileName)
{
    FileBytes file;
    qint32 code = file.open(fileName);
    if (code == errOpen)
        return code;
    if (code == errNone) {
        auto mesh = std::make_unique<MeshClass>(); // deleted with what it holds on failure
        code = runReader([&] { parseInto(file.bytes(), *mesh); });
        // A file shortened meanwhile is refused, whatever the parse made of
        // the zeros that stood in for its lost end.
        if (!file.intact())
            code = runReader([&] { requireIntact(file); });
        if (code == errNone)
            model.Meshes.append(mesh.release());
    }
    applyAnatomyName(model);
    return code;
}
