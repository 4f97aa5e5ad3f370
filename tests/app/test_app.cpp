// The main window: start-up texts, the compact layout, the settings file,
// the icons, panels and the objects tree. Its files: test_app_files.

#include "AppTestBase.h"
#include "app/ActionTable.h"

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

} // namespace

class TestApp : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void firstStartIsRussianAndMaximized();
    void compactLayoutWithAndWithoutModel();
    void fullInterfaceReachesEveryAction();
    void viewFillsTheCentralArea();
    void settingsRoundTrip();
    void windowPlacementFlags_data();
    void windowPlacementFlags();
    void everyIconIsCompiledIn();
    void panelsMenuListsEveryPanel();
};

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
             (QStringList {"actionOpen", "actionOpenFolder", "actionPrint", "actionFullInterface",
                           "actionClose"}));
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
        QCOMPARE(window.menu("menuFile")->actions().at(3), full); // last before Exit
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
                 QString("actionOpen actionOpenFolder actionImport actionOpenSession actionRefresh "
                         "| menuSaveAs menuExport actionSaveSession | actionRemove "
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

// Every icon of both tool bars, the objects tree's eyes and the window's own,
// drawn at the compact tool bar's size, puts ink on the canvas.
void TestApp::everyIconIsCompiledIn()
{
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
        QVERIFY(countPixels(image, [](const QColor &c) { return c.alpha() > 128; }) > 64 * 64 / 10);
    }
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
