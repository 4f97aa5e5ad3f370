// The legacy VTK reader: our own files read back to the same model, a binary
// file with strips and data arrays, and files that lie about themselves.

#include "formats/WriterSamples.h"
#include "formats/Writers.h"
#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "import/VtkReader.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// The file without its title line, which names the model.
QByteArray withoutTitle(const QByteArray &file)
{
    QList<QByteArray> lines = file.split('\n');
    lines.removeAt(1);
    return lines.join('\n');
}

QByteArray big32(qint32 v)
{
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

QByteArray bigFloat(float v)
{
    return big32(std::bit_cast<qint32>(v));
}

QString parseFailure(const QByteArray &bytes)
{
    ModelClass model;
    try {
        parseVtk(bytes, model);
    } catch (const ImportFailure &failure) {
        if (!model.Meshes.isEmpty())
            return "a failed read left a block";
        return failure.message;
    }
    return QString();
}

} // namespace

class TestVtkReader : public QObject
{
    Q_OBJECT

private slots:
    void ourFilesReadBack_data();
    void ourFilesReadBack();
    void binaryStripsAndArrays();
    void pixelsAndVoxelsReordered();
    void filesThatLie_data();
    void filesThatLie();
};

void TestVtkReader::ourFilesReadBack_data()
{
    QTest::addColumn<int>("sample");
    QTest::newRow("triangle, both number forms") << int(OneTriangle);
    QTest::newRow("polygons, materials, a function") << int(Polygons);
    QTest::newRow("the four volume cells") << int(Volumes);
    QTest::newRow("two blocks become one") << int(TwoBlocks);
    QTest::newRow("materials on some cells") << int(ManyCells);
}

// Written, read and written again, a model gives the same file: the same
// points, cells in the same slots and order, functions and materials.
void TestVtkReader::ourFilesReadBack()
{
    QFETCH(int, sample);
    const std::unique_ptr<ModelClass> original = makeSample(Sample(sample));
    QTemporaryDir dir;
    const QString first = dir.filePath("first.vtk"), second = dir.filePath("second.vtk");
    QCOMPARE(writeVTK(*original, first), 0);
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(first, models);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(models.size(), size_t(1));
    const ModelClass &read = *models[0];
    QCOMPARE(read.Meshes.size(), 1);
    QCOMPARE(writeVTK(read, second), 0);
    QCOMPARE(withoutTitle(fileBytes(second)), withoutTitle(fileBytes(first)));
}

// A binary POLYDATA file: a strip of four triangles alternating their turn,
// a pentagon, point scalars of two components, a cell field array.
void TestVtkReader::binaryStripsAndArrays()
{
    QByteArray file = "# vtk DataFile Version 3.0\nstrip\nBINARY\nDATASET POLYDATA\n"
                      "POINTS 6 float\n";
    for (int i = 0; i < 6; ++i)
        file += bigFloat(float(i % 2)) + bigFloat(float(i / 2)) + bigFloat(0.25f * float(i));
    file += "\nPOLYGONS 1 6\n" + big32(5);
    for (int id : {0, 1, 3, 5, 4})
        file += big32(id);
    file += "\nTRIANGLE_STRIPS 1 7\n" + big32(6);
    for (int id : {0, 1, 2, 3, 4, 5})
        file += big32(id);
    file += "\nPOINT_DATA 6\nSCALARS heat float 2\nLOOKUP_TABLE default\n";
    for (int i = 0; i < 12; ++i)
        file += bigFloat(float(i));
    file += "\nCELL_DATA 2\nFIELD FieldData 1\nzone 1 2 int\n" + big32(7) + big32(9) + "\n";
    ModelClass model;
    parseVtk(file, model);
    const MeshClass &mesh = *model.Meshes[0];
    QCOMPARE(mesh.CountOfCells[5], 1);
    QCOMPARE(mesh.CountOfCells[Triangle], 4);
    QCOMPARE(QList<qint32>(mesh.Cells[Triangle], mesh.Cells[Triangle] + 12),
             (QList<qint32> {0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5}));
    QCOMPARE(mesh.Vertices[3 * 5 + 2], 1.25);
    QCOMPARE(model.FunctionNames, (QStringList {"heat[0]", "heat[1]"}));
    QCOMPARE(mesh.Functions[1][4], 9.0);
    QCOMPARE(model.CellFunctionNames, QStringList {"zone"});
    QCOMPARE(mesh.CellFuncs[5][0], 7.0);
    for (int t = 0; t < 4; ++t) // every triangle of the strip has the strip's value
        QCOMPARE(mesh.CellFuncs[Triangle][t], 9.0);
}

// A pixel and a voxel number their corners row by row; as a quadrangle and
// a hexahedron they go round.
void TestVtkReader::pixelsAndVoxelsReordered()
{
    QByteArray file = "# vtk DataFile Version 3.0\nt\nASCII\nDATASET UNSTRUCTURED_GRID\n"
                      "POINTS 8 float\n0 0 0 1 0 0 0 1 0 1 1 0 0 0 1 1 0 1 0 1 1 1 1 1\n"
                      "CELLS 2 14\n4 0 1 2 3\n8 0 1 2 3 4 5 6 7\nCELL_TYPES 2\n8\n11\n";
    ModelClass model;
    parseVtk(file, model);
    const MeshClass &mesh = *model.Meshes[0];
    QCOMPARE(QList<qint32>(mesh.Cells[Quadrangle], mesh.Cells[Quadrangle] + 4),
             (QList<qint32> {0, 1, 3, 2}));
    QCOMPARE(QList<qint32>(mesh.Cells[Hexahedron], mesh.Cells[Hexahedron] + 8),
             (QList<qint32> {0, 1, 3, 2, 4, 5, 7, 6}));
}

void TestVtkReader::filesThatLie_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray head = "# vtk DataFile Version 3.0\nt\nASCII\nDATASET UNSTRUCTURED_GRID\n"
                            "POINTS 3 float\n0 0 0 1 0 0 0 1 0\n";
    QTest::newRow("a cell names a point that is not there")
        << head + "CELLS 1 4\n3 0 1 3\nCELL_TYPES 1\n5\n"
        << "names point 3";
    QTest::newRow("more points than the file holds")
        << QByteArray("# vtk DataFile Version 3.0\nt\nBINARY\nDATASET POLYDATA\n"
                      "POINTS 2000000000 double\n\x01\x02")
        << "ends";
    QTest::newRow("a cell longer than its list") << head + "CELLS 1 3\n7 0 1 2\nCELL_TYPES 1\n5\n"
                                                 << "more points";
    QTest::newRow("too few points for its type") << head + "CELLS 1 4\n3 0 1 2\nCELL_TYPES 1\n10\n"
                                                 << "has 3 points";
    QTest::newRow("point data of another count") << head + "POINT_DATA 2\nSCALARS s float\n1 2\n"
                                                 << "2 values for 3 points";
    QTest::newRow("a structured dataset")
        << QByteArray("# vtk DataFile Version 3.0\nt\nASCII\nDATASET STRUCTURED_POINTS\n")
        << "STRUCTURED_POINTS";
    QTest::newRow("not a VTK file") << QByteArray("solid x\n") << "not a legacy VTK file";
    QTest::newRow("a point that is not a number")
        << QByteArray("# vtk DataFile Version 3.0\nt\nASCII\nDATASET POLYDATA\nPOINTS 1 float\n"
                      "nan 0 0\n")
        << "not a finite number";
}

void TestVtkReader::filesThatLie()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString failure = parseFailure(bytes);
    QVERIFY2(failure.contains(message), qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestVtkReader)
#include "test_vtk_reader.moc"
