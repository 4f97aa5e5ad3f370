// The main window's files: open, refresh, close, the recent list, failed
// loads, saving, dropped, imported and start-up files, and their framing.

#include "AppTestBase.h"
#include "formats/FileKinds.h"
#include "import/NiftiWriter.h"
#include "import/PydicomCases.h"

namespace {

// How far the shown models reach in the view: the largest share of the
// orthographic box's half width or half height that a vertex reaches, on
// either side of the middle. A frame with a 5 % margin reaches 0.9.
double reach(const GLWidget &view)
{
    double out = 0;
    const double w = view.width(), h = view.height();
    const double half[2] = {h <= w ? w / h : 1.0, h <= w ? 1.0 : h / w};
    for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
        const ModelClass *model = view.ModelList.at(i);
        for (const MeshClass *mesh : model->Meshes)
            for (qint64 v = 0; model->Visible && v < mesh->CountOfVertices; ++v) {
                double eye[3];
                model->Transform->mapPoint(mesh->Vertices + 3 * v, eye);
                out = std::max({out, std::abs(eye[0]) / half[0], std::abs(eye[1]) / half[1]});
            }
    }
    return out;
}

} // namespace

class TestAppFiles : public AppTestBase
{
    Q_OBJECT

private slots:
    void init()
    {
        setUpFolders();
        // A text STL of one long, thin triangle far from the other models.
        QVERIFY(writeBytes(data.filePath("needle.stl"),
                           "solid needle\nfacet normal 0 0 1\nouter loop\nvertex 30 0 0\n"
                           "vertex 31 0 0\nvertex 30 60 0\nendloop\nendfacet\nendsolid needle\n"));
    }
    void cleanup() { tearDownFolders(); }
    void openRefreshCloseAndRecentList();
    void failedLoadsAndSceneLists();
    void startUpOpensEachFileOnce();
    void savingSaysWhyItFailed();
    void droppedFilesAndFolders();
    void importFromMenuDropAndCancel();
    void dicomFolderChosenAsAFolder();
    void startUpOpensNamedFilesFramed();
    void fitAllAndImportIntoAScene();
    void sceneSavedAsGltfWithTheView();
    void startPositionKeepsTheSceneTogether();
};

void TestAppFiles::openRefreshCloseAndRecentList()
{
    ShownWindow window;
    const QString a = data.filePath("m0.surf"), b = data.filePath("m1.surf");
    dialogs.openNames = {a, b};
    resetRegistryVisits();
    window.openFile();
    QCOMPARE(window.view()->ModelList.count(), 3);
    QCOMPARE(registryVisits(), 4); // each file at the door and at the surface loader's gate
    QCOMPARE(window.lastFolder, data.path()); // the next dialog starts there
    QCOMPARE(window.lastFile, b);
    QCOMPARE(window.recentFiles, (QStringList {b, a}));
    QVERIFY(window.menu("menuRecentFiles")->isEnabled());

    dialogs.openNames = {a};
    window.openFile(); // again: a moves to the front without a duplicate
    QCOMPARE(window.recentFiles, (QStringList {a, b}));
    QCOMPARE(window.view()->ModelList.count(), 4);

    window.refreshFile(); // the current model is reloaded
    QCOMPARE(window.view()->ModelList.count(), 4);
    window.closeFile();
    QCOMPARE(window.view()->ModelList.count(), 3);
    window.lastFile.clear();
    window.refreshFile(); // nothing to refresh
    QCOMPARE(window.view()->ModelList.count(), 3);

    QFile::remove(b);
    window.updateRecentFileActions();
    QCOMPARE(window.recentFiles, (QStringList {a}));
    // The files, then a separator before "Clear list" while there are any.
    const QList<QAction *> entries = window.menu("menuRecentFiles")->actions();
    QCOMPARE(entries.last(), window.action("actionClearRecentFiles"));
    QAction *separator = entries.at(entries.size() - 2);
    QVERIFY(separator->isSeparator() && separator->isVisible());
    QCOMPARE(entries.at(entries.size() - 12)->text(), a);
    QVERIFY(entries.at(entries.size() - 12)->isVisible());
    QVERIFY(!entries.at(entries.size() - 11)->isVisible());
    window.clearRecentFileList();
    QVERIFY(!window.menu("menuRecentFiles")->isEnabled());
    QVERIFY(!separator->isVisible());
}

void TestAppFiles::failedLoadsAndSceneLists()
{
    {
        ShownWindow window;
        const QString good = data.filePath("good.surf");
        QVERIFY(writeTriangleSurf(good));
        dialogs.openNames = {good};
        window.openFile();
        // Files that do not load stay out of the history, whichever way they came.
        dialogs.openNames = {data.filePath("missing.surf")};
        window.openFile();
        window.openDroppedPath(data.filePath("model.off"));
        QCOMPARE(window.lastFile, good);
        QCOMPARE(window.recentFiles, QStringList {good});
        window.close();
        QCOMPARE(QSettings(Tessaron::settingsPath(), QSettings::IniFormat).value("Stats/LastFile"),
                 QVariant(good));
        // A file of the history that no longer loads leaves it.
        QVERIFY(QFile::remove(good) && QDir().mkdir(good)); // cannot be read as a file
        QCOMPARE(window.openModelFile(good), 0);
        QVERIFY(window.recentFiles.isEmpty() && window.lastFile.isEmpty());
        dialogs.shown.clear();
    }
    ShownWindow window;
    QCOMPARE(window.openModelFile(data.filePath("missing.surf")), 0);
    QCOMPARE(window.openModelFile(data.filePath("model.off")), 0);
    QCOMPARE(dialogs.shown,
             (QStringList {data.filePath("missing.surf") + ": Error opening file.",
                           data.filePath("model.off") + ": Error filetype."}));
    dialogs.shown.clear();

    QFile hx(data.filePath("scene.HX"));
    QVERIFY(writeScene(hx.fileName(), {"m0.surf", "gone.surf", "m2.surf"}));
    QCOMPARE(window.openModelFile(hx.fileName()), 0);
    QCOMPARE(window.view()->ModelList.count(), 3);
    QCOMPARE(dialogs.shown, (QStringList {data.path() + "/gone.surf: Error opening file."}));
    QCOMPARE(window.view()->ModelList.ActiveIndex, 1);
    // The tree shows the first model as the current one, and only it in bold.
    auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    const QTreeWidgetItem *first = objects->itemOf(window.view()->ModelList.at(1));
    QVERIFY(first->isSelected() && first->font(0).bold());
    QVERIFY(!objects->itemOf(window.view()->ModelList.at(2))->font(0).bold());
    QCOMPARE(window.lastFile, hx.fileName());
    QCOMPARE(window.recentFiles.first(), hx.fileName()); // the scene, not its surfaces
    QVERIFY(!window.recentFiles.contains(data.filePath("m2.surf")));
    // A scene chosen first in the dialog opens alone; the files after it do not.
    dialogs.openNames = {hx.fileName(), data.filePath("m0.surf")};
    dialogs.shown.clear();
    window.openFile();
    QCOMPARE(window.view()->ModelList.count(), 5);

    // At start-up the first scene of the working folder opens, or a message says there is none.
    QDir::setCurrent(home.path());
    dialogs.shown.clear();
    window.openHxInWorkingFolder();
    QCOMPARE(dialogs.shown, (QStringList {"There is no .hx files in this folder."}));
}

void TestAppFiles::startUpOpensEachFileOnce()
{
    QVERIFY(writeScene(data.filePath("scene.hx"), {"m0.surf", "m1.surf"}));
    QSettings(Tessaron::settingsPath(), QSettings::IniFormat)
        .setValue("Stats/LastFile", data.filePath("scene.hx"));
    QDir::setCurrent(data.path());
    // Reopened as the last file, the working folder's scene does not open a
    // second time; not reopened, it opens as usual.
    for (const auto answer : {Dialogs::Answer::Yes, Dialogs::Answer::No}) {
        dialogs.answer = answer;
        Tessaron window;
        window.show();
        window.readSettings(true);
        window.openHxInWorkingFolder();
        QCOMPARE(window.view()->ModelList.count(), 3);
    }
}

void TestAppFiles::savingSaysWhyItFailed()
{
    ShownWindow window;
    QCOMPARE(window.openModelFile(data.filePath("m0.surf")), 1);
    dialogs.saveName = data.filePath("saved");
    dialogs.shown.clear();
    window.saveAsOFF();
    QVERIFY(dialogs.shown.isEmpty() && QFile::exists(data.filePath("saved.off")));
    // Each command writes its own format: binary STL, the pair of StarCD files.
    window.saveAsBinarySTL();
    QVERIFY(!fileBytes(data.filePath("saved.stl")).startsWith("solid"));
    QCOMPARE(fileBytes(data.filePath("saved.stl")).size(), 80 + 4 + 50);
    window.saveAsStarCD();
    QVERIFY(QFile::exists(data.filePath("saved.vrt")) && QFile::exists(data.filePath("saved.cel")));
    // A block whose cells name a vertex it does not have is not written, and
    // the user is told so.
    window.view()->currentModel()->Meshes[0]->Cells[Triangle][2] = 3;
    window.saveAsPLY();
    QVERIFY(!QFile::exists(data.filePath("saved.ply")));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(dialogs.shown[0].startsWith("Error|" + data.filePath("saved") + ": "),
             qPrintable(dialogs.shown[0]));
    window.view()->currentModel()->Meshes[0]->Cells[Triangle][2] = 2;
    // Each command offers its format's filter.
    dialogs.saveName = data.filePath("each");
    const std::pair<void (Tessaron::*)(), const char *> filters[] = {
        {&Tessaron::saveAsMESH, "MESH(*.mesh)"},    {&Tessaron::saveAsOFF, "OFF(*.off)"},
        {&Tessaron::saveAsVTK, "VTK(*.vtk)"},       {&Tessaron::saveAsOBJ, "OBJ(*.obj)"},
        {&Tessaron::saveAsPLY, "PLY(*.ply)"},       {&Tessaron::saveAsDAT, "DAT(*.dat)"},
        {&Tessaron::saveAsStarCD, "StarCD(*.vrt)"}, {&Tessaron::saveAsBinarySTL, "STL(*.stl)"},
        {&Tessaron::saveAsTextSTL, "STL(*.stl)"}};
    for (const auto &[command, filter] : filters) {
        (window.*command)();
        QCOMPARE(dialogs.saveFilter, QLatin1String(filter));
    }
}

void TestAppFiles::droppedFilesAndFolders()
{
    ShownWindow window;
    QTemporaryDir dropped;
    QDir(dropped.path()).mkdir("sub");
    QVERIFY(writeTriangleSurf(dropped.filePath("sub/inner.surf")));
    for (const char *name : {"a.surf", "b.surf", "c.surf"})
        QVERIFY(writeTriangleSurf(dropped.filePath(name)));
    window.openDroppedPath(data.filePath("m1.surf"));
    QCOMPARE(window.view()->ModelList.count(), 2);
    QCOMPARE(window.lastFolder, data.path());
    window.openDroppedPath(dropped.path()); // three files, the sub-folder skipped
    QCOMPARE(window.view()->ModelList.count(), 5);
    QCOMPARE(window.lastFile, dropped.filePath("c.surf"));
    QCOMPARE(window.lastFolder, dropped.path());
    // A folder of pictures: one box, naming the folder and what is read.
    QTemporaryDir pictures;
    for (int n = 0; n < 5; ++n)
        QVERIFY(writeBytes(pictures.filePath(QString("scan%1.jpg").arg(n)), "\xFF\xD8\xFF\xE0"));
    dialogs.shown.clear();
    window.openDroppedPath(pictures.path());
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(dialogs.shown[0].startsWith(pictures.path() + ": 5 files")
                 && dialogs.shown[0].contains("scan0.jpg") && dialogs.shown[0].contains(".nii.gz"),
             qPrintable(dialogs.shown[0]));
    dialogs.shown.clear();
}

namespace {

// A NRRD label map of n^3 voxels: a ball of label 1 and one of label 2.
bool writeLabelMap(const QString &path, int n)
{
    QByteArray bytes = "NRRD0004\ntype: uint8\ndimension: 3\nsizes: " + QByteArray::number(n) + ' '
        + QByteArray::number(n) + ' ' + QByteArray::number(n) + "\nencoding: raw\n\n";
    for (int k = 0; k < n; ++k)
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const double x = i - n / 3.0, y = j - n / 2.0, z = k - n / 2.0;
                bytes +=
                    char(x * x + y * y + z * z < n * n / 16.0                               ? 1
                             : (x - n / 3.0) * (x - n / 3.0) + y * y + z * z < n * n / 25.0 ? 2
                                                                                            : 0);
            }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace
// The Import dialog lists the importable endings; a label map opened or
// imported from it becomes named models placed as a
// scene; cancelled in its progress dialog it leaves no model.
void TestAppFiles::importFromMenuDropAndCancel()
{
    QVERIFY(Tessaron::importFilter().contains("*.nii.gz")
            && Tessaron::importFilter().contains("*.stl"));
    // Open offers everything it reads first (our own kinds, sessions, CT,
    // DICOM, label maps), files of any name last.
    const QStringList open = Tessaron::openFilter().split(";;");
    for (const char *pattern : {"*.surf", "*.hx", "*.tsn", "*.dcm", "*.nii.gz", "*.nrrd", "*.stl"})
        QVERIFY2(open.first().contains(pattern), qPrintable(open.first()));
    QVERIFY(open.last().endsWith("(*)"));
    ShownWindow window;
    const QString map = data.filePath("kidney_labels.nrrd");
    QVERIFY(writeLabelMap(map, 24));
    QFile table(data.filePath("kidney_labels.txt"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("1 kidney_left\n2 kidney_tumor\n");
    table.close();
    dialogs.openNames = QStringList {map};
    resetRegistryVisits();
    window.action("actionImport")->trigger();
    QCOMPARE(window.view()->ModelList.count(), 3);
    QCOMPARE(registryVisits(), 1); // the door's look; the readers take what it saw
    QCOMPARE(window.view()->ModelList.at(1)->Name, QString("kidney_left"));
    QCOMPARE(window.view()->ModelList.at(2)->ModelColor[0], 164); // a tumour's colour
    // The view keeps the colours the import gave.
    QCOMPARE(window.view()->ModelList.at(2)->Meshes[0]->FrontColor[0], 164 / 255.0f);

    dialogs.openNames = QStringList {map};
    resetRegistryVisits();
    window.openFile();
    QCOMPARE(window.view()->ModelList.count(), 5);
    QCOMPARE(registryVisits(), 1);
    QVERIFY(dialogs.shown.isEmpty());

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        if (auto *progress = window.findChild<QProgressDialog *>()) {
            sawDialog = progress->isVisible();
            progress->cancel();
        }
    });
    QCOMPARE(window.importModelFile(map), 0);
    QVERIFY(sawDialog);
    QCOMPARE(window.view()->ModelList.count(), 5);
    QVERIFY(dialogs.shown.isEmpty());

    QCOMPARE(window.importModelFile(data.filePath("m0.surf")), 0);
    QCOMPARE(dialogs.shown.size(), 1);

    // An image of intensities dropped on the view shows under the models,
    // which stay, with its planes through its middle and the Slices menu on.
    QVERIFY(!window.menu("menuSlices")->isEnabled());
    const QString image = data.filePath("scan.nrrd");
    QByteArray halves = "NRRD0004\ntype: float\ndimension: 3\nsizes: 2 2 4\nencoding: text\n\n";
    for (int v = 0; v < 16; ++v)
        halves += QByteArray::number(v + 0.5) + ' ';
    QFile imageFile(image);
    QVERIFY(imageFile.open(QIODevice::WriteOnly) && imageFile.write(halves) == halves.size());
    imageFile.close();
    const ViewState &state = window.view()->State;
    window.openDroppedPath(image);
    QCOMPARE(window.view()->ModelList.count(), 5);
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(state.Image && state.Image->size[2] == 4);
    QCOMPARE(state.Slices.index[size_t(SliceOrientation::Axial)], 2);
    QCOMPARE(state.Slices.windowLevel.window, 15.0); // not a CT: its range, 0.5 .. 15.5
    QVERIFY(window.menu("menuSlices")->isEnabled()
            && window.action("actionAxialPlane")->isChecked());
    // The menu's entries reach the state.
    window.action("actionCoronalPlane")->trigger();
    QVERIFY(!state.Slices.shown[size_t(SliceOrientation::Coronal)]);
    window.action("actionStoneWindow")->trigger();
    QCOMPARE(state.Slices.windowLevel.level, 600.0);
    window.action("actionWindowLevelMode")->trigger();
    QVERIFY(state.WindowLevelMode);
    // Another image replaces it, with its own planes.
    const std::shared_ptr<const ImageVolume> first = state.Image;
    halves.replace("sizes: 2 2 4", "sizes: 4 2 2");
    QVERIFY(imageFile.open(QIODevice::WriteOnly) && imageFile.write(halves) == halves.size());
    imageFile.close();
    window.importModelFile(image);
    QVERIFY(state.Image != first && state.Image->size[0] == 4);
    QVERIFY(state.Slices.shown[size_t(SliceOrientation::Coronal)]);
    QCOMPARE(window.view()->ModelList.count(), 5);
}

// A DICOM series is a folder of files: Open DICOM Folder asks for the folder
// and opens its image, the series with its missing slice marked; a cancelled
// question opens nothing.
void TestAppFiles::dicomFolderChosenAsAFolder()
{
    QMap<QString, QJsonObject> cases;
    const PydicomRun run = writePydicomCases("TESSARON_DICOM_WRITER", data.path(), cases);
    if (run.skipped)
        QSKIP("no pydicom for the system Python");
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
    ShownWindow window;
    const ViewState &state = window.view()->State;
    window.action("actionOpenFolder")->trigger();
    QVERIFY(!state.Image);
    QCOMPARE(dialogs.shown, QStringList {"Open DICOM Folder"});
    dialogs.shown.clear();
    dialogs.folderName = data.filePath("missing");
    window.action("actionOpenFolder")->trigger();
    QVERIFY(state.Image);
    QCOMPARE(state.Image->missingPlanes, std::vector<qint64> {3});
    QCOMPARE(window.lastFolder, data.filePath("missing"));
    // The one box says what the image lacks; nothing else is asked.
    QCOMPARE(dialogs.shown.size(), 2);
    QVERIFY2(dialogs.shown[1].contains("missing"), qPrintable(dialogs.shown.join('\n')));
}

// Files named on the command line open from any working folder, through the
// door dropped files take, framed; the working folder's scene and its
// message come only without them. The history keeps absolute names, so a
// start in another folder still offers the file.
void TestAppFiles::startUpOpensNamedFilesFramed()
{
    QVERIFY(writeScene(data.filePath("scene.hx"), {"m0.surf", "m1.surf"}));
    const auto started = [&](const QString &folder, const QStringList &files, auto check) {
        QDir::setCurrent(folder);
        dialogs.shown.clear();
        Tessaron window;
        window.show();
        window.start(files);
        check(window);
        window.close();
    };
    started(data.path(), {}, [&](Tessaron &window) { // the folder's scene, named relatively
        QCOMPARE(window.view()->ModelList.count(), 3);
        QCOMPARE(window.recentFiles, QStringList {data.filePath("scene.hx")});
    });
    QCOMPARE(QSettings(Tessaron::settingsPath(), QSettings::IniFormat).value("Stats/RecentFiles"),
             QVariant(QStringList {data.filePath("scene.hx")}));
    started(home.path(), {}, [&](Tessaron &window) { // elsewhere the last file is still offered
        QCOMPARE(dialogs.shown,
                 (QStringList {"Do you want reopen last file?|" + data.filePath("scene.hx"),
                               "There is no .hx files in this folder."}));
        QCOMPARE(window.recentFiles, QStringList {data.filePath("scene.hx")});
    });
    started(data.path(), {"m2.surf", "needle.stl"}, [&](Tessaron &window) {
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
        QCOMPARE(window.view()->ModelList.count(), 3); // not the folder's scene
        QCOMPARE(window.recentFiles.first(), data.filePath("m2.surf"));
        QVERIFY(std::abs(reach(*window.view()) - 0.9) < 0.01);
        // The compact layout says how to reach the full one, until it is chosen.
        const auto *hint = window.findChild<QLabel *>("label_startHint");
        QVERIFY(hint && hint->isVisible());
        QVERIFY2(hint->text().contains("Full interface") && hint->text().contains("Ctrl+Shift+F"),
                 qPrintable(hint->text()));
        window.action("actionFullInterface")->trigger();
        QVERIFY(!window.findChild<QLabel *>("label_startHint"));
        window.action("actionFullInterface")->trigger();
    });
    started(home.path(), {data.filePath("scene.hx"), data.filePath("needle.stl")},
            [&](Tessaron &window) {
                QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
                QCOMPARE(window.view()->ModelList.count(), 4);
                QVERIFY(std::abs(reach(*window.view()) - 0.9) < 0.01);
            });
    started(home.path(), {data.filePath("missing.surf")}, [&](Tessaron &window) {
        QCOMPARE(dialogs.shown,
                 QStringList {data.filePath("missing.surf") + ": Error opening file."});
        QCOMPARE(window.view()->ModelList.count(), 1);
    });
}

// An import into an open scene, and Fit all at any time, frame every shown
// model as the command-line tool frames its pictures; F is its key in the
// compact layout too.
void TestAppFiles::fitAllAndImportIntoAScene()
{
    QVERIFY(writeScene(data.filePath("scene.hx"), {"m0.surf", "m2.surf"}));
    ShownWindow window;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.openModelFile(data.filePath("scene.hx"));
    GLWidget *view = window.view();
    ViewCommands *commands = window.commands();
    QCOMPARE(window.importModelFile(data.filePath("needle.stl")), 1);
    QVERIFY(std::abs(reach(*view) - 0.9) < 0.01);
    for (int i = 0; i < 30; ++i)
        commands->zoomIn();
    QVERIFY(reach(*view) > 5);
    QVERIFY(shortcutTriggers(window, "actionFitAll", Qt::Key_F));
    QVERIFY(std::abs(reach(*view) - 0.9) < 0.01);
    // A hidden model is left out of the frame.
    view->ModelList.at(3)->setVisible(false);
    window.action("actionFitAll")->trigger();
    QVERIFY(std::abs(reach(*view) - 0.9) < 0.01);
    window.action("actionStartPosition")->trigger();
    // A dropped mesh file is framed as well.
    window.openDroppedPath(data.filePath("needle.stl"));
    QVERIFY(std::abs(reach(*view) - 0.9) < 0.01);
}

// Save Scene As glTF writes every model as a node and the view as a camera
// of the view's shape (where that camera stands is test_gltf_frame's).
void TestAppFiles::sceneSavedAsGltfWithTheView()
{
    ShownWindow window;
    window.openModelFile(data.filePath("m0.surf"));
    window.openModelFile(data.filePath("m2.surf"));
    dialogs.saveName = data.filePath("plan.glb");
    window.saveAsGLTF();
    QCOMPARE(dialogs.saveFilter, QLatin1String("glTF(*.glb *.gltf)"));
    const QByteArray bytes = fileBytes(data.filePath("plan.glb"));
    QVERIFY(bytes.startsWith("glTF"));
    const quint32 jsonLength = qFromLittleEndian<quint32>(bytes.constData() + 12);
    const QJsonObject json = QJsonDocument::fromJson(bytes.mid(20, jsonLength)).object();
    const QJsonArray nodes = json["nodes"].toArray();
    QCOMPARE(nodes[0]["children"].toArray().size(), 2);
    QVERIFY(nodes.last().toObject().contains("camera"));
    const double aspect = json["cameras"][0]["perspective"]["aspectRatio"].toDouble();
    QVERIFY(std::abs(aspect - double(window.view()->width()) / window.view()->height()) < 1e-9);
}

TESSARON_VIEW_TEST_MAIN(TestAppFiles)
#include "test_app_files.moc"

// Start Position after turns, moves and zooms gives the frame the files were
// opened with, to the pixel: every model and the image's planes go back
// together, none left where the gestures put it.
void TestAppFiles::startPositionKeepsTheSceneTogether()
{
    QVERIFY(writeScene(data.filePath("scene.hx"), {"m0.surf", "m2.surf"}));
    QVERIFY(writeCubeNifti(data.filePath("ct.nii"), 20, 2.0,
                           [](int i, int, int) { return qint16(i < 3 ? -1000 : 40); }));
    Tessaron window;
    window.resize(640, 480);
    window.show();
    window.start({data.filePath("scene.hx"), data.filePath("needle.stl"), data.filePath("ct.nii")});
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    GLWidget *view = window.view();
    QCOMPARE(view->ModelList.count(), 4);
    QVERIFY(view->State.Image);
    const QImage start = view->grabFramebuffer();
    ViewCommands *commands = window.commands();
    commands->addXRotation(0.7f);
    commands->addYRotation(-0.4f);
    view->addXYmove(0.3f, -0.2f);
    commands->zoomIn();
    view->ModelList.ActiveIndex = 2; // a model other than the first is current
    QVERIFY(view->grabFramebuffer() != start);
    window.action("actionStartPosition")->trigger();
    const QImage again = view->grabFramebuffer();
    QCOMPARE(again.size(), start.size());
    QVERIFY(again == start);
    for (qsizetype i = 2; i < view->ModelList.count(); ++i)
        QVERIFY(std::equal(view->ModelList.at(i)->Transform->Matrix,
                           view->ModelList.at(i)->Transform->Matrix + 16,
                           view->imageCamera()->Matrix));

    // An image alone turns on a camera of its own, which goes back too.
    Tessaron alone;
    alone.resize(640, 480);
    alone.show();
    alone.start({data.filePath("ct.nii")});
    QVERIFY(QTest::qWaitForWindowExposed(&alone));
    const QImage image = alone.view()->grabFramebuffer();
    alone.view()->addXYZRotation(0.3f, 0.5f, 0);
    QVERIFY(alone.view()->grabFramebuffer() != image);
    alone.action("actionStartPosition")->trigger();
    QVERIFY(alone.view()->grabFramebuffer() == image);
}
