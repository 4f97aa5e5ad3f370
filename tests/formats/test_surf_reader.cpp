// The .surf reader: the byte scan on handmade files, counts and indices that
// lie, every truncation of a small file, and real files of other software.

#include "SurfBytes.h"
#include "formats/SurfReader.h"
#include "geometry/MeshClass.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kHeader = "# HyperSurface 0.1 BINARY\n\nParameters {\n    Materials {\n"
                           "        Inside {\n            Id 2\n        }\n    }\n}\n\n";

QList<qint32> triangleIndices(const MeshClass &mesh)
{
    const qint32 *cells = mesh.Cells[Triangle];
    return cells ? QList<qint32>(cells, cells + 3 * mesh.CountOfCells[Triangle]) : QList<qint32>();
}

bool isEmptyBlock(const MeshClass &mesh)
{
    return mesh.CountOfVertices == 0 && !mesh.Vertices && mesh.totalCells() == 0
        && !mesh.Cells[Triangle];
}

QString sharedSample(const char *name)
{
    return qEnvironmentVariable("TESSARON_SHARED_SAMPLES") + "/surf/" + name;
}

} // namespace

class TestSurfReader : public QObject
{
    Q_OBJECT

private slots:
    void scansSections_data();
    void scansSections();
    void everyTruncationIsCleanOrRefused();
    void readsFilesOfOtherSoftware();
    void fileWrapperCodes();
};

void TestSurfReader::scansSections_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("vertices");
    QTest::addColumn<QList<qint32>>("indices");

    const QByteArray four = kHeader + vertexSection(4);
    const QList<qint32> none;
    QTest::newRow("one patch") << four + "Patches 1\n{\nInnerRegion Inside\n"
            + triangleSection({1, 2, 3, 4, 3, 2})
            + "}\n" << 0 << 4 << QList<qint32> {0, 1, 2, 3, 2, 1};
    QTest::newRow("sections append, empty one between")
        << four + triangleSection({1, 2, 3}) + "}\n{\n" + triangleSection({})
            + triangleSection({4, 3, 2, 2, 1, 4})
        << 0 << 4 << QList<qint32> {0, 1, 2, 3, 2, 1, 1, 0, 3};
    QTest::newRow("no Vertices word: empty block")
        << kHeader + triangleSection({1, 1, 1}) << 0 << 0 << none;
    QTest::newRow("noise words without a number are skipped")
        << "NVerticesOnCurves 0\nVVertices 7\nMyTriangles\n" + four + "NVerticesOnCurves 0\n"
            + "TTriangles 9\n" + triangleSection({1, 2, 3})
        << 0 << 4 << QList<qint32> {0, 1, 2};
    QTest::newRow("count on its own line, blanks and plus like atoi") << kHeader
            + "Vertices\n 3 extra\n" + vertexSection(3).mid(11) + "Triangles  +1\n"
            + triangleSection({3, 2, 1}).mid(12) << 0 << 3 << QList<qint32> {2, 1, 0};
    QTest::newRow("trailing bytes and a final word without count")
        << four + triangleSection({1, 2, 3}) + "}\nTriangles" << 0 << 4 << QList<qint32> {0, 1, 2};

    QTest::newRow("fewer vertices than counted")
        << kHeader + "Vertices 5\n" + vertexSection(4).mid(11) << 1 << 0 << none;
    QTest::newRow("two billion vertices")
        << kHeader + "Vertices 2000000000\n" + QByteArray(96, 'x') << 1 << 0 << none;
    QTest::newRow("two billion triangles")
        << four + "Triangles 2000000000\n" + QByteArray(96, 'x') << 1 << 0 << none;
    QTest::newRow("count beyond 64 bits") << kHeader + "Vertices 99999999999999999999999\n"
                                          << 1 << 0 << none;
    QTest::newRow("negative count") << four + "Triangles -1\n" << 1 << 0 << none;
    QTest::newRow("vertex number 0") << four + triangleSection({1, 0, 2}) << 1 << 0 << none;
    QTest::newRow("vertex number N+1") << four + triangleSection({1, 2, 5}) << 1 << 0 << none;
    QTest::newRow("negative vertex number")
        << four + triangleSection({1, 2, 3, -4, 1, 2}) << 1 << 0 << none;
    QTest::newRow("bad index in a later section")
        << four + triangleSection({1, 2, 3}) + triangleSection({1, 2, 9}) << 1 << 0 << none;
}

void TestSurfReader::scansSections()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    QFETCH(int, vertices);
    QFETCH(QList<qint32>, indices);
    MeshClass mesh;
    QCOMPARE(parseSurf(bytes, mesh), code);
    QCOMPARE(mesh.CountOfVertices, vertices);
    QCOMPARE(triangleIndices(mesh), indices);
    QCOMPARE(mesh.totalCells(), mesh.CountOfCells[Triangle]);
    if (mesh.CountOfVertices > 0) {
        QCOMPARE(mesh.Vertices[0], 1.0);
        QCOMPARE(mesh.Vertices[3 * mesh.CountOfVertices - 1], 3.0 * mesh.CountOfVertices);
    }
}

// Cut after every byte, a small file either loads what it holds completely
// (the header alone, the vertices alone, or all) or is refused with 1.
void TestSurfReader::everyTruncationIsCleanOrRefused()
{
    const QByteArray file =
        kHeader + vertexSection(3) + "Patches 1\n" + triangleSection({1, 2, 3}) + "}\n";
    const qsizetype vertexDigit = file.indexOf("Vertices ") + 9;
    const qsizetype vertexEnd = file.indexOf("Patches");
    const qsizetype triangleDigit = file.indexOf("Triangles ") + 10;
    const qsizetype triangleEnd = triangleDigit + 2 + 12;
    for (qsizetype length = 0; length <= file.size(); ++length) {
        MeshClass mesh;
        const qint32 code = parseSurf(QByteArrayView(file).first(length), mesh);
        const bool refused = (length > vertexDigit && length < vertexEnd)
            || (length > triangleDigit && length < triangleEnd);
        QCOMPARE(code, refused ? 1 : 0);
        if (refused)
            QVERIFY(isEmptyBlock(mesh));
        else
            QCOMPARE(mesh.CountOfVertices + mesh.CountOfCells[Triangle],
                     (length >= vertexEnd ? 3 : 0) + (length >= triangleEnd ? 1 : 0));
    }
}

void TestSurfReader::readsFilesOfOtherSoftware()
{
    ModelClass model;
    QCOMPARE(readSurf(model, sharedSample("patches-326.surf")), 0);
    QCOMPARE(model.Meshes.size(), 1);
    const MeshClass &mesh = *model.Meshes[0];
    QCOMPARE(mesh.CountOfVertices, 326);
    QCOMPARE(mesh.CountOfCells[Triangle], 648);
    QVERIFY(!mesh.checkIndices());
    QCOMPARE(mesh.totalCells(), 648);

    ModelClass text;
    QCOMPARE(readSurf(text, sharedSample("text-variant.surf")), 1);
    QVERIFY(text.Meshes.isEmpty());
}

void TestSurfReader::fileWrapperCodes()
{
    QTemporaryDir dir;
    ModelClass model;
    model.Name = "kamni.surf";
    QCOMPARE(readSurf(model, dir.filePath("missing.surf")), 2);
    QCOMPARE(readSurf(model, dir.path()), 2);
    QVERIFY(model.Meshes.isEmpty());
    QCOMPARE(model.Name, QString("kamni.surf")); // untouched when nothing was opened

    QFile empty(dir.filePath("kamni.surf"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QCOMPARE(readSurf(model, empty.fileName()), 0);
    QCOMPARE(model.Meshes.size(), 1);
    QCOMPARE(model.Meshes[0]->CountOfVertices, 0);
    QCOMPARE(model.Name, QString("Kamni"));
}

QTEST_GUILESS_MAIN(TestSurfReader)
#include "test_surf_reader.moc"
