// Commands of the view through its seams: image export, the background
// colour, dropped files, the host's panels and actions, the status line.

#include "ViewFixture.h"
#include "view/ScriptedDialogs.h"

namespace {

// A host with the main window's menus driving the view state, and a record
// of panel requests.
struct RecordingHost : HeadlessHost
{
    RecordingHost() { state.Menus = true; }
    bool hasPanel(PanelKind kind) const override { return panels.contains(kind); }
    void createPanel(PanelKind kind) override { panels.insert(kind); }
    void removePanel(PanelKind kind) override { panels.remove(kind); }
    void openDroppedPath(const QString &path) override { dropped << path; }

    QSet<PanelKind> panels;
    QStringList dropped;
};

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void imageExportAndBackgroundColour();
    void panelsAndActionsOfTheHost();
    void droppedFilesGoToTheHost();
    void statusLineShowsTheExtent();
};

void TestCommands::imageExportAndBackgroundColour()
{
    ScriptedDialogs dialogs;
    DialogScope scope(&dialogs);
    ViewUnderTest v(250, 200);
    v.add(makeSquare());
    QTemporaryDir dir;
    // Raster: enlarged by printingQuality (4), the view keeps its size.
    dialogs.saveName = dir.filePath(QStringLiteral("view.png"));
    v.view->save2pic();
    QCOMPARE(dialogs.saveFilter,
             "JPG - JPEG(*.jpg *.jpeg);;PNG - portable network graphics(*.png);;"
             "BMP - Bitmap Picture(*.bmp);;SVG - Scalable Vector Graphics(*.svg);;"
             "PDF - Portable Document Format (*.pdf);;PS - PostScript(*.ps);;"
             "EPS - Encapsulated PostScript(*.eps);;");
    QCOMPARE(QImage(dialogs.saveName).size(), QSize(1000, 800));
    QCOMPARE(v.view->size(), QSize(250, 200));
    // Lines grow with the picture: edges four times as long and as thick.
    v.commands.changeViewFaces(FaceEntry::None);
    v.commands.changeViewEdgesSurface();
    const auto inked = [](const QImage &image) {
        return countPixels(image, [](const QColor &c) { return qGray(c.rgb()) > 16; });
    };
    const qint64 onScreen = inked(v.frame());
    v.view->save2pic();
    const qint64 exported = inked(QImage(dialogs.saveName));
    QVERIFY2(exported > 12 * onScreen, qPrintable(QString("%1 / %2").arg(exported).arg(onScreen)));
    // A name no writer knows (endings compare case-sensitively, so .JPG is
    // one) leaves no file, not even an empty one, and the status bar lists
    // the endings that are written; the notice outlasts the repaints.
    for (const char *name : {"view.JPG", "view"}) {
        dialogs.saveName = dir.filePath(QLatin1String(name));
        dialogs.shown.clear();
        v.view->save2pic();
        QVERIFY(!QFile::exists(dialogs.saveName));
        QVERIFY(dialogs.shown.isEmpty());
        v.frame();
        QVERIFY2(v.host.statusText().contains(".jpg .jpeg .png .bmp .svg .pdf .ps .eps")
                     && v.host.statusText().contains(dialogs.saveName),
                 qPrintable(v.host.statusText()));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("view.png")});
    // A folder that does not exist: said in the status bar as well as in a box.
    dialogs.saveName = dir.filePath(QStringLiteral("gone/view.png"));
    v.view->save2pic();
    QCOMPARE(dialogs.shown.size(), 1);
    v.frame();
    QVERIFY2(v.host.statusText().startsWith("The image could not be saved. " + dialogs.saveName),
             qPrintable(v.host.statusText()));
    // A cancelled dialog writes nothing.
    dialogs.saveName.clear();
    const int files = int(QDir(dir.path()).entryList(QDir::Files).size());
    v.view->save2pic();
    QCOMPARE(int(QDir(dir.path()).entryList(QDir::Files).size()), files);

    // The background colour from the colour dialog; a cancelled one keeps it.
    dialogs.colour = QColor(0x33, 0x66, 0x99);
    v.commands.changeBackgroundColor();
    QCOMPARE(v.view->State.Config.background, QStringLiteral("#336699"));
    QVERIFY(near(pixel(v.frame(), 0, 0), QColor(0x33, 0x66, 0x99), 1));
    dialogs.colour = QColor(); // cancelled
    v.commands.changeBackgroundColor();
    QCOMPARE(v.view->State.Config.background, QStringLiteral("#336699"));
}

void TestCommands::panelsAndActionsOfTheHost()
{
    RecordingHost host;
    GLWidget view(nullptr, &host);
    ViewCommands commands(view);
    view.resize(200, 200);
    ModelClass *strip = makeStrip(4);
    view.placeNewModel(strip);
    // Material mode asks for the materials panel, function mode for the
    // function panels; leaving them removes them again.
    commands.changeViewFacesMaterial();
    QVERIFY(host.panels.contains(PanelKind::Materials));
    commands.changeViewFacesFunction();
    QVERIFY(!host.panels.contains(PanelKind::Materials));
    QVERIFY(host.panels.contains(PanelKind::Function));
    QVERIFY(host.panels.contains(PanelKind::Gradient));
    QVERIFY(host.state.ColorLinesEnabled);
    // Without the palette panel the colour lines follow the view's palette;
    // switched off again they are cleared.
    host.panels.remove(PanelKind::ColorSize);
    commands.changeViewColorLines();
    QVERIFY(strip->Meshes[0]->CountOfIsoVertices > 0);
    commands.changeViewColorLines();
    QCOMPARE(strip->Meshes[0]->CountOfIsoVertices, 0);
    commands.changeViewFacesFunction(); // the same mode again: faces off, actions unchecked
    QCOMPARE(strip->Settings.ColorMode, 0);
    QVERIFY(!host.panels.contains(PanelKind::Gradient));
    QVERIFY(!host.state.ColorLinesEnabled);
    // Edges follow their menu entry (the transparency entry's state: test_function_panels).
    host.state.Edges = EdgeEntry::Contour;
    commands.changeViewEdgesContour();
    QCOMPARE(strip->Settings.EdgesMode, 1);
    host.state.Edges = EdgeEntry::None;
    commands.changeViewEdgesContour();
    QCOMPARE(strip->Settings.EdgesMode, 0);
    host.state.Transparent = true;
    commands.changeOpacity(100);
    QCOMPARE(strip->Meshes[0]->FrontColor[3], float(100 / 255.0));
    commands.changeViewTransparent(false);
    QVERIFY(!strip->Settings.Transparent);
    commands.changeShowIn3D();
    QVERIFY(host.panels.contains(PanelKind::Stereo3D));
    commands.changeShowIn3D();
    QVERIFY(!host.panels.contains(PanelKind::Stereo3D));
}

void TestCommands::droppedFilesGoToTheHost()
{
    RecordingHost host;
    GLWidget view(nullptr, &host);
    auto *mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(QStringLiteral("/data/a.surf")),
                   QUrl(QStringLiteral("https://example.org/b.surf")),
                   QUrl::fromLocalFile(QStringLiteral("/data/scenes"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    QCOMPARE(host.dropped, (QStringList {"/data/a.surf", "/data/scenes"}));
    delete mime;
}

void TestCommands::statusLineShowsTheExtent()
{
    ViewUnderTest v;
    v.add(makeSquare());
    v.frame();
    QCOMPARE(v.host.status, QStringLiteral("X in [-1;1]; Y in [-1;1]; Z in [0;0]"));
}

TESSARON_VIEW_TEST_MAIN(TestCommands)
#include "test_commands.moc"
