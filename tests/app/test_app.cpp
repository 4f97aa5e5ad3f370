// The main window: start-up texts, the compact layout, the settings file,
// file commands, dropped files, panels and the objects tree.

#include "SurfFiles.h"
#include "app/ActionTable.h"
#include "app/Startup.h"
#include "app/Tessaron.h"
#include "app/panels/ObjectsControl.h"
#include "app/panels/OpacityControl.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"

#include <QAction>
#include <QDockWidget>
#include <QMenuBar>
#include <QProgressDialog>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Answers every dialog at once and records the messages.
struct ScriptedDialogs : Dialogs
{
    QStringList messages;
    QStringList openNames;
    QColor colour;
    QString text;
    Answer answer = Answer::No;

    void message(QWidget *, const QString &, const QString &t) override { messages << t; }
    void about(QWidget *, const QString &title, const QString &t) override
    {
        messages << title + "|" + t;
    }
    QStringList getOpenFileNames(QWidget *, const QString &, const QString &,
                                 const QString &) override
    {
        return openNames;
    }
    QColor getColor(const QColor &, QWidget *) override { return colour; }
    bool getText(QWidget *, const QString &, const QString &, const QString &,
                 QString &result) override
    {
        result = text;
        return !text.isEmpty();
    }
    Answer question(QWidget *, const QString &title, const QString &t) override
    {
        messages << title + "|" + t;
        return answer;
    }
};

QStringList names(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions)
        out << (a->isSeparator() ? "|" : a->menu() ? a->menu()->objectName() : a->objectName());
    return out;
}

// A shown main window that has read the settings file without the reopen question.
struct ShownWindow : Tessaron
{
    ShownWindow()
    {
        show();
        readSettings(false);
    }
};

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartIsRussianAndMaximized();
    void compactLayoutWithAndWithoutModel();
    void settingsRoundTrip();
    void windowPlacementFlags_data();
    void windowPlacementFlags();
    void openRefreshCloseAndRecentList();
    void failedLoadsAndSceneLists();
    void droppedFilesAndFolders();
    void importFromMenuDropAndCancel();
    void panelsAreReplacedNotDuplicated();
    void objectsTreeCommands();
    void joinFromTheObjectsPanel();
    void everyIconIsCompiledIn();

private:
    QTemporaryDir home;
    QTemporaryDir data;
    ScriptedDialogs dialogs;
    QByteArray oldHome;
};

void TestApp::init()
{
    oldHome = qgetenv("HOME");
    QVERIFY(home.isValid() && data.isValid());
    qputenv("HOME", home.path().toUtf8());
    QDir(home.path()).removeRecursively();
    QDir().mkpath(home.path());
    dialogs = ScriptedDialogs();
    Dialogs::install(&dialogs);
    for (int i = 0; i < 3; ++i)
        QVERIFY(writeTriangleSurf(data.filePath(QString("m%1.surf").arg(i)), float(i)));
}

void TestApp::cleanup()
{
    Dialogs::install(nullptr);
    qputenv("HOME", oldHome);
}

void TestApp::firstStartIsRussianAndMaximized()
{
    QCOMPARE(readLanguage(), 1);
    QTranslator toolkit, program;
    installTranslators(readLanguage(), toolkit, program);
    {
        Tessaron window;
        window.show();
        QCOMPARE(window.readSettings(true), 0);
        QVERIFY(window.isMaximized());
        QCOMPARE(window.action("actionOpen")->text(), QString("Открыть..."));
        QCOMPARE(window.menu("menuFile")->title(), QString("Файл"));
        QVERIFY(dialogs.messages.isEmpty()); // nothing to reopen
        QCOMPARE(window.view()->Config.pointThickness, 4);
        QCOMPARE(window.view()->Config.isBSPenable, quint8(1));
        QCOMPARE(window.view()->Config.frontFaces, QString("#0000DD"));
    }
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);
    // The About box carries the build's number, time and commit.
    Tessaron window;
    window.about();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].contains(QRegularExpression("Build #\\d+, build time \\d{4}-")));
    QVERIFY(!dialogs.messages[0].contains("unknown"));
    // English stays English.
    QSettings(Tessaron::settingsPath(), QSettings::IniFormat).setValue("Config/language", 0);
    QCOMPARE(readLanguage(), 0);
}

void TestApp::compactLayoutWithAndWithoutModel()
{
    ShownWindow window;
    QCOMPARE(names(window.menuBar()->actions()), (QStringList {"menuFile", "menuHelp"}));
    QCOMPARE(names(window.menu("menuFile")->actions()),
             (QStringList {"actionOpen", "actionPrint", "actionClose"}));
    QCOMPARE(names(window.menu("menuHelp")->actions()), QStringList {"actionAbout"});
    QCOMPARE(window.toolBar()->iconSize(), QSize(64, 64));
    QCOMPARE(names(window.toolBar()->actions()).join(' '),
             QString("actionOpen | actionLitePoint actionLiteEdges actionLiteFaces | "
                     "actionShowAxes actionMoveCenter actionViewTransparent | "
                     "actionSetPlaneXY actionSetPlaneXZ actionSetPlaneYZ | "
                     "actionRotateX actionRotateY actionRotateZ | "
                     "actionChangeBackgroundColor actionShowFullScreen"));
    for (QAction *a : window.toolBar()->actions())
        if (!a->isSeparator())
            QCOMPARE(a->isEnabled(),
                     a->objectName() == "actionOpen" || a->objectName() == "actionShowFullScreen");

    QCOMPARE(window.openModelFile(data.filePath("m0.surf")), 1);
    window.applyCompactLayout();
    for (QAction *a : window.toolBar()->actions())
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(window.action("actionLiteFaces")->isChecked());
    QVERIFY(!window.action("actionLitePoint")->isChecked());
}

void TestApp::settingsRoundTrip()
{
    QStringList recent;
    for (int i = 0; i < 14; ++i) { // longer than the menu
        const QString path = data.filePath(QString("r%1, with comma.surf").arg(i));
        QVERIFY(writeTriangleSurf(path));
        recent << path;
    }
    {
        ShownWindow window;
        window.recentFiles = recent;
        window.lastFile = recent.first();
        window.lastFolder = data.path();
        window.view()->Config.isoline_V = 0.55f;
        window.view()->Config.background = "#336699";
        window.view()->Config.tmatrix = 1;
        window.action("actionShowAxes")->setChecked(true);
        window.close(); // writes the settings
    }
    QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
    QCOMPARE(file.childGroups(), (QStringList {"Colors", "Config", "Stats", "View", "Window"}));
    file.beginGroup("Config");
    QCOMPARE(file.childKeys().size(), 27);
    file.endGroup();
    QCOMPARE(file.value("Colors/background").toString(), QString("#336699"));
    QCOMPARE(file.allKeys().size(), 6 + 3 + 3 + 27 + 12);
    QCOMPARE(file.value("View/Axes").toBool(), true);

    Tessaron again;
    again.show();
    QCOMPARE(again.readSettings(true), 0);
    QCOMPARE(again.recentFiles, recent);
    QCOMPARE(again.view()->Config.isoline_V, 0.55f);
    QCOMPARE(again.view()->Config.tmatrix, quint8(1));
    QCOMPARE(again.view()->ClearColor[0], 0.2f);
    QCOMPARE(again.view()->ClearColor[2], 0.6f);
    QCOMPARE(dialogs.messages, (QStringList {"Do you want reopen last file?|" + recent.first()}));
    QCOMPARE(again.view()->ModelList.count(), 1); // answered No
    int shown = 0;
    for (QAction *a : again.recentFileActs)
        shown += a->isVisible();
    QCOMPARE(shown, 10);
    // The View flags are written only: they start unchecked.
    QVERIFY(!again.action("actionShowAxes")->isChecked());
}

void TestApp::windowPlacementFlags_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("both") << true << true;
    QTest::newRow("full screen") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestApp::windowPlacementFlags()
{
    QFETCH(bool, maximized);
    QFETCH(bool, fullScreen);
    {
        QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
        file.setValue("Window/Maximized", maximized);
        file.setValue("Window/FullScreen", fullScreen);
        file.setValue("Window/Width", 700);
        file.setValue("Window/Height", 500);
    }
    ShownWindow window;
    QCOMPARE(window.isMaximized(), maximized);
    QCOMPARE(window.isFullScreen(), !maximized && fullScreen);
    if (!maximized && !fullScreen)
        QCOMPARE(window.size(), QSize(700, 500));
}

void TestApp::openRefreshCloseAndRecentList()
{
    ShownWindow window;
    const QString a = data.filePath("m0.surf"), b = data.filePath("m1.surf");
    dialogs.openNames = {a, b};
    window.openFile();
    QCOMPARE(window.view()->ModelList.count(), 3);
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
    window.clearRecentFileList();
    QVERIFY(!window.menu("menuRecentFiles")->isEnabled());
}

void TestApp::failedLoadsAndSceneLists()
{
    ShownWindow window;
    QCOMPARE(window.openModelFile(data.filePath("missing.surf")), 0);
    QCOMPARE(window.openModelFile(data.filePath("model.off")), 0);
    QCOMPARE(dialogs.messages,
             (QStringList {data.filePath("missing.surf") + ": Error opening file.",
                           data.filePath("model.off") + ": Error filetype."}));
    dialogs.messages.clear();

    QFile hx(data.filePath("scene.HX"));
    QVERIFY(hx.open(QIODevice::WriteOnly));
    hx.write("# scene\n[ load ${SCRIPTDIR}/m0.surf ] setLabel {m0.surf}\n"
             "[ load ${SCRIPTDIR}/gone.surf ] setLabel {gone.surf}\n"
             "[ load ${SCRIPTDIR}/m2.surf ] setLabel {m2.surf}\n");
    hx.close();
    QCOMPARE(window.openModelFile(hx.fileName()), 0);
    QCOMPARE(window.view()->ModelList.count(), 3);
    QCOMPARE(dialogs.messages, (QStringList {data.path() + "/gone.surf: Error opening file."}));
    QCOMPARE(window.view()->ModelList.ActiveIndex, 1);
    // The tree shows the first model as the current one, and only it in bold.
    auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    const QTreeWidgetItem *first = objects->itemOf(window.view()->ModelList.at(1));
    QVERIFY(first->isSelected() && first->font(0).bold());
    QVERIFY(!objects->itemOf(window.view()->ModelList.at(2))->font(0).bold());
    QCOMPARE(window.lastFile, hx.fileName());

    // At start-up the first scene of the working folder opens, or a message says there is none.
    const QString old = QDir::currentPath();
    QDir::setCurrent(home.path());
    dialogs.messages.clear();
    window.openHxInWorkingFolder();
    QCOMPARE(dialogs.messages, (QStringList {"There is no .hx files in this folder."}));
    QDir::setCurrent(old);
}

void TestApp::droppedFilesAndFolders()
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

// Import is in the full File menu, its dialog lists the endings; a label map
// imported from it or dropped on the view becomes named models placed as a
// scene; cancelled in its progress dialog it leaves no model.
void TestApp::importFromMenuDropAndCancel()
{
    {
        Tessaron fresh; // the full menus, before the compact layout replaces them
        QVERIFY(names(fresh.menu("menuFile")->actions()).contains("actionImport"));
    }
    QVERIFY(Tessaron::importFilter().contains("*.nii.gz")
            && Tessaron::importFilter().contains("*.stl"));
    ShownWindow window;
    const QString map = data.filePath("kidney_labels.nrrd");
    QVERIFY(writeLabelMap(map, 24));
    QFile table(data.filePath("kidney_labels.txt"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("1 kidney_left\n2 kidney_tumor\n");
    table.close();
    dialogs.openNames = QStringList {map};
    window.action("actionImport")->trigger();
    QCOMPARE(window.view()->ModelList.count(), 3);
    QCOMPARE(window.view()->ModelList.at(1)->Name, QString("kidney_left"));
    QCOMPARE(window.view()->ModelList.at(2)->ModelColor[0], 164); // a tumour's colour
    // The view keeps the colours the import gave.
    QCOMPARE(window.view()->ModelList.at(2)->Meshes[0]->FrontColor[0], 164 / 255.0f);

    window.openDroppedPath(map);
    QCOMPARE(window.view()->ModelList.count(), 5);
    QVERIFY(dialogs.messages.isEmpty());

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
    QVERIFY(dialogs.messages.isEmpty());

    QCOMPARE(window.importModelFile(data.filePath("m0.surf")), 0);
    QCOMPARE(dialogs.messages.size(), 1);
}

void TestApp::panelsAreReplacedNotDuplicated()
{
    ShownWindow window;
    QVERIFY(window.panel(PanelKind::Objects));
    window.createPanel(PanelKind::Objects);
    window.createPanel(PanelKind::Opacity);
    window.createPanel(PanelKind::Opacity);
    QCOMPARE(window.menu("menuPanels")->actions().size(), 2);
    QCOMPARE(window.findChildren<QDockWidget *>().size(), 2);
    window.removePanel(PanelKind::Opacity);
    window.removePanel(PanelKind::Opacity);
    QVERIFY(!window.panel(PanelKind::Opacity));
    QCOMPARE(window.menu("menuPanels")->actions().size(), 1);

    // An opacity panel for an opaque model starts at 128.
    window.openModelFile(data.filePath("m0.surf"));
    window.createPanel(PanelKind::Opacity);
    auto *opacity = static_cast<OpacityControl *>(window.panel(PanelKind::Opacity));
    QCOMPARE(opacity->slider()->value(), 128);
}

void TestApp::objectsTreeCommands()
{
    ShownWindow window;
    window.openModelFile(data.filePath("m0.surf"));
    window.openModelFile(data.filePath("m1.surf"));
    auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    ModelListClass &list = window.view()->ModelList;
    QCOMPARE(objects->tree()->topLevelItemCount(), 1);
    QCOMPARE(objects->tree()->topLevelItem(0)->childCount(), 2);
    window.model_info(); // the report of the current model, in an about box
    QVERIFY(dialogs.messages.last().startsWith("Model: m1.surf|File info:\nCount of zones = 1\n"));

    // Hiding the scene hides every model; showing it shows them all.
    objects->selectModel(list.scene());
    objects->contextMenuShowhideElement();
    QVERIFY(!list.at(1)->Visible && !list.at(2)->Visible);
    objects->selectModel(list.scene()); // the tree went back to the current model
    objects->contextMenuShowhideElement();
    QVERIFY(list.at(1)->Visible && list.at(2)->Visible);

    objects->itemClicked(objects->itemOf(list.at(1)), 0);
    QCOMPARE(list.ActiveIndex, 1);
    objects->selectModel(list.at(2)); // a click selects its row, then reports the column
    objects->itemClicked(objects->itemOf(list.at(2)), 1); // eye column: current stays
    QCOMPARE(list.ActiveIndex, 1);
    QVERIFY(!list.at(2)->Visible);

    dialogs.colour = QColor(10, 20, 30);
    objects->itemClicked(objects->itemOf(list.at(2)), 2);
    QCOMPARE(list.at(2)->ModelColor[2], 30);
    dialogs.text = "Renamed";
    objects->contextMenuChangeNameElement();
    QCOMPARE(list.at(1)->Name, QString("Renamed"));
    QCOMPARE(objects->itemOf(list.at(1))->text(0), QString("Renamed"));
    dialogs.text.clear();
    objects->contextMenuChangeNameElement(); // cancelled: the name stays
    QCOMPARE(list.at(1)->Name, QString("Renamed"));

    objects->selectModel(list.at(2));
    objects->contextMenuDeleteElement();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.ActiveIndex, 1);
    QCOMPARE(objects->tree()->topLevelItem(0)->childCount(), 1);
}

void TestApp::joinFromTheObjectsPanel()
{
    ShownWindow window;
    for (int i = 0; i < 3; ++i)
        window.openModelFile(data.filePath(QString("m%1.surf").arg(i)));
    auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    ModelListClass &list = window.view()->ModelList;
    const auto select = [&](std::initializer_list<int> indices) {
        objects->tree()->clearSelection();
        for (int i : indices)
            objects->itemOf(list.at(i))->setSelected(true);
    };

    // The scene is never joined.
    select({0, 1});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 4);

    // Selected from the bottom up, joined in list order, in one zone. (Without
    // centring, which would give every model the first model's matrix.)
    window.view()->Config.autocenter = 0;
    select({3, 1});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 5);
    ModelClass *joined = list.at(4);
    QCOMPARE(list.ActiveIndex, 4);
    QCOMPARE(joined->Meshes.size(), 1);
    QCOMPARE(joined->Meshes[0]->Vertices[0], 0.0); // m0 first, then m2
    QCOMPARE(joined->Meshes[0]->Vertices[9], 2.0);
    QVERIFY(!list.at(1)->Visible && list.at(2)->Visible && !list.at(3)->Visible);
    QVERIFY(joined->Visible);
    // Placed as a load places it, not with the zoom of the model it came from.
    QVERIFY(qFuzzyCompare(joined->Transform->Scale, 3.0f / joined->Radius));

    // The preferences' mode 2 keeps the blocks as zones.
    window.view()->Config.join = 2;
    select({1, 2});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 6);
    QCOMPARE(list.at(5)->Meshes.size(), 2);
}

void TestApp::everyIconIsCompiledIn()
{
    Tessaron window; // registers the icon resources
    QStringList icons {":/show", ":/hide", ":/tessaron"};
    for (int i = 0; i < kActionRowCount; ++i)
        if (kActionRows[i].icon)
            icons << kActionRows[i].icon;
    for (const QString &name : std::as_const(icons)) {
        // Drawn at the compact tool bar's size, every icon puts ink on the canvas.
        const QImage image = QIcon(name).pixmap(64, 64).toImage();
        QVERIFY2(!image.isNull(), qPrintable(name));
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qAlpha(image.pixel(x, y)) > 128;
        QVERIFY2(ink > 64 * 64 / 10, qPrintable(name));
    }
}

int main(int argc, char **argv)
{
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    TestApp test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_app.moc"
