// Importing files other software wrote: NIfTI label maps from nibabel and mesh
// files from meshio (skipped without them), NRRD segmentations written here
// by hand; names and colours from every source; bad files refused with their
// reason; a cancelled import leaves nothing behind.

#include "ContainerBytes.h"
#include "Deflated.h"
#include "ImportChecks.h"
#include "NiftiWriter.h"
#include "WholeFiles.h"
#include "import/Importer.h"
#include "measure/ModelSurface.h"
#include "model/AnatomyTable.h"

#include <QProcess>
#include <QTemporaryDir>

#include <QtTest>

#include <cmath>
#include <set>

namespace {

struct Imported
{
    ImportResult result;
    std::vector<std::unique_ptr<ModelClass>> models;
};

Imported import(const QString &path, const ImportProgress &progress = {})
{
    Imported i;
    i.result = importModels(path, i.models, progress);
    return i;
}

// A 10 x 8 x 6 map of bytes: a box of `first` at x 1..4, one of `second` at
// x 5..8 touching it, y 2..5, z 1..4.
QByteArray twoBoxes(char first, char second)
{
    QByteArray voxels(10 * 8 * 6, 0);
    for (int k = 1; k <= 4; ++k)
        for (int j = 2; j <= 5; ++j)
            for (int i = 1; i <= 8; ++i)
                voxels[i + 10 * (j + 8 * k)] = i <= 4 ? first : second;
    return voxels;
}

anatomy::Rgb colourOf(const ModelClass &model)
{
    return {model.ModelColor[0], model.ModelColor[1], model.ModelColor[2]};
}

QByteArray nrrd(const QByteArray &fields, const QByteArray &data)
{
    return "NRRD0004\n# written by hand\ntype: uint8\ndimension: 3\nsizes: 10 8 6\n"
        + fields.trimmed() + "\n\n" + data;
}

} // namespace

class TestImportFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void niftiPlacedInWorld();
    void meshFiles_data();
    void meshFiles();
    void gltfMeshesAreBlocks();
    void binaryStlCornersJoined();
    void namesAndColours();
    void oneStructureFromEveryFormat();
    void anatomyFromTheLabelsName_data();
    void anatomyFromTheLabelsName();
    void placedByTheirHeaders();
    void badFiles_data();
    void badFiles();
    void cancelLeavesNothing();

private:
    QTemporaryDir dir;
    bool haveOracles = false;
    QMap<QString, QList<double>> written; // file -> the test's expectation
};

void TestImportFiles::initTestCase()
{
    const QString python = qEnvironmentVariable("TESSARON_PYTHON");
    if (python.isEmpty() || !QFileInfo(python).isExecutable()
        || QProcess::execute(python, {"-c", "import nibabel, meshio"}) != 0) {
        qWarning("no nibabel and meshio for the system Python: files of other software skipped");
        return;
    }
    QProcess writer;
    writer.start(python, {qEnvironmentVariable("TESSARON_IMPORT_INPUTS"), dir.path()});
    QVERIFY(writer.waitForFinished(120'000));
    QCOMPARE(writer.exitCode(), 0);
    for (const QByteArray &line : writer.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        QList<double> numbers;
        for (qsizetype w = 1; w < words.size(); ++w)
            numbers << words[w].toDouble();
        if (!words[0].isEmpty())
            written.insert(QString::fromUtf8(words[0]), numbers);
    }
    haveOracles = true;
}

// nibabel's label maps of every voxel type and transform: a box of label 5
// lands where the sform (or, without one, the qform) puts its voxels.
void TestImportFiles::niftiPlacedInWorld()
{
    if (!haveOracles)
        QSKIP("no nibabel");
    for (const QString name : {"uint8_sform.nii.gz", "int16_qform.nii", "float_both.nii.gz",
                               "uint16_both.nii", "int32.nii"}) {
        const Imported in = import(dir.filePath(name));
        QVERIFY2(in.result.ok, qPrintable(name + ": " + in.result.message));
        QCOMPARE(in.models.size(), size_t(2));
        const ModelClass *box = modelNamed(in.models, "Label 5");
        QVERIFY(box && modelNamed(in.models, "Label 9"));
        const MeshClass &mesh = *box->Meshes[0];
        QVERIFY(isClosed(mesh));
        const Enclosed e = enclosed(mesh);
        compareNear3(e.centre, written[name], 0.25, name);
        // 4 x 3 x 5 voxels of 0.7 x 0.9 x 2.5 mm, less the cut edges, less smoothing.
        const double volume = e.volume;
        QVERIFY2(volume > 0.7 * 94.5 && volume < 94.5, qPrintable(QString::number(volume)));
    }
    // Fractional or too many values are an image; read as labels they are
    // refused with the reason.
    const QStringList refusals[] = {{"fractions.nii", "value 0.5"},
                                    {"intensities.nii.gz", "1499 distinct labels"},
                                    {"four_d.nii", "3 volumes"}};
    for (const QStringList &refusal : refusals) {
        OpenOptions labels;
        labels.as = ReadAs::Labels;
        Imported in;
        in.result = importModels(dir.filePath(refusal[0]), in.models, labels);
        QVERIFY(!in.result.ok && in.models.empty() && !in.result.image);
        QVERIFY2(in.result.message.contains(refusal[1]), qPrintable(in.result.message));
    }
    for (const char *name : {"fractions.nii", "intensities.nii.gz"}) {
        const Imported in = import(dir.filePath(name));
        QVERIFY2(in.result.ok && in.models.empty() && in.result.image, name);
    }
}

// A glTF file of two meshes, the second placed by its node: a model per node,
// named after its mesh when the node has no name (and coloured by the
// anatomy table then, as it has no material), where the nodes put it, its
// metres in glTF's frame in our millimetres; the same as GLB.
void TestImportFiles::gltfMeshesAreBlocks()
{
    QByteArray buffer;
    for (float v : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f})
        buffer.append(reinterpret_cast<const char *>(&v), 4);
    for (quint16 i : {0, 1, 2})
        buffer.append(reinterpret_cast<const char *>(&i), 2);
    buffer.append(2, 0);
    const QByteArray scene = R"({"asset": {"version": "2.0"}, "scene": 0,
        "scenes": [{"nodes": [0, 1]}],
        "nodes": [{"mesh": 0}, {"mesh": 1, "translation": [10, 0, 0]}],
        "meshes": [{"name": "kidney", "primitives": [{"attributes": {"POSITION": 0}, "indices": 1}]},
                   {"name": "stone", "primitives": [{"attributes": {"POSITION": 0}, "indices": 1}]}],
        "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 36},
                        {"buffer": 0, "byteOffset": 36, "byteLength": 6}],
        "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                       "min": [0, 0, 0], "max": [1, 1, 0]},
                      {"bufferView": 1, "componentType": 5123, "count": 3, "type": "SCALAR"}],)";
    QVERIFY(writeBytes(
        dir.filePath("two_meshes.gltf"),
        scene + R"("buffers": [{"byteLength": 44, "uri": "data:application/octet-stream;base64,)"
            + buffer.toBase64() + "\"}]}"));
    QVERIFY(writeBytes(dir.filePath("two_meshes.glb"),
                       glb(scene + R"("buffers": [{"byteLength": 44}]})", buffer)));
    for (const char *name : {"two_meshes.gltf", "two_meshes.glb"}) {
        const Imported in = import(dir.filePath(name));
        QVERIFY2(in.result.ok, qPrintable(name + (": " + in.result.message)));
        QCOMPARE(in.models.size(), size_t(2));
        const ModelClass &kidney = *in.models[0], &stone = *in.models[1];
        QCOMPARE(kidney.Meshes[0]->Name, QString("kidney"));
        QCOMPARE(stone.Meshes.size(), 1);
        QCOMPARE(stone.Meshes[0]->Name, QString("stone"));
        QVERIFY(kidney.ModelColor[0] >= 0 && stone.ModelColor[0] >= 0);
        QCOMPARE(stone.Meshes[0]->CountOfCells[Triangle], 1);
        // glTF's X is the patient's left, its Y up: (11, 0, 0) m is 11000 mm
        // to the patient's left, (0, 1, 0) m 1000 mm towards the head.
        QCOMPARE(stone.Meshes[0]->Vertices[3], -11000.0);
        QCOMPARE(stone.Meshes[0]->Vertices[8], 1000.0);
    }
}

// A binary STL whose header begins with "solid", as some writers make it,
// is read by its size: its corners joined (0 and -0 one place), the
// triangles in file order, the model named from the file name.
void TestImportFiles::binaryStlCornersJoined()
{
    const float z = -0.0f;
    const QList<std::array<float, 9>> tetra {{0, 0, 0, 0, 2, 0, 1, 0, 0},
                                             {z, z, z, 1, 0, 0, 0, 0, 3},
                                             {0, 0, 0, 0, 0, 3, 0, 2, 0},
                                             {1, 0, 0, 0, 2, 0, 0, 0, 3}};
    const QString path = dir.filePath("skin_patch.stl");
    QVERIFY(writeBytes(path, binaryStl(tetra, "solid exported as binary")));
    const Imported in = import(path);
    QVERIFY2(in.result.ok, qPrintable(in.result.message));
    QCOMPARE(in.models.size(), size_t(1));
    QCOMPARE(in.models[0]->Meshes.size(), 1);
    const MeshClass &mesh = *in.models[0]->Meshes[0];
    QCOMPARE(mesh.CountOfVertices, 4);
    QCOMPARE(mesh.CountOfCells[Triangle], 4);
    QCOMPARE((QList<qint32>(mesh.Cells[Triangle], mesh.Cells[Triangle] + 12)),
             (QList<qint32> {0, 1, 2, 0, 2, 3, 0, 3, 1, 2, 1, 3}));
    QCOMPARE(mesh.Vertices[3 * 3 + 2], 3.0);
    QVERIFY(isClosed(mesh));
    QCOMPARE(enclosed(mesh).volume, 1.0); // 1 * 2 * 3 / 6
    QCOMPARE(in.models[0]->Name, QString("skin_patch"));
}

void TestImportFiles::meshFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("vertices");
    QTest::addColumn<QList<int>>("cells"); // per slot 3, 4, tetrahedron
    const QList<int> octahedron {8, 0, 0};
    for (const char *name :
         {"octahedron.stl", "octahedron_binary.stl", "octahedron.obj", "octahedron.ply",
          "octahedron_binary.ply", "octahedron.off", "octahedron.3mf"})
        QTest::newRow(name) << name << 6 << octahedron;
    QTest::newRow("mixed.vtk") << "mixed.vtk" << 7 << QList<int> {2, 1, 1};
    QTest::newRow("mixed_binary.vtk") << "mixed_binary.vtk" << 7 << QList<int> {2, 1, 1};
}

// meshio's files of known meshes: every format gives the mesh's vertices
// (an STL's repeated corners joined) and cells; VTK's data become functions.
void TestImportFiles::meshFiles()
{
    if (!haveOracles)
        QSKIP("no meshio");
    QFETCH(QString, file);
    QFETCH(int, vertices);
    QFETCH(QList<int>, cells);
    const Imported in = import(dir.filePath(file));
    QVERIFY2(in.result.ok, qPrintable(in.result.message));
    QCOMPARE(in.models.size(), size_t(1));
    const ModelClass &model = *in.models[0];
    QCOMPARE(model.Meshes.size(), 1);
    const MeshClass &mesh = *model.Meshes[0];
    QCOMPARE(mesh.CountOfVertices, vertices);
    QCOMPARE((QList<int> {mesh.CountOfCells[Triangle], mesh.CountOfCells[Quadrangle],
                          mesh.CountOfCells[Tetrahedron]}),
             cells);
    std::set<std::array<double, 3>> points;
    for (int v = 0; v < mesh.CountOfVertices; ++v)
        points.insert({mesh.Vertices[3 * v], mesh.Vertices[3 * v + 1], mesh.Vertices[3 * v + 2]});
    QCOMPARE(int(points.size()), vertices);
    if (vertices == 6) {
        QVERIFY(points.count({0, -2, 0}) && points.count({0, 0, 3}) && points.count({-1, 0, 0}));
        QVERIFY(isClosed(mesh));
        QVERIFY(std::fabs(enclosed(mesh).volume - 8.0) < 1e-9); // 4/3 * 1 * 2 * 3
        QVERIFY(model.Name.startsWith("octahedron"));
        return;
    }
    QCOMPARE(model.FunctionNames, QStringList {"temperature"});
    QCOMPARE(mesh.Functions[0][6], 9.0);
    QCOMPARE(model.CellFunctionNames, QStringList {"pressure"});
    QCOMPARE(mesh.CellFuncs[Tetrahedron][0], 20.0);
    QCOMPARE(mesh.CellFuncs[Triangle][1], 40.0);
}

// Names and colours from each source: .seg.nrrd segments, a label table
// beside the map, the name of a file that holds one structure, else
// "Label N"; and a folder of masks opens as one scene. A structure the
// anatomy table knows takes its colour over the file's; others keep theirs.
void TestImportFiles::namesAndColours()
{
    const QString seg = dir.filePath("case.seg.nrrd");
    QVERIFY(writeBytes(seg,
                       nrrd("encoding: gzip\nspace: left-posterior-superior\n"
                            "space directions: (1,0,0) (0,1,0) (0,0,2)\nspace origin: (0,0,0)\n"
                            "Segment0_Name:=Left kidney\nSegment0_Color:=0.5 0.25 1\n"
                            "Segment0_LabelValue:=3\nSegment0_Layer:=0\n"
                            "Segment1_Name:=Marker\nSegment1_Color:=0.5 0.25 1\n"
                            "Segment1_LabelValue:=4\n",
                            deflated(twoBoxes(3, 4), DeflateWrapper::Gzip))));
    const Imported segments = import(seg);
    QVERIFY2(segments.result.ok, qPrintable(segments.result.message));
    const ModelClass *kidney = modelNamed(segments.models, "Left kidney");
    const ModelClass *marker = modelNamed(segments.models, "Marker");
    QVERIFY(kidney && marker);
    QCOMPARE(colourOf(*kidney), anatomy::rowOf(anatomy::Structure::Kidney)->colour);
    QCOMPARE(colourOf(*marker), (anatomy::Rgb {128, 64, 255}));
    // Left-posterior-superior: x and y turn round into the view's axes.
    const std::array<double, 3> at = enclosed(*kidney->Meshes[0]).centre;
    QVERIFY2(at[0] < -1 && at[1] < -1 && at[2] > 1, said(at[0], at[1], at[2]).constData());

    const QString tabled = dir.filePath("tabled.nrrd");
    QVERIFY(writeBytes(tabled, nrrd("encoding: raw", twoBoxes(1, 2))));
    QVERIFY(
        writeBytes(dir.filePath("tabled.txt"),
                   "# value name r g b\n1 \"renal vein\"\n2 Tumour of the kidney 10 20 30 255\n"));
    const Imported table = import(tabled);
    const ModelClass *vein = modelNamed(table.models, "renal vein");
    const ModelClass *tumour = modelNamed(table.models, "Tumour of the kidney");
    QVERIFY(vein && tumour);
    QCOMPARE(vein->ModelColor[2], 237); // the colour of veins: the name is a structure's
    QCOMPARE(colourOf(*tumour), anatomy::rowOf(anatomy::Structure::Tumour)->colour);

    QDir(dir.path()).mkdir("masks");
    const QString masks = dir.filePath("masks");
    QVERIFY(writeBytes(masks + "/kidney_right.nrrd", nrrd("encoding: raw", twoBoxes(1, 0))));
    QVERIFY(writeBytes(masks + "/urinary_bladder.nrrd", nrrd("encoding: raw", twoBoxes(0, 1))));
    QVERIFY(writeBytes(masks + "/empty_mask.nrrd", nrrd("encoding: raw", twoBoxes(0, 0))));
    QVERIFY(writeBytes(masks + "/two.nrrd", nrrd("encoding: raw", twoBoxes(6, 7))));
    const Imported scene = import(masks);
    QVERIFY2(scene.result.ok, qPrintable(scene.result.message));
    QCOMPARE(scene.models.size(), size_t(4));
    const ModelClass *right = modelNamed(scene.models, "kidney_right");
    QVERIFY(right && modelNamed(scene.models, "urinary_bladder"));
    QCOMPARE(right->ModelColor[0], 255);
    QVERIFY(modelNamed(scene.models, "Label 6") && modelNamed(scene.models, "Label 7"));

    // Segments overlap in layers: each keeps the name given for its layer.
    QByteArray interleaved;
    const QByteArray first = twoBoxes(1, 0), second = twoBoxes(0, 1);
    for (qsizetype v = 0; v < first.size(); ++v)
        interleaved += first.mid(v, 1) + second.mid(v, 1);
    const QString layers = dir.filePath("layers.seg.nrrd");
    QVERIFY(writeBytes(layers,
                       "NRRD0004\ntype: uint8\ndimension: 4\nsizes: 2 10 8 6\nencoding: raw\n"
                       "space directions: none (1,0,0) (0,1,0) (0,0,1)\n"
                       "Segment0_Name:=Upper\nSegment0_LabelValue:=1\nSegment0_Layer:=0\n"
                       "Segment1_Name:=Lower\nSegment1_LabelValue:=1\nSegment1_Layer:=1\n\n"
                           + interleaved));
    const Imported layered = import(layers);
    QVERIFY(modelNamed(layered.models, "Upper") && modelNamed(layered.models, "Lower"));
}

// One structure from every kind of file: a kidney named as each file names
// it keeps that name, and is the kidney (its side, its colour, its shown
// name) wherever it comes from; not the vein the older .surf naming makes of
// "kidney". A tumour called "Tumor" stays so and is shown as a tumour.
void TestImportFiles::oneStructureFromEveryFormat()
{
    const QString folder = dir.filePath("one_structure");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray tetraText = "v 0 0 0\nv 0 2 0\nv 1 0 0\nv 0 0 3\n";
    QVERIFY(writeBytes(folder + "/kidney_left.stl",
                       binaryStl({{0, 0, 0, 0, 2, 0, 1, 0, 0},
                                  {0, 0, 0, 1, 0, 0, 0, 0, 3},
                                  {0, 0, 0, 0, 0, 3, 0, 2, 0},
                                  {1, 0, 0, 0, 2, 0, 0, 0, 3}},
                                 "kidney")));
    QVERIFY(writeBytes(folder + "/Parenhima_l.obj",
                       tetraText + "f 1 2 3\nf 1 3 4\nf 1 4 2\nf 2 4 3\n"));
    QVERIFY(writeBytes(folder + "/Left_Kidney.off",
                       "OFF\n4 4 0\n0 0 0\n0 2 0\n1 0 0\n0 0 3\n"
                       "3 0 1 2\n3 0 2 3\n3 0 3 1\n3 1 3 2\n"));
    QVERIFY(writeBytes(folder + "/scan.nrrd", nrrd("encoding: raw", twoBoxes(1, 2))));
    QVERIFY(writeBytes(folder + "/scan.txt", "1 kidney_left 0 0 255\n2 renal_pelvis\n"));
    QVERIFY(writeBytes(folder + "/Parenhima_left.nrrd", nrrd("encoding: raw", twoBoxes(1, 0))));
    QVERIFY(writeBytes(folder + "/case.seg.nrrd",
                       nrrd("encoding: raw\nSegment0_Name:=Kidney_L\nSegment0_Color:=0 0 1\n"
                            "Segment0_LabelValue:=1\nSegment1_Name:=Tumor\n"
                            "Segment1_LabelValue:=2\n",
                            twoBoxes(1, 2))));
    const anatomy::Rgb pink = anatomy::rowOf(anatomy::Structure::Kidney)->colour;
    for (const auto &[file, name] :
         {std::pair {"kidney_left.stl", "kidney_left"},
          std::pair {"Parenhima_l.obj", "Parenhima_l"},
          std::pair {"Left_Kidney.off", "Left_Kidney"}, std::pair {"scan.nrrd", "kidney_left"},
          std::pair {"Parenhima_left.nrrd", "Parenhima_left"},
          std::pair {"case.seg.nrrd", "Kidney_L"}}) {
        const Imported in = import(folder + "/" + file);
        QVERIFY2(in.result.ok, qPrintable(in.result.message));
        const ModelClass *kidney = modelNamed(in.models, name);
        QVERIFY2(kidney, file);
        const measure::ModelSnapshot shot = measure::snapshotModel(*kidney);
        QVERIFY2(shot.anatomy == anatomy::Structure::Kidney && shot.side == anatomy::Side::Left,
                 file);
        QVERIFY2(colourOf(*kidney) == pink, file);
        QCOMPARE(measure::shownNameOf(*kidney), QString("Kidney (%1)").arg(name));
    }
    const Imported segments = import(folder + "/case.seg.nrrd");
    const ModelClass *tumour = modelNamed(segments.models, "Tumor");
    QVERIFY(tumour);
    QCOMPARE(measure::shownNameOf(*tumour), QString("Tumour (Tumor)"));
    QCOMPARE(colourOf(*tumour), anatomy::rowOf(anatomy::Structure::Tumour)->colour);

    // A session written when the kidney was named by the anatomy table
    // ("Parenhima_left") still finds it among the segments.
    QVERIFY(writeBytes(folder + "/older.tsn",
                       R"({"tessaron_session": 1, "models": [{"file": "scan.nrrd", )"
                       R"("name": "Parenhima_left", "color": [1, 2, 3]}]})"));
    const OpenedFile older = openPath(folder + "/older.tsn");
    QCOMPARE(older.models.size(), size_t(1));
    QCOMPARE(older.models[0]->Name, QString("Parenhima_left"));
    QCOMPARE(older.models[0]->ModelColor[2], 3);
    QVERIFY(older.problems.isEmpty());
}

void TestImportFiles::anatomyFromTheLabelsName_data()
{
    QTest::addColumn<QString>("source"); // "table", "segments" or "mask"
    QTest::addColumn<QString>("name");
    QTest::addColumn<measure::Anatomy>("anatomy");
    using measure::Anatomy;
    for (const QString source : {"table", "segments"}) {
        for (const auto &[name, anatomy] :
             {std::pair {"renal_pelvis", Anatomy::CollectingSystem},
              std::pair {"kidney_stones", Anatomy::Stones},
              std::pair {"renal_artery", Anatomy::Artery},
              std::pair {"kidney_tumor", Anatomy::Tumour}, std::pair {"renal vein", Anatomy::Vein}})
            QTest::addRow("%s %s", qPrintable(source), name) << source << name << anatomy;
    }
    // A structure no word of the measured roles names: its own name decides,
    // not the kidney the file's name speaks of.
    for (const auto &[name, anatomy] :
         {std::pair {"kidney_cyst_1", Anatomy::Cyst}, std::pair {"Kista_2", Anatomy::Cyst},
          std::pair {"liver", Anatomy::Liver}})
        QTest::addRow("table %s", name) << "table" << name << anatomy;
    // A label without a name of its own: the file's name decides.
    QTest::newRow("table without the label") << "table"
                                             << "" << Anatomy::Kidney;
    QTest::newRow("mask") << "mask"
                          << "renal_pelvis" << Anatomy::CollectingSystem;
}

// A label's structure is read from its own name, whatever names it, not from
// the name of the file that holds it ("kidney_scan...").
void TestImportFiles::anatomyFromTheLabelsName()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QFETCH(measure::Anatomy, anatomy);
    const QString folder = dir.filePath(QString("anatomy_%1").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + "/kidney_scan.nrrd";
    QByteArray fields = "encoding: raw";
    if (source == "table") {
        QVERIFY(
            writeBytes(folder + "/kidney_scan.txt", name.isEmpty() ? "" : "1 " + name.toUtf8()));
    } else if (source == "segments") {
        path = folder + "/kidney_scan.seg.nrrd";
        fields += "\nSegment0_Name:=" + name.toUtf8() + "\nSegment0_LabelValue:=1\n";
    } else {
        path = folder + "/" + name + ".nrrd";
    }
    QVERIFY(writeBytes(path, nrrd(fields, twoBoxes(1, 0))));
    const Imported imported = import(path);
    QVERIFY2(imported.result.ok, qPrintable(imported.result.message));
    QCOMPARE(imported.models.size(), size_t(1));
    QCOMPARE(measure::snapshotModel(*imported.models[0]).anatomy, anatomy);
}

// A hand-written NRRD map placed by its header: left-anterior-superior space
// (x turns round), directions that swap and stretch the axes, an origin, and
// big-endian samples; and a NIfTI map with voxel spacing only and a scaling
// of its values.
void TestImportFiles::placedByTheirHeaders()
{
    QByteArray big; // twoBoxes(3, 0) as big-endian shorts
    for (char v : twoBoxes(3, 0))
        big += QByteArray(1, 0) + v;
    const QString nrrdPath = dir.filePath("placed.nrrd");
    QVERIFY(writeBytes(nrrdPath,
                       "NRRD0004\ntype: short\ndimension: 3\nsizes: 10 8 6\nencoding: raw\n"
                       "endian: big\nspace: left-anterior-superior\n"
                       "space directions: (0,1,0) (-2,0,0) (0,0,1)\nspace origin: (10,20,30)\n\n"
                           + big));
    QByteArray spaced = niftiBytes({10, 8, 6}, 2, twoBoxes(1, 0));
    const float spacing[3] = {0.5f, 2.0f, 3.0f}, slope = 2.0f;
    std::memcpy(spaced.data() + 80, spacing, sizeof spacing);
    std::memcpy(spaced.data() + 112, &slope, sizeof slope);
    const QString niftiPath = dir.filePath("spaced.nii");
    QVERIFY(writeBytes(niftiPath, spaced));
    // The box's centre in voxels is (2.5, 3.5, 2.5).
    const struct
    {
        QString path, name;
        std::array<double, 3> centre;
    } cases[] = {{nrrdPath, "Label 3", {2 * 3.5 - 10, 2.5 + 20, 2.5 + 30}},
                 {niftiPath, "Label 2", {0.5 * 2.5, 2 * 3.5, 3 * 2.5}}};
    for (const auto &c : cases) {
        const Imported in = import(c.path);
        QVERIFY2(in.result.ok, qPrintable(in.result.message));
        const ModelClass *box = modelNamed(in.models, c.name);
        QVERIFY2(box, qPrintable(in.models.empty() ? QString() : in.models[0]->Name));
        const Enclosed inside = enclosed(*box->Meshes[0]);
        compareNear3(inside.centre, c.centre, 0.2, c.name);
        QVERIFY(isClosed(*box->Meshes[0]) && inside.volume > 0);
    }
}

void TestImportFiles::badFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *tag, const char *name, const QByteArray &bytes,
                        const char *message) {
        QTest::newRow(tag) << QString(name) << bytes << QString(message);
    };
    const QByteArray boxes = twoBoxes(1, 2);
    row("dimensions beyond the data", "big.nrrd", nrrd("encoding: raw", boxes.left(200)),
        "more than the file holds");
    row("dimensions beyond what gzip can hold", "huge.nrrd",
        QByteArray("NRRD0004\ntype: uint8\ndimension: 3\nsizes: 4000 4000 4000\n"
                   "encoding: gzip\n\n")
            + deflated(boxes, DeflateWrapper::Gzip),
        "more than the file holds");
    row("negative dimension", "negative.nrrd",
        QByteArray("NRRD0004\ntype: uint8\ndimension: 3\nsizes: 10 -8 6\nencoding: raw\n\n")
            + boxes,
        "must be positive");
    row("zero spacing", "zero.nrrd", nrrd("encoding: raw\nspacings: 1 0 1", boxes),
        "spacing is zero");
    row("spacing not a number", "nan.nrrd", nrrd("encoding: raw\nspacings: 1 nan 1", boxes),
        "spacing is zero");
    QByteArray lying = deflated(boxes, DeflateWrapper::Gzip);
    lying[lying.size() - 4] = char(lying[lying.size() - 4] + 1); // the length at its end
    row("gzip lying about its length", "lying.nrrd", nrrd("encoding: gzip", lying), "damaged");
    row("gzip cut short", "short.nrrd",
        nrrd("encoding: gzip",
             deflated(boxes, DeflateWrapper::Gzip)
                 .first(deflated(boxes, DeflateWrapper::Gzip).size() / 2)),
        "ends");
    QByteArray stl(84 + 50 * 3, 0);
    qToLittleEndian(quint32(4), stl.data() + 80);
    row("STL count against its size", "count.stl", stl,
        "says it holds 4 triangles (284 bytes), but it has 234");
    QByteArray longer(84 + 50 * 3 + 10, 0);
    qToLittleEndian(quint32(3), longer.data() + 80);
    row("STL longer than its count", "longer.stl", longer, "(234 bytes), but it has 244");
    row("STL without triangles", "empty.stl", binaryStl({}, "empty"), "holds no surface");
    row("STL corner not a number", "nan.stl",
        binaryStl({{0, 0, 0, 1, 0, 0, 0, std::nanf(""), 0}}, "nan"), "not a finite number");
    row("NIfTI dimensions beyond the data", "big.nii", niftiBytes({4000, 4000, 4000}, 2, boxes),
        "more than the file holds");
    row("NIfTI zero dimension", "zero.nii", niftiBytes({10, 0, 6}, 2, boxes),
        "must be positive; one is 0");
    row("NIfTI data a byte short", "whole.nii", niftiBytes({10, 8, 6}, 2, boxes.left(479)),
        "more than the file holds");
    row("not a NIfTI file", "text.nii", QByteArray("just some text that is no header\n"), "NIfTI");
}

void TestImportFiles::badFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = dir.filePath("bad-" + name);
    QVERIFY(writeBytes(path, bytes));
    const Imported in = import(path);
    QVERIFY(!in.result.ok && !in.result.canceled);
    QVERIFY(in.models.empty());
    QVERIFY2(in.result.message.contains(message), qPrintable(in.result.message));
}

// The import follows its steps, one per label with its name; stopped at any
// of them it gives no model.
void TestImportFiles::cancelLeavesNothing()
{
    const QString path = dir.filePath("steps.seg.nrrd");
    QVERIFY(writeBytes(path,
                       nrrd("encoding: raw\nSegment0_Name:=Kamni\nSegment0_LabelValue:=1\n"
                            "Segment1_Name:=Lokhanki\nSegment1_LabelValue:=2",
                            twoBoxes(1, 2))));
    QStringList texts;
    int calls = 0;
    const Imported all = import(path, [&](int value, int maximum, const QString &text) {
        if (texts.isEmpty() || texts.last() != text)
            texts << text;
        ++calls;
        return value >= 0 && value <= maximum;
    });
    QVERIFY(all.result.ok);
    QCOMPARE(all.models.size(), size_t(2));
    QVERIFY2(texts.filter("Kamni").size() == 1 && texts.filter("Lokhanki").size() == 1,
             qPrintable(texts.join(" | ")));
    for (int stop = 0; stop < calls; ++stop) {
        int call = 0;
        const Imported cut = import(path, [&](int, int, const QString &) { return call++ < stop; });
        QVERIFY(cut.result.canceled && !cut.result.ok);
        QVERIFY(cut.models.empty());
    }
}

QTEST_GUILESS_MAIN(TestImportFiles)
#include "test_import_files.moc"
