// The mesh writers: every byte of each format on small models, the order of
// the STL triangles, the file names, the choice of writer by the words of a
// format text, and saves that fail without harming an earlier file.

#include "formats/SaveModelFile.h"
#include "formats/WriterSamples.h"
#include "formats/Writers.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// The corner numbers of every STL triangle of a model whose vertex i lies at x = i.
QByteArray cornersOfText(const QByteArray &stl)
{
    QByteArray corners;
    for (const QByteArray &line : stl.split('\n'))
        if (line.startsWith("      vertex "))
            corners += line.mid(13, 1);
    return corners;
}

QByteArray cornersOfBinary(const QByteArray &stl)
{
    QByteArray corners;
    for (qsizetype record = 84; record + 50 <= stl.size(); record += 50)
        for (int corner = 1; corner <= 3; ++corner)
            corners += QByteArray::number(
                qFromLittleEndian<float>(stl.constData() + record + 12 * corner));
    return corners;
}

const QByteArray kOneTriangleVertices = "0.00000000e+00 1.00000001e-01 -2.50000000e+00\n"
                                        "9.99999975e-06 1.23456792e+08 1.00000000e+00\n"
                                        "-5.00000000e-01 2.00000000e+00 3.00000000e+00\n";

} // namespace

class TestWriters : public QObject
{
    Q_OBJECT

private slots:
    void bytes_data();
    void bytes();
    void stlTriangles();
    void choiceAndNames_data();
    void choiceAndNames();
    void failedSaveKeepsEarlierFile_data();
    void failedSaveKeepsEarlierFile();
    void replacementKeepsLinksAndPermissions();
    void badModelsAndNamesWithoutValues();
};

void TestWriters::bytes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("sample");
    QTest::addColumn<bool>("options"); // saveColorAsMat and saveMatInOFF
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("from"); // compare from this text on; empty: the whole file
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *name, const char *format, Sample sample, bool options,
                        const char *extension, const char *from, const QByteArray &expected) {
        QTest::newRow(name) << format << int(sample) << options << extension << QByteArray(from)
                            << expected;
    };

    row("off triangle", "OFF", OneTriangle, true, "off", "",
        "OFF\n3 1 0\n" + kOneTriangleVertices + "3 0 1 2 \n");
    QByteArray offVolumeVertices;
    for (char x = '0'; x < '8'; ++x)
        offVolumeVertices += x + QByteArray(".00000000e+00 5.00000000e-01 -5.00000000e-01\n");
    row("off volumes with materials", "OFF", Volumes, true, "off", "",
        "OFF\n8 20 0\n" + offVolumeVertices
            + "3 0 1 2 1\n3 1 2 3 1\n3 2 3 0 1\n3 3 0 1 1\n3 0 1 4 2\n3 1 2 4 2\n3 2 3 4 2\n"
              "3 3 0 4 2\n4 0 1 2 3 2\n3 0 1 2 3\n3 3 4 5 3\n4 0 2 5 3 3\n4 2 1 4 5 3\n"
              "4 1 0 3 4 3\n4 0 1 2 3 4\n4 5 4 7 6 4\n4 4 5 1 0 4\n4 5 6 2 1 4\n4 6 7 3 2 4\n"
              "4 7 4 0 3 4\n");
    row("off flagged function", "OFF", FlaggedFunction, true, "off", "",
        "NOFF\n2 0 0\n1.00000000e+00 2.00000000e+00 3.00000000e+00 1.00000000e+00 "
        "2.00000000e+00 3.00000000e+00\n4.00000000e+00 5.00000000e+00 6.00000000e+00 0.2\n");
    row("off flag ignored", "OFF", FlaggedFunction, false, "off", "4.0",
        "4.00000000e+00 5.00000000e+00 6.00000000e+00\n");
    row("off vertex colours", "OFF", VertexColours, true, "off", "",
        "COFF\n2 0 0\n1.00000000e+00 2.00000000e+00 3.00000000e+00 7.90000010e+00\n"
        "4.00000000e+00 5.00000000e+00 6.00000000e+00 5.00000000e-01 2.50000000e-01 "
        "1.00000000e+00 2.00000000e+00\n");
    row("mesh triangle", "MESH", OneTriangle, true, "mesh", "",
        "MeshVersionFormatted 1\nDimension\n3\nVertices\n3\n"
        "0.00000000e+00 1.00000001e-01 -2.50000000e+00 0\n"
        "9.99999975e-06 1.23456792e+08 1.00000000e+00 0\n"
        "-5.00000000e-01 2.00000000e+00 3.00000000e+00 0\nTriangles\n1\n1 2 3 0\nEnd\n");
    row("mesh volumes", "MESH", Volumes, true, "mesh", "Tri",
        "Triangles\n6\n1 2 5 2\n2 3 5 2\n3 4 5 2\n4 1 5 2\n1 2 3 3\n4 5 6 3\nQuadrilaterals\n4\n"
        "1 2 3 4 2\n1 2 5 4 3\n2 3 6 5 3\n3 1 4 6 3\nTetrahedra\n1\n1 2 3 4 1\nHexahedra\n1\n"
        "1 2 3 4 5 6 7 8 4\nEnd\n");
    row("mesh pentagon as fan", "MESH", Polygons, true, "mesh", "Tri",
        "Triangles\n3\n1 2 3 7\n1 3 5 7\n1 5 4 7\nQuadrilaterals\n1\n1 2 3 4 2\nEnd\n");
    row("mesh two blocks", "MESH", TwoBlocks, true, "mesh", "Tri",
        "Triangles\n2\n2 4 3 0\n5 6 7 0\nEnd\n");
    row("mesh flagged function", "MESH", FlaggedFunction, false, "mesh", "1.0",
        "1.00000000e+00 2.00000000e+00 3.00000000e+00 0.1\n"
        "4.00000000e+00 5.00000000e+00 6.00000000e+00 0\nEnd\n");
    row("mesh colour as material", "MESH", VertexColours, true, "mesh", "1.0",
        "1.00000000e+00 2.00000000e+00 3.00000000e+00 7\n"
        "4.00000000e+00 5.00000000e+00 6.00000000e+00 0\nEnd\n");
    row("vtk polygons", "VTK", Polygons, true, "vtk", "",
        "# vtk DataFile Version 3.0\npoly\nASCII\nDATASET UNSTRUCTURED_GRID\nPOINTS 5 double\n"
        "0 0 0\n1 0 0\n1 1 0\n0 1 0\n0.5 1.5 0\nCELLS 2 11\n4 0 1 2 3\n5 0 1 2 4 3\n"
        "CELL_TYPES 2\n9\n7\nPOINT_DATA 5\nSCALARS p float\nLOOKUP_TABLE default\n"
        "0.5\n-1\n2\n1e-07\n3\nSCALARS q float\nLOOKUP_TABLE default\n10\n20\n30\n40\n50\n"
        "CELL_DATA 2\nFIELD FieldData 1\nmaterial 1 2 int\n2 7 \n");
    row("vtk volumes", "VTK", Volumes, true, "vtk", "CELLS",
        "CELLS 4 27\n4 0 1 2 3\n5 0 1 2 3 4\n6 0 1 2 3 4 5\n8 0 1 2 3 4 5 6 7\nCELL_TYPES 4\n"
        "10\n14\n13\n12\nCELL_DATA 4\nFIELD FieldData 1\nmaterial 1 4 int\n1 2 3 4 \n");
    row("vtk two blocks", "VTK", TwoBlocks, true, "vtk", "CELLS",
        "CELLS 2 8\n3 1 3 2\n3 4 5 6\nCELL_TYPES 2\n5\n5\n");
    row("vtk materials ten to a line", "VTK", ManyCells, true, "vtk", "CELL_DATA",
        "CELL_DATA 21\nFIELD FieldData 1\nmaterial 1 21 int\n0 1 2 3 4 5 6 7 8 9 \n"
        "10 0 0 0 0 0 0 0 0 0 0 \n\n");
    const QByteArray polygonVertices =
        "0.00000000e+00 0.00000000e+00 0.00000000e+00 5.00000000e-01 1.00000000e+01 \n"
        "1.00000000e+00 0.00000000e+00 0.00000000e+00 -1.00000000e+00 2.00000000e+01 \n"
        "1.00000000e+00 1.00000000e+00 0.00000000e+00 2.00000000e+00 3.00000000e+01 \n"
        "0.00000000e+00 1.00000000e+00 0.00000000e+00 1.00000001e-07 4.00000000e+01 \n"
        "5.00000000e-01 1.50000000e+00 0.00000000e+00 3.00000000e+00 5.00000000e+01 \n";
    row("dat named block", "DAT", Polygons, true, "dat", "",
        "TITLE = \"poly\"\nVARIABLES = \"x\" \"y\" \"z\" \"p\" \"q\"\n"
        "ZONE T=\"Wall\"NODES=5 ELEMENTS=1 DATAPACKING=POINT, ZONETYPE=FEQUADRILATERAL\n"
            + polygonVertices
            + "1 2 3 4 \nZONE T=\"Wall\"NODES=5 ELEMENTS=1 DATAPACKING=POINT, ZONETYPE=FEPOLYGON, "
              "FACES = 1\n"
            + polygonVertices + "1 2 3 5 4 4 4 4 \n");
    QByteArray volumeVertices; // each DAT zone repeats them
    for (char x = '0'; x < '8'; ++x)
        volumeVertices += x + QByteArray(".00000000e+00 5.00000000e-01 -5.00000000e-01 \n");
    const QByteArray zone = "ZONE NODES=8 ELEMENTS=1 DATAPACKING=POINT, ZONETYPE=";
    row("dat volumes", "DAT", Volumes, true, "dat", "ZONE",
        zone + "FETETRAHEDRON\n" + volumeVertices + "1 2 3 4 \n" + zone + "FEBRICK\n"
            + volumeVertices + "1 2 3 4 5 5 5 5 \n" + zone + "FEBRICK\n" + volumeVertices
            + "1 2 3 3 4 5 6 6 \n" + zone + "FEBRICK\n" + volumeVertices + "1 2 3 4 5 6 7 8 \n");
    row("stl triangle", "STL", OneTriangle, true, "stl", "",
        "solid tri\n  facet normal 1 0 0\n    outer loop\n      vertex 0 0.1 -2.5\n"
        "      vertex 1e-05 1.23457e+08 1\n      vertex -0.5 2 3\n    endloop\n  endfacet\n"
        "endsolid tri");
    row("ply triangle", "PLY", OneTriangle, true, "ply", "",
        "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
        "property float z\nelement face 1\nproperty list uchar int vertex_index\nend_header\n"
        "0 0.1 -2.5\n1e-05 1.23457e+08 1\n-0.5 2 3\n3 0 1 2 \n");
    row("obj two blocks", "OBJ", TwoBlocks, true, "obj", "",
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nv 0 0 1\nv 1 0 1\nv 0 1 1\nf 2 4 3 \nf 5 6 7 \n");
    row("vrt two blocks", "StarCD", TwoBlocks, true, "vrt", "",
        "  1  0  0  0\n  2  1  0  0\n  3  0  1  0\n  4  1  1  0\n  5  0  0  1\n  6  1  0  1\n"
        "  7  0  1  1\n");
    row("cel two blocks", "StarCD", TwoBlocks, true, "cel", "",
        "  1  2  4  3  7\t1\t1\n  2  5  6  7  7\t1\t1\n");
    row("cel volumes", "StarCD", Volumes, true, "cel", "",
        "  1  1  2  3  4  7\t1\t1\n  2  1  2  3  4  5  7\t1\t1\n"
        "  3  1  2  3  4  5  6  7\t1\t1\n  4  1  2  3  4  5  6  7  8  7\t1\t1\n");
}

void TestWriters::bytes()
{
    QFETCH(QString, format);
    QFETCH(int, sample);
    QFETCH(bool, options);
    QFETCH(QString, extension);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const auto model = makeSample(Sample(sample));
    QCOMPARE(saveModelFile(model.get(), format, dir.filePath("m"), false, {options, options}), 0);
    const QByteArray written = fileBytes(dir.filePath("m." + extension));
    QVERIFY2(written.contains(from), written);
    QCOMPARE(written.mid(written.indexOf(from)), expected);
}

// Both STL writers split cells into the same triangles, the binary one with
// a header, a count, the normal (1, 0, 0) and a zero attribute per triangle.
void TestWriters::stlTriangles()
{
    QTemporaryDir dir;
    const auto model = makeSample(Volumes);
    setCells(*model->Meshes[0], Quadrangle, {0, 1, 2, 3});
    setCells(*model->Meshes[0], 5, {0, 1, 2, 3, 4});
    const QByteArray expected = "012023"                                // quadrangle
                                "012023034"                             // pentagon
                                "012013023123"                          // tetrahedron
                                "012023014034124234"                    // pyramid
                                "012345014043125154203235"              // prism
                                "012023126165237276304347015054654647"; // hexahedron
    QCOMPARE(writeTextSTL(*model, dir.filePath("t")), 0);
    QCOMPARE(cornersOfText(fileBytes(dir.filePath("t.stl"))), expected);

    QCOMPARE(writeBinarySTL(*model, dir.filePath("b")), 0);
    const QByteArray binary = fileBytes(dir.filePath("b.stl"));
    const qsizetype triangles = expected.size() / 3;
    QCOMPARE(binary.size(), 84 + 50 * triangles);
    QCOMPARE(binary.left(80), QByteArray(80, '\0'));
    QCOMPARE(qFromLittleEndian<quint32>(binary.constData() + 80), quint32(triangles));
    QCOMPARE(cornersOfBinary(binary), expected);
    const char *last = binary.constData() + binary.size() - 50; // normal 1 0 0, attribute 0
    QCOMPARE(qFromLittleEndian<float>(last), 1.0f);
    QCOMPARE(QByteArray(last + 4, 8) + QByteArray(last + 48, 2), QByteArray(10, '\0'));
}

void TestWriters::choiceAndNames_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("start");
    const auto row = [](const char *format, bool binary, const char *chosen,
                        const QStringList &files, const QByteArray &start) {
        QTest::addRow("%s%s %s", format, binary ? " binary" : "", chosen)
            << format << binary << chosen << files << start;
    };
    row("OFF(*.off)", false, "x.y.mesh", {"x.off"}, "OFF\n");
    row("MESH(*.mesh)", false, "plain", {"plain.mesh"}, "MeshVersionFormatted 1\n");
    row("VTK(*.vtk)", false, "dotted.dir/m.v1", {"dotted.dir/m.vtk"}, "# vtk");
    row("OBJ(*.obj)", false, "m.", {"m.obj"}, "v ");
    row("StarCD(*.vrt)", false, "pair.x", {"pair.cel", "pair.vrt"}, "  1  ");
    row("STL(*.stl)", true, "m", {"m.stl"}, QByteArray(80, '\0'));
    row("offset mesh(*.mesh)", false, "m", {"m.off"}, "OFF\n");
    row("Images(*.png)", false, "m", {}, "");
    row("OFF(*.off)", false, "", {}, "");
}

void TestWriters::choiceAndNames()
{
    QFETCH(QString, format);
    QFETCH(bool, binary);
    QFETCH(QString, chosen);
    QFETCH(QStringList, files);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("dotted.dir"));
    const auto model = makeSample(TwoBlocks);
    const QString name = chosen.isEmpty() ? chosen : dir.filePath(chosen);
    QCOMPARE(saveModelFile(model.get(), format, name, binary), 0);
    QStringList written;
    for (const QString &folder : {QString(), QStringLiteral("dotted.dir/")})
        for (const QString &file : QDir(dir.filePath(folder)).entryList(QDir::Files))
            written << folder + file;
    QCOMPARE(written, files);
    if (!files.isEmpty())
        QVERIFY(fileBytes(dir.filePath(files.last())).startsWith(start));
    QCOMPARE(saveModelFile(nullptr, format, dir.filePath("none"), binary), 0);
}

void TestWriters::failedSaveKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<int>("sizeLimit"); // bytes a process may write
    QTest::newRow("file over the size limit") << "OFF" << QStringList {"m.off"} << 100;
    QTest::newRow("second StarCD file over the limit")
        << "StarCD" << QStringList {"m.cel", "m.vrt"} << 200;
}

void TestWriters::failedSaveKeepsEarlierFile()
{
    QFETCH(QString, format);
    QFETCH(QStringList, earlier);
    QFETCH(int, sizeLimit);
    QTemporaryDir dir;
    for (const QString &name : earlier)
        QVERIFY(writeBytes(dir.filePath(name), "earlier\n"));
    const auto model = makeSample(ManyCells);
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
    const rlimit limit {rlim_t(sizeLimit), previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const qint32 status = saveModelFile(model.get(), format, dir.filePath("m"), false);
    setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(status, 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), earlier);
    for (const QString &name : earlier)
        QCOMPARE(fileBytes(dir.filePath(name)), QByteArray("earlier\n"));
    QCOMPARE(writeOFF(*model, dir.filePath("missing/m"), true, true), 2);
}

// A save replaces an earlier file and keeps its permissions; saved onto a
// symbolic link it writes the link's target and the link stays.
void TestWriters::replacementKeepsLinksAndPermissions()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("cases"));
    const QString target = dir.filePath("cases/m.off"), link = dir.filePath("link.off");
    QVERIFY(writeBytes(target, "earlier\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(target, permissions));
    QVERIFY(QFile::link("cases/m.off", link));
    const auto model = makeSample(OneTriangle);
    QCOMPARE(saveModelFile(model.get(), "OFF", dir.filePath("link"), false), 0);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(fileBytes(target).startsWith("OFF\n3 1 0\n"));
    QCOMPARE(QFile::permissions(target) & 0x7077, permissions); // owner, group, others
    QCOMPARE(QDir(dir.filePath("cases")).entryList(QDir::Files | QDir::Hidden),
             QStringList {"m.off"});
}

void TestWriters::badModelsAndNamesWithoutValues()
{
    // A model whose cells name vertices it does not have is refused before
    // any file is made.
    QTemporaryDir dir;
    const auto two = makeSample(TwoBlocks);
    setCells(*two->Meshes[1], Triangle, {0, 1, 3});
    QCOMPARE(saveModelFile(two.get(), "VTK", dir.filePath("bad.vtk"), false), 1);
    QVERIFY(!QFile::exists(dir.filePath("bad.vtk")));

    // Names of functions the blocks do not carry (a surface made from a
    // volume keeps them): every vertex line still has a value per variable.
    const auto volumes = makeSample(Volumes);
    volumes->FunctionNames = {"f"};
    QCOMPARE(saveModelFile(volumes.get(), "DAT", dir.filePath("v"), false), 0);
    const QList<QByteArray> lines = fileBytes(dir.filePath("v.dat")).split('\n');
    QCOMPARE(lines.at(1), QByteArray("VARIABLES = \"x\" \"y\" \"z\" \"f\""));
    QCOMPARE(lines.at(3),
             QByteArray("0.00000000e+00 5.00000000e-01 -5.00000000e-01 "
                        "0.00000000e+00 "));
}

QTEST_GUILESS_MAIN(TestWriters)
#include "test_writers.moc"
