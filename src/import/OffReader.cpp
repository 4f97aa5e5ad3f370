#include "OffReader.h"

#include "ImportTypes.h"

#include <limits>

namespace {

// The shortest a vertex line can be ("0 0 0\n") and a face line ("0\n").
constexpr qint64 kShortestVertex = 6;
constexpr qint64 kShortestFace = 2;

bool isHeaderWord(QByteArrayView word)
{
    if (!word.endsWith("OFF"))
        return false;
    for (char c : word.chopped(3))
        if (c != 'S' && c != 'T' && c != 'C' && c != 'N')
            return false;
    return true;
}

struct Counts
{
    qint64 vertices = 0;
    qint64 faces = 0;
};

Counts readCounts(TextLines &lines)
{
    QByteArrayView line;
    if (!lines.next(line))
        failImport(Import::tr("The OFF file is empty."));
    Words words(line);
    QByteArrayView first = words.next();
    if (first.endsWith("OFF") && !isHeaderWord(first))
        failImport(Import::tr("Only OFF files of three-dimensional points are read; this one "
                              "starts with %1.")
                       .arg(quoted(first)));
    if (isHeaderWord(first)) {
        first = words.next();
        if (first.isEmpty()) {
            if (!lines.next(line))
                failImport(Import::tr("The OFF file ends before its vertex and face counts."));
            words = Words(line);
            first = words.next();
        }
    }
    Counts counts;
    if (!parseNumber(first, counts.vertices) || !parseNumber(words.next(), counts.faces)
        || counts.vertices < 0 || counts.faces < 0)
        failImport(Import::tr("The OFF file does not start with its vertex and face counts."));
    // Divided, not multiplied: a face count near 2^63 must not wrap past the
    // check. The vertices' bytes cannot wrap once their count fits 32 bits;
    // more vertices than the bytes hold leave a negative room, which every
    // face count exceeds. The last line may lack its newline.
    const qint64 left = lines.bytesLeft();
    const qint64 room = left + 1 - counts.vertices * kShortestVertex;
    if (counts.vertices > std::numeric_limits<qint32>::max() || room < 0
        || counts.faces > room / kShortestFace)
        failImport(Import::tr("The file declares %1 vertices and %2 faces, more than its %3 bytes "
                              "can hold.")
                       .arg(counts.vertices)
                       .arg(counts.faces)
                       .arg(left));
    return counts;
}

void readVertices(TextLines &lines, qint64 count, PolygonSoup &soup)
{
    soup.xyz.reserve(size_t(3 * count));
    QByteArrayView line;
    for (qint64 v = 0; v < count; ++v) {
        if (!lines.next(line))
            failImport(
                Import::tr("The OFF file ends after %1 of its %2 vertices.").arg(v).arg(count));
        Words words(line);
        for (int a = 0; a < 3; ++a) {
            float x = 0;
            const QByteArrayView word = words.next();
            if (!parseNumber(word, x))
                failImport(
                    Import::tr("Vertex %1 of the OFF file has %2 where a coordinate should be.")
                        .arg(v)
                        .arg(word.isEmpty() ? Import::tr("nothing") : quoted(word)));
            soup.xyz.push_back(x);
        }
    }
}

void readFace(QByteArrayView line, qint64 f, qint64 vertices, PolygonSoup &soup, qint64 &dropped)
{
    Words words(line);
    qint64 corners = 0;
    if (!parseNumber(words.next(), corners) || corners < 0)
        failImport(
            Import::tr("Face %1 of the OFF file does not start with its corner count.").arg(f));
    if (corners > line.size() / 2)
        failImport(Import::tr("Face %1 of the OFF file lists fewer corners than its count %2.")
                       .arg(f)
                       .arg(corners));
    const size_t start = soup.indices.size();
    for (qint64 n = 0; n < corners; ++n) {
        qint64 index = -1;
        const QByteArrayView word = words.next();
        if (word.isEmpty())
            failImport(Import::tr("Face %1 of the OFF file lists fewer corners than its count %2.")
                           .arg(f)
                           .arg(corners));
        if (!parseNumber(word, index) || index < 0 || index >= vertices)
            failImport(Import::tr("Face %1 of the OFF file names vertex %2; the file has %3 "
                                  "vertices.")
                           .arg(f)
                           .arg(quoted(word))
                           .arg(vertices));
        soup.indices.push_back(qint32(index));
    }
    if (corners >= 3)
        return soup.endFace();
    soup.indices.resize(start);
    ++dropped;
}

} // namespace

PolygonSoup readOff(QByteArrayView bytes)
{
    TextLines lines(bytes, '#');
    const Counts counts = readCounts(lines);
    PolygonSoup soup;
    readVertices(lines, counts.vertices, soup);
    soup.faceStarts.reserve(size_t(counts.faces + 1));
    qint64 dropped = 0;
    QByteArrayView line;
    for (qint64 f = 0; f < counts.faces; ++f) {
        if (!lines.next(line))
            failImport(
                Import::tr("The OFF file ends after %1 of its %2 faces.").arg(f).arg(counts.faces));
        readFace(line, f, counts.vertices, soup, dropped);
    }
    if (dropped)
        warnImport(Import::tr("%1 faces of fewer than three corners (points and lines) were left "
                              "out.")
                       .arg(dropped));
    return soup;
}
