// The door files come in by: a file's kind from its ending and its bytes,
// our own kinds apart from imported ones, a file whose bytes contradict its
// ending, the message that lists what is read, the writer an output name or
// a save filter chooses, and what the door hands back for a scene and a
// folder.

#include "ContainerBytes.h"
#include "WholeFiles.h"
#include "formats/SessionFile.h"
#include "formats/SurfBytes.h"
#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FileKind)

namespace {

// A NIfTI-1 header's first bytes: its mark sits at byte 344.
QByteArray niftiHead()
{
    QByteArray head(348, '\0');
    head.replace(344, 4, QByteArray("n+1\0", 4));
    return head;
}

// One triangle as a .surf file.
QByteArray triangleSurf()
{
    return vertices(3) + triangles({1, 2, 3});
}

// A 4x4x4 label map with one label in its middle 2x2x2 voxels.
QByteArray nrrdLabelMap()
{
    QByteArray bytes = "NRRD0004\ntype: uchar\ndimension: 3\nsizes: 4 4 4\nencoding: text\n\n";
    for (int v = 0; v < 64; ++v)
        bytes += v % 4 % 3 && v / 4 % 4 % 3 && v / 16 % 3 ? "1 " : "0 ";
    return bytes;
}

} // namespace

class TestFileKinds : public QObject
{
    Q_OBJECT

private slots:
    void recognition_data();
    void recognition();
    void contradictingBytesAreRefused();
    void unknownKindsNameWhatIsRead();
    void writers_data();
    void writers();
    void pictures();
    void doorHandsBackModelsAndProblems();
    void oneInputIsRecognisedOnce();

private:
    QTemporaryDir dir;
};

void TestFileKinds::recognition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<FileKind>("content"); // the kind the bytes show instead, if any
    QTest::addColumn<bool>("native");

    const FileKind none = FileKind::Unknown;
    QTest::newRow("surf, any case")
        << "a.SURF" << triangleSurf() << FileKind::Surface << none << true;
    QTest::newRow("scene") << "s.Hx" << QByteArray("load a.surf\n") << FileKind::Scene << none
                           << true;
    QTest::newRow("session, opened not imported")
        << "plan.TSN" << QByteArray(R"({"tessaron_session": 1, "models": []})") << FileKind::Session
        << none << false;
    QTest::newRow("hx without its dot") << "m.xhx" << QByteArray("x") << none << none << false;
    QTest::newRow("binary stl") << "m.stl" << QByteArray(84, '\0') << FileKind::Stl << none
                                << false;
    QTest::newRow("ply") << "m.ply" << QByteArray("ply\nformat ascii 1.0\n") << FileKind::Ply
                         << none << false;
    QTest::newRow("segmentation nrrd")
        << "l.seg.nrrd" << QByteArray("NRRD0004\n") << FileKind::Nrrd << none << false;
    QTest::newRow("nifti") << "l.nii" << niftiHead() << FileKind::Nifti << none << false;
    QTest::newRow("gzip hides the mark")
        << "l.nii.gz" << QByteArray("\x1f\x8b\x08\0", 4) << FileKind::Nifti << none << false;
    QTest::newRow("vtk after blank lines")
        << "m.vtk" << QByteArray("\n  # vtk DataFile Version 3\n") << FileKind::LegacyVtk << none
        << false;
    QTest::newRow("ply holding nrrd")
        << "m.ply" << QByteArray("NRRD0004\n") << FileKind::Ply << FileKind::Nrrd << false;
    QTest::newRow("glb holding vtk") << "m.glb" << QByteArray("\n # vtk DataFile Version 3\n")
                                     << FileKind::Glb << FileKind::LegacyVtk << false;
    QTest::newRow("nrrd holding nifti")
        << "l.nrrd" << niftiHead() << FileKind::Nrrd << FileKind::Nifti << false;
    QTest::newRow("damaged ply, no other mark")
        << "m.ply" << QByteArray("plx\n") << FileKind::Ply << none << false;
    QTest::newRow("off has no mark to contradict")
        << "m.off" << QByteArray("ply\n") << FileKind::Off << none << false;
    QTest::newRow("written only") << "m.mesh" << QByteArray("x") << none << none << false;
    QTest::newRow("ending inside the name")
        << "m.surf.txt" << triangleSurf() << none << none << false;
}

void TestFileKinds::recognition()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(FileKind, kind);
    QFETCH(FileKind, content);
    QFETCH(bool, native);
    const QString path = dir.filePath(name);
    QVERIFY(writeBytes(path, bytes));
    const Recognition seen = recognise(path);
    QCOMPARE(seen.kind, kind);
    QCOMPARE(seen.content, content);
    QCOMPARE(isNativeName(path), native);
    // The load gate admits exactly our own kinds, without opening the file.
    ModelClass model;
    QCOMPARE(model.loadFile(path) == 3, !native);
    QCOMPARE(isImportable(path), kind != FileKind::Unknown && kind != FileKind::Session && !native);
}

void TestFileKinds::contradictingBytesAreRefused()
{
    const QString path = dir.filePath("kidney.ply");
    QVERIFY(writeBytes(path, "NRRD0004\ntype: uchar\ndimension: 3\n"));
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(path, models);
    QVERIFY(!result.ok);
    QVERIFY(models.empty());
    QVERIFY2(result.message.contains("NRRD") && result.message.contains("PLY"),
             qPrintable(result.message));
}

void TestFileKinds::unknownKindsNameWhatIsRead()
{
    // Our own kinds and sessions are read, but opened through the door, not imported.
    QVERIFY(readEndings().startsWith(".surf, .hx, ") && readEndings().contains(".tsn"));
    QVERIFY(importPatterns().contains("*.seg.nrrd") && !importPatterns().contains("*.mesh"));
    for (const char *own : {"*.surf", "*.hx", "*.tsn"})
        QVERIFY2(!importPatterns().contains(own), own);

    const QString path = dir.filePath("notes.xyz");
    QVERIFY(writeBytes(path, "ply\n"));
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(path, models);
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(importEndings()), qPrintable(result.message));
    // Our own kinds are opened, not imported.
    const QString surface = dir.filePath("own.surf");
    QVERIFY(writeBytes(surface, triangleSurf()));
    QVERIFY(!importModels(surface, models).ok);
    QVERIFY(models.empty());
    QCOMPARE(openPath(path).kind, FileKind::Unknown);
    QVERIFY(openPath(path).problems.isEmpty());
}

void TestFileKinds::writers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isFilter");  // a save filter's text rather than a file name
    QTest::addColumn<QString>("writer"); // the save word of the chosen writer; empty: none

    QTest::newRow("off, any case") << "out.OFF" << false << "OFF";
    QTest::newRow("last ending counts") << "a.b.stl" << false << "STL";
    QTest::newRow("starcd by its vertex file") << "cells.vrt" << false << "StarCD";
    QTest::newRow("read but not written") << "m.3mf" << false << "";
    QTest::newRow("gltf with its buffer") << "m.GLTF" << false << "glTF";
    QTest::newRow("filter of gltf") << "glTF(*.glb *.gltf)" << true << "glTF";
    QTest::newRow("no ending") << "mesh" << false << "";
    QTest::newRow("first word in order wins") << "MESH, STL or OFF" << true << "OFF";
    QTest::newRow("words ignore case") << "tecplot dat" << true << "DAT";
    QTest::newRow("filter without a word") << "Images (*.png)" << true << "";
}

void TestFileKinds::writers()
{
    QFETCH(QString, text);
    QFETCH(bool, isFilter);
    QFETCH(QString, writer);
    const FileKindRow *row = isFilter ? writerForFormat(text) : writerForName(text);
    QCOMPARE(row ? QString::fromLatin1(row->saveWord) : QString(), writer);
    if (!row)
        return;
    // The filter of the writer an ending chooses chooses it again, and so
    // does the name the writer gives its file.
    QVERIFY(writerForFormat(QString::fromLatin1(row->saveFilter))->writer == row->writer);
    QCOMPARE(writerForName(QStringLiteral("x") + kindEnding(row->kind)), row);
}

void TestFileKinds::pictures()
{
    QCOMPARE(pictureKindOf("a.png"), PictureKind::Png);
    QCOMPARE(pictureKindOf("a.PNG"), PictureKind::None);
    QCOMPARE(pictureKindOf("a.PDF", Qt::CaseInsensitive), PictureKind::Pdf);
    QCOMPARE(pictureKindOf("a.jpeg"), PictureKind::Jpeg);
    QVERIFY(isRasterPicture(pictureKindOf("a.bmp")));
    QVERIFY(!isRasterPicture(pictureKindOf("a.svg")));
    QCOMPARE(pictureKindOf("a.png.txt"), PictureKind::None);

    // A kind's usual ending is the first of its list; the case sheet's
    // ending is taken in any case.
    QCOMPARE(kindEnding(FileKind::Nifti), QLatin1String(".nii"));
    QCOMPARE(pictureEnding(PictureKind::Jpeg), QLatin1String(".jpg"));
    QVERIFY(isCaseSheetName("Sheet.PDF"));
    QVERIFY(!isCaseSheetName("sheet.pdf.png"));
}

void TestFileKinds::doorHandsBackModelsAndProblems()
{
    QDir folder(dir.path());
    QVERIFY(folder.mkpath("scene"));
    QVERIFY(writeBytes(dir.filePath("scene/one.surf"), triangleSurf()));
    QVERIFY(writeBytes(dir.filePath("scene/three.surf"), triangleSurf()));
    QVERIFY(writeBytes(dir.filePath("scene/s.hx"),
                       "[ load ${SCRIPTDIR}/one.surf ] setLabel {one}\n"
                       "[ load ${SCRIPTDIR}/missing.surf ] setLabel {missing}\n"
                       "[ load ${SCRIPTDIR}/three.surf ] setLabel {three}\n"));
    const OpenedFile scene = openPath(dir.filePath("scene/s.hx"));
    QCOMPARE(scene.kind, FileKind::Scene);
    QCOMPARE(scene.models.size(), size_t(1)); // stops at the first surface that fails
    QCOMPARE(scene.problems.size(), 1);
    QVERIFY(scene.problems.first().path.endsWith("/missing.surf"));
    QVERIFY(!scene.problems.first().warning);
    QVERIFY(scene.failed());

    const OpenedFile surface = openPath(dir.filePath("scene/one.surf"));
    QCOMPARE(surface.kind, FileKind::Surface);
    QCOMPARE(surface.models.size(), size_t(1));
    QVERIFY(!surface.failed());

    // A folder is a folder of masks only when it holds a label map.
    QCOMPARE(recognise(dir.filePath("scene")).kind, FileKind::Unknown);
    QVERIFY(writeBytes(dir.filePath("scene/kidney.nrrd"), "NRRD0004\n"));
    QCOMPARE(recognise(dir.filePath("scene")).kind, FileKind::MaskFolder);
    QVERIFY(isImportable(dir.filePath("scene")));
}

// The door recognises a path once and hands the recognition down: the
// readers and namers below it ask the registry nothing more. A session's
// door asks once for the session and once for each file it names.
void TestFileKinds::oneInputIsRecognisedOnce()
{
    const QString stl = dir.filePath("kidney_left.stl");
    const QString map = dir.filePath("kidney_right.nrrd");
    QVERIFY(writeBytes(stl, binaryStl({{0, 0, 0, 10, 0, 0, 0, 10, 0}})));
    QVERIFY(writeBytes(map, nrrdLabelMap()));
    for (const QString &path : {stl, map}) {
        resetRegistryVisits();
        const OpenedFile opened = openPath(path);
        QVERIFY2(!opened.failed() && opened.models.size() == 1, qPrintable(path));
        QCOMPARE(registryVisits(), 1);
    }
    // The stem the door took names the models: the mesh after its file, the
    // map's one label through the anatomy table (a right kidney).
    QCOMPARE(openPath(stl).models.front()->Name, QString("kidney_left"));
    QVERIFY(openPath(map).models.front()->Name.endsWith("_right"));

    Session session;
    for (const QString &path : {stl, map}) {
        SessionModel entry;
        entry.file = path;
        session.models << entry;
    }
    const QString plan = dir.filePath("plan.tsn");
    QCOMPARE(writeSession(plan, session), 0);
    resetRegistryVisits();
    const OpenedFile opened = openPath(plan);
    QVERIFY(!opened.failed());
    QCOMPARE(opened.models.size(), size_t(2));
    QCOMPARE(registryVisits(), 3);
}

QTEST_GUILESS_MAIN(TestFileKinds)
#include "test_file_kinds.moc"
