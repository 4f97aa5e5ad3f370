#include "StlText.h"

#include "ImportTypes.h"

#include <limits>

namespace {

[[noreturn]] void unexpected(QByteArrayView word, const char *expected, qint64 facet)
{
    if (word.isEmpty())
        failImport(Import::tr("The STL file ends inside facet %1.").arg(facet));
    failImport(Import::tr("Facet %1 of the STL file has %2 where \"%3\" should be.")
                   .arg(facet)
                   .arg(quoted(word))
                   .arg(QLatin1StringView(expected)));
}

void expect(Words &words, const char *expected, qint64 facet)
{
    const QByteArrayView word = words.next();
    if (word.compare(QLatin1StringView(expected), Qt::CaseInsensitive) != 0)
        unexpected(word, expected, facet);
}

float coordinate(Words &words, qint64 facet)
{
    float value = 0;
    const QByteArrayView word = words.next();
    if (!parseNumber(word, value))
        unexpected(word, "a number", facet);
    return value;
}

// One facet after its "facet" word: normal, loop, corners.
void readFacet(Words &words, qint64 facet, PolygonSoup &soup)
{
    expect(words, "normal", facet);
    for (int a = 0; a < 3; ++a)
        coordinate(words, facet);
    expect(words, "outer", facet);
    expect(words, "loop", facet);
    int corners = 0;
    for (;;) {
        const QByteArrayView word = words.next();
        if (word.compare("endloop", Qt::CaseInsensitive) == 0)
            break;
        if (word.compare("vertex", Qt::CaseInsensitive) != 0)
            unexpected(word, "vertex", facet);
        if (soup.vertexCount() >= std::numeric_limits<qint32>::max())
            failImport(Import::tr("The mesh has more cells than a model holds."));
        soup.indices.push_back(qint32(soup.vertexCount()));
        for (int a = 0; a < 3; ++a)
            soup.xyz.push_back(coordinate(words, facet));
        ++corners;
    }
    if (corners < 3)
        failImport(Import::tr("Facet %1 of the STL file has %2 corners; a facet has three.")
                       .arg(facet)
                       .arg(corners));
    expect(words, "endfacet", facet);
    soup.endFace();
}

} // namespace

std::vector<PolygonSoup> readStlText(QByteArrayView bytes)
{
    std::vector<PolygonSoup> solids;
    Words words(bytes, true);
    qint64 facet = 0;
    for (QByteArrayView word = words.next(); !word.isEmpty(); word = words.next()) {
        if (word.compare("solid", Qt::CaseInsensitive) != 0)
            failImport(
                Import::tr("The STL file has %1 where \"solid\" should be.").arg(quoted(word)));
        PolygonSoup &solid = solids.emplace_back();
        const QByteArrayView name = words.restOfLine();
        solid.name = QString::fromUtf8(name.first(std::min<qsizetype>(name.size(), 64)));
        for (;;) {
            word = words.next();
            if (word.isEmpty() || word.compare("endsolid", Qt::CaseInsensitive) == 0)
                break; // some writers leave out the last "endsolid"
            if (word.compare("facet", Qt::CaseInsensitive) != 0)
                unexpected(word, "facet", facet);
            readFacet(words, facet++, solid);
        }
        words.restOfLine();
    }
    if (solids.empty())
        failImport(Import::tr("The STL file is empty."));
    return solids;
}
