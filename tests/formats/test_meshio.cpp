// Our files read back by an independent reader, meshio of the system Python:
// every point it finds must be a vertex of the model (the samples' vertices
// all differ), and its cells the model's cells as the format carries them.

#include "formats/SaveModelFile.h"
#include "formats/WriterSamples.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The model's vertex number of a point read back, -1 when there is none.
int vertexAt(const ModelClass &model, const QList<QByteArray> &xyz)
{
    const double point[3] = {xyz.value(0).toDouble(), xyz.value(1).toDouble(),
                             xyz.value(2).toDouble()};
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
};

void TestMeshio::initTestCase()
{
    python = qEnvironmentVariable("TESSARON_PYTHON");
    if (python.isEmpty() || !QFileInfo(python).isExecutable())
        QSKIP("no system Python");
    if (QProcess::execute(python, {"-c", "import meshio"}) != 0)
        QSKIP("no meshio for the system Python");
}

void TestMeshio::readBack_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<int>("sample");
    QTest::addColumn<int>("only"); // the one volume type kept; 0: all
    QTest::addColumn<QString>("cells");
    const auto row = [](const char *name, const char *format, bool binary, Sample sample, int only,
                        const char *cells) {
        QTest::newRow(name) << format << binary << int(sample) << only << cells;
    };
    const char *twoTriangles = "triangle 1 3 2|triangle 4 5 6";
    row("off", "OFF", false, TwoBlocks, 0, twoTriangles);
    row("obj", "OBJ", false, TwoBlocks, 0, twoTriangles);
    row("stl text", "STL", false, TwoBlocks, 0, twoTriangles);
    row("stl binary", "STL", true, TwoBlocks, 0, twoTriangles);
    row("vtk polygons", "VTK", false, Polygons, 0, "quad 0 1 2 3|polygon 0 1 2 4 3");
    // meshio orients a wedge's first triangle the other way than the format
    // does and so reads the prism (0 1 2 3 4 5) as (0 2 1 3 5 4).
    row("vtk volumes", "VTK", false, Volumes, 0,
        "tetra 0 1 2 3|pyramid 0 1 2 3 4|wedge 0 2 1 3 5 4|hexahedron 0 1 2 3 4 5 6 7");
    row("mesh volumes", "MESH", false, Volumes, 0,
        "triangle 0 1 4|triangle 1 2 4|triangle 2 3 4|triangle 3 0 4|triangle 0 1 2|"
        "triangle 3 4 5|quad 0 1 2 3|quad 0 1 4 3|quad 1 2 5 4|quad 2 0 3 5|tetra 0 1 2 3|"
        "hexahedron 0 1 2 3 4 5 6 7");
    // meshio reads the first zone only, so each zone type gets a file of its own.
    row("dat tetrahedron", "DAT", false, Volumes, Tetrahedron, "tetra 0 1 2 3");
    row("dat pyramid", "DAT", false, Volumes, Pyramid, "hexahedron 0 1 2 3 4 4 4 4");
    row("dat prism", "DAT", false, Volumes, Prism, "hexahedron 0 1 2 2 3 4 5 5");
}

void TestMeshio::readBack()
{
    QFETCH(QString, format);
    QFETCH(bool, binary);
    QFETCH(int, sample);
    QFETCH(int, only);
    QFETCH(QString, cells);
    const auto model = makeSample(Sample(sample));
    for (int type : {Tetrahedron, Pyramid, Prism, Hexahedron})
        if (only != 0 && type != only)
            setCells(*model->Meshes[0], type, {});
    QTemporaryDir dir;
    QCOMPARE(saveModelFile(model.get(), format, dir.filePath("m"), binary), 0);

    QProcess reader;
    reader.start(
        python,
        {qEnvironmentVariable("TESSARON_MESHIO_SCRIPT"), dir.filePath("m." + format.toLower())});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    QList<QByteArray> lines = reader.readAllStandardOutput().trimmed().split('\n');
    const int points = lines.takeFirst().toInt();
    QList<int> vertex;
    for (const QByteArray &line : lines.mid(0, points)) {
        vertex << vertexAt(*model, line.split(' '));
        QVERIFY2(vertex.last() >= 0, line.constData());
    }
    QStringList read;
    for (const QByteArray &line : lines.mid(points)) {
        QStringList words = QString::fromLatin1(line).split(' ');
        for (qsizetype i = 1; i < words.size(); ++i)
            words[i] = QString::number(vertex.value(words[i].toInt(), -1));
        read << words.join(' ');
    }
    QCOMPARE(read.join('|'), cells);
}

QTEST_GUILESS_MAIN(TestMeshio)
#include "test_meshio.moc"
