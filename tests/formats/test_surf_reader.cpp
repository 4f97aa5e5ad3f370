// The .surf reader: the byte scan on handmade files, counts and indices that
// lie, every truncation of a small file, and files of other software.

#include "SurfBytes.h"
#include "formats/SurfReader.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QtTest>

using Indices = QList<qint32>;

class TestSurfReader : public QObject
{
    Q_OBJECT

private slots:
    void scan_data();
    void scan();
    void everyTruncation();
    void realFilesAndFileCodes();
};

void TestSurfReader::scan_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("code");
    QTest::addColumn<Indices>("indices"); // a failed block must be empty

    const QByteArray four = "# HyperSurface 0.1 BINARY\nParameters {\n}\n" + vertices(4);
    QTest::newRow("sections append, empty one between") << four + "Patches 2\n{\n"
            + triangles({1, 2, 3}) + "}\n{\n" + triangles({}) + triangles({4, 3, 2, 2, 1, 4})
            + "}\nTriangles" << 0 << Indices {0, 1, 2, 3, 2, 1, 1, 0, 3};
    QTest::newRow("noise words") << "NVerticesOnCurves 0\nVVertices 7\n" + four
            + "NVerticesOnCurves 0\nTTriangles 9\n" + triangles({1, 2, 4})
                                 << 0 << Indices {0, 1, 3};
    QTest::newRow("count like atoi on its own line")
        << "Vertices\n +4 x\n" + four.mid(four.indexOf("Vertices") + 11) + triangles({4, 4, 4}) << 0
        << Indices {3, 3, 3};
    QTest::newRow("fewer vertices than counted")
        << "Vertices 5\n" + vertices(4).mid(11) << 1 << Indices {};
    QTest::newRow("two billion triangles")
        << four + "Triangles 2000000000\n" + QByteArray(99, 'x') << 1 << Indices {};
    QTest::newRow("count beyond 64 bits")
        << QByteArray("Vertices 99999999999999999999\n") << 1 << Indices {};
    QTest::newRow("negative count") << four + "Triangles -1\n" << 1 << Indices {};
    QTest::newRow("vertex number 0") << four + triangles({1, 0, 2}) << 1 << Indices {};
    QTest::newRow("negative number in a later section")
        << four + triangles({1, 2, 3}) + triangles({1, 2, -4}) << 1 << Indices {};
    QTest::newRow("vertex number N+1") << four + triangles({1, 2, 5}) << 1 << Indices {};
}

void TestSurfReader::scan()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    QFETCH(Indices, indices);
    MeshClass mesh;
    QCOMPARE(parseSurf(bytes, mesh), code);
    QCOMPARE(mesh.CountOfVertices, code ? 0 : 4);
    QCOMPARE(Indices(mesh.Cells[Triangle], mesh.Cells[Triangle] + indices.size()), indices);
    QCOMPARE(mesh.totalCells(), indices.size() / 3);
    if (code == 0)
        QCOMPARE(mesh.Vertices[11], 12.0); // z of the fourth point
    else
        QVERIFY(!mesh.Vertices && !mesh.Cells[Triangle]);
}

// Cut after every byte, a small file either loads all it still holds (an
// empty block from the header alone, then the vertices, then all) or, cut
// inside a section, gives 1.
void TestSurfReader::everyTruncation()
{
    const QByteArray file = "# h\n" + vertices(3) + "Patches 1\n" + triangles({1, 2, 3}) + "}\n";
    const qsizetype vertexDigit = file.indexOf("Vertices ") + 9, vertexEnd = file.indexOf("Patch");
    const qsizetype triangleDigit = file.indexOf("Triangles ") + 10, end = file.size() - 2;
    for (qsizetype length = 0; length <= file.size(); ++length) {
        MeshClass mesh;
        const bool cutInside = (length > vertexDigit && length < vertexEnd)
            || (length > triangleDigit && length < end);
        QCOMPARE(parseSurf(QByteArrayView(file).first(length), mesh), cutInside ? 1 : 0);
        QCOMPARE(mesh.CountOfVertices, !cutInside && length >= vertexEnd ? 3 : 0);
        QCOMPARE(mesh.CountOfCells[Triangle], !cutInside && length >= end ? 1 : 0);
    }
}

void TestSurfReader::realFilesAndFileCodes()
{
    if (qEnvironmentVariable("TESSARON_SHARED_SAMPLES").isEmpty())
        QSKIP("the shared sample files are not on this machine");
    const QString shared = qEnvironmentVariable("TESSARON_SHARED_SAMPLES") + "/surf/";
    ModelClass model;
    model.Name = "kamni.surf";
    QCOMPARE(readSurf(model, shared + "text-variant.surf"), 1);
    QCOMPARE(readSurf(model, shared + "missing.surf"), 2);
    QCOMPARE(readSurf(model, shared), 2);
    QVERIFY(model.Meshes.isEmpty());
    QCOMPARE(model.Name, QString("Kamni")); // named after the failed read, not after 2

    QCOMPARE(readSurf(model, shared + "patches-326.surf"), 0);
    QCOMPARE(model.Meshes.size(), 1);
    QCOMPARE(model.Meshes[0]->CountOfVertices, 326);
    QCOMPARE(model.Meshes[0]->CountOfCells[Triangle], 648);
    QVERIFY(!model.Meshes[0]->checkIndices());
}

QTEST_GUILESS_MAIN(TestSurfReader)
#include "test_surf_reader.moc"
