// Our files read back by an independent reader, meshio of the system Python:
// it must find the model's points and cells (as the format carries them).

#include "formats/WriterSamples.h"
#include "formats/Writers.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

using Write = std::function<qint32(const ModelClass &, const QString &)>;

// A cube (vertices 0-7) with an apex (8) above it carrying every kind of cell,
// or only those of `types`, and a second block of two triangles (9-12).
std::unique_ptr<ModelClass> mixedModel(const QList<int> &types)
{
    auto model = std::make_unique<ModelClass>();
    MeshClass *solid = addBlock(*model, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1,   0,   0, 0,
                                         1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 0.5, 0.5, 2});
    const std::pair<int, std::vector<qint32>> cells[] = {{Triangle, {0, 1, 2}},
                                                         {Quadrangle, {0, 1, 5, 4}},
                                                         {5, {0, 1, 2, 3, 8}},
                                                         {Tetrahedron, {0, 1, 3, 4}},
                                                         {Pyramid, {4, 5, 6, 7, 8}},
                                                         {Prism, {0, 1, 2, 4, 5, 6}},
                                                         {Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}}};
    for (const auto &[type, nodes] : cells)
        if (types.isEmpty() || types.contains(type))
            setCells(*solid, type, nodes);
    setCells(*addBlock(*model, {3, 0, 0, 4, 0, 0, 3, 1, 0, 4, 1, 0.25}), Triangle,
             {0, 1, 2, 1, 3, 2});
    return model;
}

// The model's vertex number of a point read back, -1 when there is none.
int vertexAt(const ModelClass &model, const double *point)
{
    int number = 0;
    for (const MeshClass *mesh : model.Meshes)
        for (int v = 0; v < mesh->CountOfVertices; ++v, ++number)
            if (std::equal(point, point + 3, mesh->Vertices + 3 * v))
                return number;
    return -1;
}

} // namespace

class TestMeshio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readBack_data();
    void readBack();

private:
    QString python;
    QString script;
};

void TestMeshio::initTestCase()
{
    python = qEnvironmentVariable("TESSARON_PYTHON");
    script = qEnvironmentVariable("TESSARON_MESHIO_SCRIPT");
    if (python.isEmpty() || !QFileInfo(python).isExecutable())
        QSKIP("no system Python");
    if (QProcess::execute(python, {"-c", "import meshio"}) != 0)
        QSKIP("no meshio for the system Python");
}

void TestMeshio::readBack_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QList<int>>("types"); // cell types of the first block; empty: all
    QTest::addColumn<int>("points");       // points read back, -1 where the reader merges them
    QTest::addColumn<QString>("cells");
    const QList<int> surfaceTypes = {Triangle, Tetrahedron};
    const QString surface = "triangle 0 1 2|triangle 0 1 3|triangle 1 3 4|triangle 3 4 0|"
                            "triangle 4 0 1|triangle 9 10 11|triangle 10 12 11";
    const Write off = [](const ModelClass &m, const QString &n) {
        return writeOFF(m, n, true, false);
    };
    QTest::newRow("off") << off << "off" << surfaceTypes << 13 << surface;
    QTest::newRow("obj") << Write(writeOBJ) << "obj" << surfaceTypes << 13 << surface;
    const QString stl = "triangle 0 1 2|triangle 0 1 3|triangle 0 1 4|triangle 0 3 4|"
                        "triangle 1 3 4|triangle 9 10 11|triangle 10 12 11";
    QTest::newRow("stl text") << Write(writeTextSTL) << "stl" << surfaceTypes << -1 << stl;
    QTest::newRow("stl binary") << Write(writeBinarySTL) << "stl" << surfaceTypes << -1 << stl;
    // meshio orients a wedge's first triangle the other way than the format
    // does and so reads the prism (0 1 2 4 5 6) as (0 2 1 4 6 5).
    QTest::newRow("vtk") << Write(writeVTK) << "vtk" << QList<int>() << 13
                         << "triangle 0 1 2|quad 0 1 5 4|polygon 0 1 2 3 8|tetra 0 1 3 4|"
                            "pyramid 4 5 6 7 8|wedge 0 2 1 4 6 5|hexahedron 0 1 2 3 4 5 6 7|"
                            "triangle 9 10 11|triangle 10 12 11";
    const Write mesh = [](const ModelClass &m, const QString &n) { return writeMESH(m, n, true); };
    QTest::newRow("mesh") << mesh << "mesh" << QList<int>() << 13
                          << "triangle 0 1 2|triangle 9 10 11|triangle 10 12 11|triangle 4 5 8|"
                             "triangle 5 6 8|triangle 6 7 8|triangle 7 4 8|triangle 0 1 2|"
                             "triangle 4 5 6|triangle 0 1 2|triangle 0 2 3|triangle 0 3 8|"
                             "quad 0 1 5 4|quad 4 5 6 7|quad 0 1 5 4|quad 1 2 6 5|quad 2 0 4 6|"
                             "tetra 0 1 3 4|hexahedron 0 1 2 3 4 5 6 7";
    // The reader takes the first zone only, so each zone type gets a file of its own.
    QTest::newRow("dat") << Write(writeDAT) << "dat" << QList<int>() << 9 << "triangle 0 1 2";
    QTest::newRow("dat pyramid") << Write(writeDAT) << "dat" << QList<int> {Pyramid} << 9
                                 << "hexahedron 4 5 6 7 8 8 8 8";
    QTest::newRow("dat prism") << Write(writeDAT) << "dat" << QList<int> {Prism} << 9
                               << "hexahedron 0 1 2 2 4 5 6 6";
}

void TestMeshio::readBack()
{
    QFETCH(Write, write);
    QFETCH(QString, extension);
    QFETCH(QList<int>, types);
    QFETCH(int, points);
    QFETCH(QString, cells);
    const auto written = mixedModel(types);
    QTemporaryDir dir;
    QCOMPARE(write(*written, dir.filePath("m")), 0);

    QProcess reader;
    reader.start(python, {script, dir.filePath("m." + extension)});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    QList<QByteArray> lines = reader.readAllStandardOutput().trimmed().split('\n');
    const int count = lines.takeFirst().toInt();
    if (points >= 0)
        QCOMPARE(count, points);
    QList<int> vertex;
    for (const QByteArray &line : lines.mid(0, count)) {
        const QList<QByteArray> xyz = line.split(' ');
        const double point[3] = {xyz.value(0).toDouble(), xyz.value(1).toDouble(),
                                 xyz.value(2).toDouble()};
        vertex << vertexAt(*written, point);
        QVERIFY2(vertex.last() >= 0, line.constData());
    }
    QStringList read;
    for (const QByteArray &line : lines.mid(count)) {
        QStringList words = QString::fromLatin1(line).split(' ');
        for (qsizetype i = 1; i < words.size(); ++i)
            words[i] = QString::number(vertex.value(words[i].toInt(), -1));
        read << words.join(' ');
    }
    QCOMPARE(read.join('|'), cells);
}

QTEST_GUILESS_MAIN(TestMeshio)
#include "test_meshio.moc"
