// The main window: start-up texts, the compact layout, the settings file,
// file commands, dropped files, panels and the objects tree.

#include "SurfFiles.h"
#include "WholeFiles.h"
#include "app/ActionTable.h"
#include "app/Startup.h"
#include "app/Tessaron.h"
#include "app/panels/ObjectsControl.h"
#include "view/GLWidget.h"
#include "view/ScriptedDialogs.h"
#include "view/SettingsFile.h"
#include "view/ViewCommands.h"
#include "view/ViewTestMain.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList names(const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions)
        out << (a->isSeparator() ? "|" : a->menu() ? a->menu()->objectName() : a->objectName());
    return out;
}

// Object names of every action reachable from the menu bar (through its
// shown menus and their sub-menus) and from the tool bar.
QSet<QString> reachable(const Tessaron &window)
{
    QSet<QString> out;
    std::function<void(const QList<QAction *> &)> walk = [&](const QList<QAction *> &actions) {
        for (const QAction *a : actions) {
            if (!a->isVisible() || a->isSeparator())
                continue;
            if (a->menu())
                walk(a->menu()->actions());
            else
                out << a->objectName();
        }
    };
    walk(window.menuBar()->actions());
    walk(window.toolBar()->actions());
    return out;
}

// Whether the shortcut reaches its action in the window as it is laid out.
bool shortcutTriggers(Tessaron &window, const char *name, QKeyCombination keys)
{
    QSignalSpy spy(window.action(name), &QAction::triggered);
    QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
    return spy.count() == 1;
}

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

// A text STL of one long, thin triangle far from the other test models.
bool writeNeedleStl(const QString &path)
{
    return writeBytes(path,
                      "solid needle\nfacet normal 0 0 1\nouter loop\n"
                      "vertex 30 0 0\nvertex 31 0 0\nvertex 30 60 0\n"
                      "endloop\nendfacet\nendsolid needle\n");
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
    void fullInterfaceReachesEveryAction();
    void viewFillsTheCentralArea();
    void settingsRoundTrip();
    void windowPlacementFlags_data();
    void windowPlacementFlags();
    void openRefreshCloseAndRecentList();
    void failedLoadsAndSceneLists();
    void startUpOpensEachFileOnce();
    void savingSaysWhyItFailed();
    void droppedFilesAndFolders();
    void importFromMenuDropAndCancel();
    void everyIconIsCompiledIn();
    void startUpOpensNamedFilesFramed();
    void fitAllAndImportIntoAScene();
    void panelsMenuListsEveryPanel();

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
    QCOMPARE(SettingsFile::savedLanguage(), Language::Russian);
    QTranslator toolkit, program;
    installTranslators(SettingsFile::savedLanguage(), toolkit, program);
    {
        Tessaron window;
        window.show();
        QCOMPARE(window.readSettings(true), 0);
        QVERIFY(window.isMaximized());
        QCOMPARE(window.action("actionOpen")->text(), QString("Открыть..."));
        QCOMPARE(window.menu("menuFile")->title(), QString("Файл"));
        QVERIFY(dialogs.shown.isEmpty()); // nothing to reopen
        QCOMPARE(window.view()->State.Config.pointThickness, 4);
        QCOMPARE(window.view()->State.Config.isBSPenable, quint8(1));
        QCOMPARE(window.view()->State.Config.frontFaces, QString("#0000DD"));
    }
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);
    // The About box carries the build's number, time and commit.
    Tessaron window;
    window.about();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].contains(QRegularExpression("Build #\\d+, build time \\d{4}-")));
    QVERIFY(!dialogs.shown[0].contains("unknown"));
    // English stays English.
    QSettings(Tessaron::settingsPath(), QSettings::IniFormat).setValue("Config/language", 0);
    QCOMPARE(SettingsFile::savedLanguage(), Language::English);
}

void TestApp::compactLayoutWithAndWithoutModel()
{
    ShownWindow window;
    QCOMPARE(names(window.menuBar()->actions()), (QStringList {"menuFile", "menuHelp"}));
    QCOMPARE(names(window.menu("menuFile")->actions()),
             (QStringList {"actionOpen", "actionPrint", "actionFullInterface", "actionClose"}));
    QCOMPARE(names(window.menu("menuHelp")->actions()), QStringList {"actionAbout"});
    QCOMPARE(window.toolBar()->iconSize(), QSize(64, 64));
    QCOMPARE(names(window.toolBar()->actions()).join(' '),
             QString("actionOpen | actionLitePoint actionLiteEdges actionLiteFaces | "
                     "actionShowAxes actionMoveCenter actionFitAll actionViewTransparent | "
                     "actionSetPlaneXY actionSetPlaneXZ actionSetPlaneYZ | "
                     "actionRotateX actionRotateY actionRotateZ | "
                     "actionChangeBackgroundColor actionShowFullScreen"));
    for (QAction *a : window.toolBar()->actions())
        if (!a->isSeparator())
            QCOMPARE(a->isEnabled(),
                     a->objectName() == "actionOpen" || a->objectName() == "actionShowFullScreen");
    QVERIFY(!window.action("actionShowIn3D")->isEnabled()); // stereo needs a model too

    QCOMPARE(window.openModelFile(data.filePath("m0.surf")), 1);
    window.applyCompactLayout();
    for (QAction *a : window.toolBar()->actions())
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(window.action("actionShowIn3D")->isEnabled());
    window.action("actionShowFullScreen")->trigger();
    QVERIFY(window.isFullScreen());
    window.action("actionShowFullScreen")->trigger();
    QVERIFY(window.isMaximized() && !window.isFullScreen());
    QVERIFY(window.action("actionLiteFaces")->isChecked());
    QVERIFY(!window.action("actionLitePoint")->isChecked());

    // A transparent current model brings its opacity panel.
    QVERIFY(!window.panel(PanelKind::Opacity) || !window.panel(PanelKind::Opacity)->isVisible());
    window.view()->currentModel()->setTransparency(true, 0.5);
    window.applyCompactLayout();
    QVERIFY(window.panel(PanelKind::Opacity) && window.panel(PanelKind::Opacity)->isVisible());

    // A model loaded with an edge mode chosen shows it checked, and only it.
    for (const char *chosen : {"actionViewContourEdges", "actionViewSurfaceEdges"}) {
        window.action("actionViewContourEdges")->setChecked(false);
        window.action("actionViewSurfaceEdges")->setChecked(false);
        window.action(chosen)->setChecked(true);
        QCOMPARE(window.openModelFile(data.filePath("m1.surf")), 1);
        QVERIFY(window.action(chosen)->isChecked());
        QCOMPARE(window.action("actionViewContourEdges")->isChecked()
                     + window.action("actionViewSurfaceEdges")->isChecked(),
                 1);
    }
}

void TestApp::fullInterfaceReachesEveryAction()
{
    {
        ShownWindow window;
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAction *full = window.action("actionFullInterface");
        QVERIFY(full->isCheckable() && !full->isChecked() && full->icon().isNull());
        QCOMPARE(window.menu("menuFile")->actions().at(2), full); // last before Exit
        QVERIFY(
            !shortcutTriggers(window, "actionTransformAllAsActive", Qt::AltModifier | Qt::Key_R));
        QSet<QString> all;
        for (int i = 0; i < kActionRowCount; ++i)
            all << kActionRows[i].name;
        const QSet<QString> compact = reachable(window);

        QVERIFY(shortcutTriggers(window, "actionFullInterface",
                                 Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_F));
        QVERIFY(full->isChecked());
        QCOMPARE(names(window.menuBar()->actions()),
                 (QStringList {"menuFile", "menuView", "menuOperations", "menuOptions",
                               "menuPanels", "menuHelp"}));
        QCOMPARE(names(window.menu("menuFile")->actions()).join(' '),
                 QString("actionOpen actionImport actionRefresh | menuSaveAs | actionRemove "
                         "actionCloseImage | "
                         "actionPrint actionCaseSheet actionPrintCaseSheet | "
                         "menuRecentFiles actionFullInterface actionClose"));
        QCOMPARE(window.toolBar()->iconSize(), QSize(32, 32));
        // Between them the two layouts offer every action; the full one the
        // whole toolkit, with its shortcuts working.
        QCOMPARE(all - (compact + reachable(window)), QSet<QString>());
        for (const char *name : {"actionSaveAsImage", "actionPreferences", "actionCloneFullModel",
                                 "actionSplice", "actionZoomIn", "actionModelInfo"})
            QVERIFY2(reachable(window).contains(name), name);
        QVERIFY(
            shortcutTriggers(window, "actionTransformAllAsActive", Qt::AltModifier | Qt::Key_R));
        // Actions that need a model follow the same rules in both layouts.
        QVERIFY(!window.action("actionPrint")->isEnabled());
        QCOMPARE(window.openModelFile(data.filePath("m0.surf")), 1);
        QVERIFY(window.action("actionPrint")->isEnabled());
        QCOMPARE(window.menuBar()->actions().size(), 6); // a load keeps the chosen layout
        window.close();
    }
    // The choice is kept beside the settings file, which keeps its own keys.
    QSettings settings(Tessaron::settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.childGroups(), (QStringList {"Colors", "Config", "Stats", "View", "Window"}));
    {
        ShownWindow again;
        QVERIFY(again.action("actionFullInterface")->isChecked());
        QCOMPARE(again.menuBar()->actions().size(), 6);
        again.action("actionFullInterface")->trigger(); // and back
        QCOMPARE(names(again.menuBar()->actions()), (QStringList {"menuFile", "menuHelp"}));
        QCOMPARE(again.toolBar()->iconSize(), QSize(64, 64));
    }
    ShownWindow third;
    QVERIFY(!third.action("actionFullInterface")->isChecked());
}

void TestApp::viewFillsTheCentralArea()
{
    QSettings(Tessaron::settingsPath(), QSettings::IniFormat).setValue("Window/Maximized", false);
    ShownWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    GLWidget *view = window.view();
    view->State.Config.background = "#00FF00";
    colorFromName(view->State.Config.background, view->State.ClearColor);
    const int separator = window.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    auto check = [&](const char *step) {
        QTest::qWait(30);
        const QRect area(view->mapTo(&window, QPoint(0, 0)), view->size());
        QVERIFY2(area == window.centralWidget()->geometry(), step);
        // Up to the bars above and below, and to the panels on either side.
        QVERIFY2(area.top() == window.toolBar()->geometry().bottom() + 1, step);
        QVERIFY2(area.bottom() + 1 == window.statusBar()->geometry().top(), step);
        int left = 0, right = window.width();
        for (QDockWidget *dock : window.findChildren<QDockWidget *>()) {
            if (dock->isFloating() || !dock->isVisible())
                continue;
            QVERIFY2(!area.intersects(dock->geometry()), step);
            if (window.dockWidgetArea(dock) == Qt::LeftDockWidgetArea)
                left = std::max(left, dock->geometry().right() + 1 + separator);
            else
                right = std::min(right, dock->geometry().left() - separator);
        }
        QVERIFY2(area.left() == left && area.right() + 1 == right, step);
        // The picture itself reaches every edge of the area.
        const QImage shot = window.grab().toImage();
        const QColor green(0, 255, 0);
        for (const QPoint p :
             {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()})
            QVERIFY2(shot.pixelColor(p) == green, step);
    };
    window.resize(900, 600);
    check("resized");
    window.createPanel(PanelKind::Point);
    check("right panel");
    window.createPanel(PanelKind::Opacity);
    check("second left panel");
    window.removePanel(PanelKind::Point);
    check("right panel closed");
    window.panel(PanelKind::Objects)->setFloating(true);
    check("floating");
    window.panel(PanelKind::Objects)->setFloating(false);
    check("docked again");
    window.panel(PanelKind::Objects)->hide();
    check("hidden");
    window.panel(PanelKind::Objects)->show();
    window.action("actionFullInterface")->trigger();
    check("full interface");
    window.action("actionFullInterface")->trigger();
    check("compact");
    window.resize(700, 520);
    check("smaller");
    window.showFullScreen();
    check("full screen");
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
        QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
        file.setValue("Window/Maximized", false);
        file.setValue("Window/PositionX", 37);
        file.setValue("Window/PositionY", 61);
        file.setValue("Window/Width", 701);
        file.setValue("Window/Height", 523);
        file.setValue("Window/Stray", 1); // keys of nobody's are not kept
        file.setValue("Elsewhere/key", 2);
    }
    {
        ShownWindow window;
        QCOMPARE(window.pos(), QPoint(37, 61));
        QCOMPARE(window.size(), QSize(701, 523));
        window.recentFiles = recent;
        window.lastFile = recent.first();
        window.lastFolder = home.path(); // not the last file's folder
        window.view()->State.Config.isoline_V = 0.55f;
        window.view()->State.Config.background = "#336699";
        window.view()->State.Config.tmatrix = 1;
        window.action("actionShowAxes")->setChecked(true);
        window.action("actionShowIn3D")->setChecked(true);
        window.close(); // writes the settings
    }
    // Every key of the window, the history and the view flags is read back
    // with the value it was given (the options have their own test).
    QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
    QCOMPARE(file.childGroups(), (QStringList {"Colors", "Config", "Stats", "View", "Window"}));
    const QVariantMap expected {
        {"Window/Maximized", false},
        {"Window/FullScreen", false},
        {"Window/PositionX", 37},
        {"Window/PositionY", 61},
        {"Window/Width", 701},
        {"Window/Height", 523},
        {"Stats/LastFolder", home.path()},
        {"Stats/LastFile", recent.first()},
        {"Stats/RecentFiles", recent},
        {"View/Axes", true},
        {"View/ViewTransparent", false},
        {"View/ShowIn3D", true},
        {"Colors/background", "#336699"},
    };
    for (auto k = expected.begin(); k != expected.end(); ++k) {
        QVariant value = file.value(k.key());
        QVERIFY2(value.convert(k.value().metaType()), qPrintable(k.key()));
        QVERIFY2(value == k.value(), qPrintable(k.key() + ": " + value.toString()));
    }
    QVERIFY(!file.contains("Window/Stray"));

    {
        ShownWindow quiet; // without the reopen question the folder stays as stored
        QCOMPARE(quiet.lastFolder, home.path());
    }
    Tessaron again;
    again.show();
    QCOMPARE(again.readSettings(true), 0);
    QCOMPARE(again.recentFiles, recent);
    QCOMPARE(again.view()->State.Config.isoline_V, 0.55f);
    QCOMPARE(again.view()->State.Config.tmatrix, quint8(1));
    QCOMPARE(again.view()->State.ClearColor[0], 0.2f);
    QCOMPARE(again.view()->State.ClearColor[2], 0.6f);
    QCOMPARE(dialogs.shown, (QStringList {"Do you want reopen last file?|" + recent.first()}));
    QCOMPARE(again.view()->ModelList.count(), 1); // answered No
    QCOMPARE(again.lastFolder, data.path());      // the last file's folder all the same
    int shown = 0;
    for (QAction *a : again.recentFileActs)
        shown += a->isVisible();
    QCOMPARE(shown, 10);
    // The View flags are written only: they start unchecked.
    QVERIFY(!again.action("actionShowAxes")->isChecked());
    // Answered Yes, the last file opens.
    dialogs.answer = Dialogs::Answer::Yes;
    Tessaron reopening;
    reopening.show();
    QCOMPARE(reopening.readSettings(true), 0);
    QCOMPARE(reopening.view()->ModelList.count(), 2);
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

void TestApp::failedLoadsAndSceneLists()
{
    const auto restore = qScopeGuard([&] {
        QDir().rmdir(data.filePath("m1.surf"));
        writeTriangleSurf(data.filePath("m1.surf"), 1);
    });
    {
        ShownWindow window;
        const QString good = data.filePath("m1.surf");
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
    QVERIFY(hx.open(QIODevice::WriteOnly));
    hx.write("# scene\n[ load ${SCRIPTDIR}/m0.surf ] setLabel {m0.surf}\n"
             "[ load ${SCRIPTDIR}/gone.surf ] setLabel {gone.surf}\n"
             "[ load ${SCRIPTDIR}/m2.surf ] setLabel {m2.surf}\n");
    hx.close();
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
    const QString old = QDir::currentPath();
    QDir::setCurrent(home.path());
    dialogs.shown.clear();
    window.openHxInWorkingFolder();
    QCOMPARE(dialogs.shown, (QStringList {"There is no .hx files in this folder."}));
    QDir::setCurrent(old);
}

void TestApp::startUpOpensEachFileOnce()
{
    QFile hx(data.filePath("scene.hx"));
    QVERIFY(hx.open(QIODevice::WriteOnly));
    hx.write("[ load ${SCRIPTDIR}/m0.surf ] setLabel {m0.surf}\n"
             "[ load ${SCRIPTDIR}/m1.surf ] setLabel {m1.surf}\n");
    hx.close();
    QSettings(Tessaron::settingsPath(), QSettings::IniFormat)
        .setValue("Stats/LastFile", hx.fileName());
    const QString old = QDir::currentPath();
    QDir::setCurrent(data.path());
    dialogs.answer = Dialogs::Answer::Yes;
    Tessaron window;
    window.show();
    window.readSettings(true);      // reopens the scene of the working folder ...
    window.openHxInWorkingFolder(); // ... which is not opened a second time
    QDir::setCurrent(old);
    QCOMPARE(window.view()->ModelList.count(), 3);
    // Answered No, the working folder's scene opens as usual.
    dialogs.answer = Dialogs::Answer::No;
    QDir::setCurrent(data.path());
    Tessaron second;
    second.show();
    second.readSettings(true);
    second.openHxInWorkingFolder();
    QDir::setCurrent(old);
    QCOMPARE(second.view()->ModelList.count(), 3);
}

void TestApp::savingSaysWhyItFailed()
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

// The Import dialog lists the importable endings; a label map
// imported from it or dropped on the view becomes named models placed as a
// scene; cancelled in its progress dialog it leaves no model.
void TestApp::importFromMenuDropAndCancel()
{
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

void TestApp::everyIconIsCompiledIn()
{
    // Every icon of both tool bars, the objects tree's eyes and the window's
    // own, drawn at the compact tool bar's size, puts ink on the canvas.
    ShownWindow window;
    QList<QIcon> icons {QIcon(":/show"), QIcon(":/hide"), QIcon(":/tessaron")};
    for (int layout = 0; layout < 2; ++layout) {
        for (QAction *a : window.toolBar()->actions())
            if (!a->isSeparator())
                icons << a->icon();
        window.action("actionFullInterface")->trigger();
    }
    QVERIFY(icons.size() > 30);
    for (const QIcon &icon : std::as_const(icons)) {
        const QImage image = icon.pixmap(64, 64).toImage();
        QVERIFY(!image.isNull());
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qAlpha(image.pixel(x, y)) > 128;
        QVERIFY(ink > 64 * 64 / 10);
    }
}

// Files named on the command line open from any working folder, through the
// door dropped files take, framed; the working folder's scene and its
// message come only without them. The history keeps absolute names, so a
// start in another folder still offers the file.
void TestApp::startUpOpensNamedFilesFramed()
{
    QVERIFY(writeBytes(data.filePath("scene.hx"),
                       "[ load ${SCRIPTDIR}/m0.surf ] setLabel {m0}\n"
                       "[ load ${SCRIPTDIR}/m1.surf ] setLabel {m1}\n"));
    QVERIFY(writeNeedleStl(data.filePath("needle.stl")));
    const QString old = QDir::currentPath();
    const auto back = qScopeGuard([&] { QDir::setCurrent(old); });
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
void TestApp::fitAllAndImportIntoAScene()
{
    QVERIFY(writeBytes(data.filePath("scene.hx"),
                       "[ load ${SCRIPTDIR}/m0.surf ] setLabel {m0}\n"
                       "[ load ${SCRIPTDIR}/m2.surf ] setLabel {m2}\n"));
    QVERIFY(writeNeedleStl(data.filePath("needle.stl")));
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

// In the full interface the Panels menu offers every panel, existing or not;
// an entry opens its panel through the command that makes it, or hides and
// shows an existing one.
void TestApp::panelsMenuListsEveryPanel()
{
    ShownWindow window;
    window.action("actionFullInterface")->trigger();
    QMenu *panels = window.menu("menuPanels");
    const auto entry = [&](const QString &text) -> QAction * {
        emit panels->aboutToShow();
        for (QAction *a : panels->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    };
    emit panels->aboutToShow();
    QStringList texts;
    for (const QAction *a : panels->actions())
        texts << a->text();
    QCOMPARE(texts,
             (QStringList {"Objects", "Measurements", "Slice", "Intersection", "Opacity",
                           "Functions", "Color size control", "Gradient", "Isosurfaces control",
                           "Materials", "Point control", "Stereo 3D settings"}));
    QVERIFY(!entry("Intersection")->isEnabled()); // needs a model
    QCOMPARE(window.openModelFile(data.filePath("m0.surf")), 1);
    for (const auto &[text, kind] : {std::pair {"Measurements", PanelKind::Measurements},
                                     std::pair {"Intersection", PanelKind::Intersect},
                                     std::pair {"Opacity", PanelKind::Opacity}}) {
        QAction *a = entry(text);
        QVERIFY2(a && a->isEnabled() && !a->isChecked(), text);
        a->trigger();
        QVERIFY2(window.panel(kind) && window.panel(kind)->isVisible(), text);
        QVERIFY(entry(text)->isChecked());
    }
    entry("Objects")->trigger();
    QVERIFY(!window.panel(PanelKind::Objects)->isVisible());
    entry("Objects")->trigger();
    QVERIFY(window.panel(PanelKind::Objects)->isVisible());
    // A panel its model has nothing for says so rather than stay silent.
    entry("Functions")->trigger();
    QVERIFY(!window.panel(PanelKind::Function));
    QVERIFY2(window.statusText().contains("\"Functions\""), qPrintable(window.statusText()));
}

TESSARON_VIEW_TEST_MAIN(TestApp)
#include "test_app.moc"
