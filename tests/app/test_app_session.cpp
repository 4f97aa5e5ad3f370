// Planning sessions in the main window: saved and reopened to the same
// pixels, named in the title and the history, and what is refused or missing.

#include "AppTestBase.h"

namespace {

// An octahedron of radius 1.5 about (0.5, 0.5, 0) as text STL, so that turns
// and cuts show.
bool writeOctahedronStl(const QString &path)
{
    const char *v[6] = {"2 0.5 0",  "-1 0.5 0",    "0.5 2 0",
                        "0.5 -1 0", "0.5 0.5 1.5", "0.5 0.5 -1.5"};
    const int faces[8][3] = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4},
                             {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};
    QByteArray text = "solid octahedron\n";
    for (const auto &f : faces)
        text += QByteArray("facet normal 0 0 0\nouter loop\nvertex ") + v[f[0]] + "\nvertex "
            + v[f[1]] + "\nvertex " + v[f[2]] + "\nendloop\nendfacet\n";
    return writeBytes(path, text + "endsolid octahedron\n");
}

QImage frame(Tessaron &window)
{
    window.view()->update();
    QCoreApplication::processEvents();
    return window.view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestAppSession : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void reopensToTheSamePixels();
    void missingRefusedAndForeignSessions();
    void scoresAndTheGapComeBack();
    void renamedLabelsKeepTheirModels();
};

// A plan with a colour, a hidden model, a see-through one, a cut and a turned
// and zoomed camera: saved, spoilt, and opened again to the same frame.
void TestAppSession::reopensToTheSamePixels()
{
    QVERIFY(writeOctahedronStl(data.filePath("octahedron.stl")));
    ShownWindow window;
    window.openModelFile(data.filePath("m0.surf"));
    window.openModelFile(data.filePath("m1.surf"));
    QCOMPARE(window.importModelFile(data.filePath("octahedron.stl")), 1);
    GLWidget *view = window.view();
    ModelListClass &list = view->ModelList;
    QCOMPARE(list.count(), 4);
    list.at(1)->setColor(250, 200, 0);
    list.at(1)->Name = QStringLiteral("Left kidney"); // renamed in the Objects tree
    list.at(2)->setVisible(false);
    ModelClass *octahedron = list.at(3);
    octahedron->setTransparency(true, 0.5);
    list.ActiveIndex = 3;
    const double point[3] = {0.5, 0.5, 0.2}, normal[3] = {0.3, 0, 1};
    window.commands()->applyIntersection(point, normal, false, false);
    // The closest gap of two models chosen in the Objects tree, drawn with its label.
    auto *objects = qobject_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    objects->tree()->clearSelection();
    objects->itemOf(list.at(1))->setSelected(true);
    objects->itemOf(list.at(3))->setSelected(true);
    window.action("actionClosestGap")->trigger();
    QVERIFY(view->measureMark());
    const MeasureMark gap = *view->measureMark();
    view->addXYZRotation(0.5f, -0.3f, 0.2f);
    view->zoomAll(1.4f);
    view->addXYmove(0.1f, -0.05f);
    const QImage before = frame(window);

    const QString path = data.filePath("case.tsn");
    dialogs.saveName = path;
    window.saveSession();
    QCOMPARE(dialogs.saveFilter, QStringLiteral("Sessions (*.tsn)"));
    QVERIFY(QFile::exists(path));
    QVERIFY2(window.windowTitle().startsWith(QStringLiteral("case.tsn — ")),
             qPrintable(window.windowTitle()));
    QCOMPARE(window.recentFiles.value(0), QFileInfo(path).absoluteFilePath());

    // Spoil everything the session holds, then open it again.
    view->addXYZRotation(1.0f, 0.4f, 0);
    list.at(1)->setColor(0, 0, 255);
    list.at(2)->setVisible(true);
    window.closeFile();
    QVERIFY(frame(window) != before);
    dialogs.openNames = {path};
    window.openSession();
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.at(1)->Name, QStringLiteral("Left kidney"));
    QVERIFY(!list.at(2)->Visible);
    QCOMPARE(list.at(3)->Settings.ClipState, PlaneClip::InPlace);
    QVERIFY(view->measureMark());
    QCOMPARE(view->measureMark()->label, gap.label);
    QCOMPARE(view->measureMark()->b[2] - view->measureMark()->a[2], gap.b[2] - gap.a[2]);
    const QImage after = frame(window);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(differingFraction(after, before, 0), 0.0);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestAppSession::missingRefusedAndForeignSessions()
{
    ShownWindow window;
    ModelListClass &list = window.view()->ModelList;
    window.openModelFile(data.filePath("m2.surf"));
    // Refused files leave what is open as it was, and say why.
    const std::pair<const char *, const char *> refused[] = {
        {"{\"tessaron_session\": 1,", "not valid JSON"},
        {R"({"tessaron_session": 7, "models": []})", "version 7; this Tessaron reads version 1"},
    };
    for (const auto &[json, why] : refused) {
        dialogs.shown.clear();
        QVERIFY(writeBytes(data.filePath("bad.tsn"), json));
        window.openModelFile(data.filePath("bad.tsn"));
        QCOMPARE(list.count(), 2);
        QVERIFY2(dialogs.shown.join('\n').contains(QLatin1String(why)),
                 qPrintable(dialogs.shown.join('\n')));
    }
    QVERIFY(!window.windowTitle().contains(QLatin1String("bad.tsn")));
    // Another program's session: relative names, a missing file named, the rest open
    // with their colours, opacity and visibility.
    dialogs.shown.clear();
    QVERIFY(writeBytes(data.filePath("other.tsn"), R"({"tessaron_session": 1, "models": [
        {"file": "m0.surf", "color": [10, 200, 30], "opacity": 0.4},
        {"file": "gone.stl", "name": "stone"},
        {"file": "m1.surf", "visible": false}],
        "camera": {"position": [0.3, 0.3, 3], "focal_point": [0.3, 0.3, 0],
                   "view_up": [0, 1, 0], "view_angle": 30}})"));
    // A session's visibility holds also where the view shows one model at a time.
    window.viewState().Config.visOnlyOneModel = 1;
    window.openModelFile(data.filePath("other.tsn"));
    QCOMPARE(list.count(), 3);
    QVERIFY(list.at(1)->Visible);
    QCOMPARE(list.at(1)->ModelColor[1], 200);
    QVERIFY(list.at(1)->Settings.Transparent && list.at(1)->Settings.Opacity == 0.4);
    QVERIFY(!list.at(2)->Visible);
    const QString shown = dialogs.shown.join('\n');
    QVERIFY2(shown.contains(QLatin1String("gone.stl")) && shown.contains("does not exist"),
             qPrintable(shown));
    // One box for the missing file, not a second for the model it should hold.
    QCOMPARE(dialogs.shown.filter(QLatin1String("gone.stl")).size(), 1);
    // The camera looks down -z at (0.3, 0.3) with x to the right and y up, the
    // picture's half height 3 tan 15° mm: a point of the triangle up and to the
    // left of the focus is green, and one up and to the right (beyond its
    // long edge), as a mirrored camera would show the first, is not.
    const QImage image = frame(window);
    const double perMm = image.height() / 2.0 / (3 * std::tan(15 * M_PI / 180));
    const auto at = [&](double x, double y) {
        return image.pixelColor(int(image.width() / 2.0 + x * perMm),
                                int(image.height() / 2.0 - y * perMm));
    };
    const QColor inside = at(-0.25, 0.6), outside = at(0.25, 0.6);
    QVERIFY2(inside.green() > 2 * inside.red() + 20 && inside.green() > 2 * inside.blue() + 20,
             qPrintable(inside.name()));
    QVERIFY2(outside.green() < 20, qPrintable(outside.name()));
    QVERIFY2(window.windowTitle().startsWith(QLatin1String("other.tsn")),
             qPrintable(window.windowTitle()));
    // A clone has its model's file but is not in it: the session leaves it out and says so.
    list.ActiveIndex = 1;
    window.action("actionCloneFullModel")->trigger();
    QCOMPARE(list.count(), 4);
    dialogs.shown.clear();
    dialogs.saveName = data.filePath("again.tsn");
    window.saveSession();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY2(dialogs.shown[0].contains(QLatin1String("no file")), qPrintable(dialogs.shown[0]));
    window.openModelFile(data.filePath("again.tsn"));
    QCOMPARE(list.count(), 3);
}

// The parts of the scores the user entered and the gap shown reach a new
// window through the session.
void TestAppSession::scoresAndTheGapComeBack()
{
    const QString path = data.filePath("scores.tsn");
    MeasureMark shown;
    using Box = QComboBox *(MeasurementsControl::*)() const;
    const std::pair<Box, int> entered[] = {{&MeasurementsControl::anteriorBox, 2},
                                           {&MeasurementsControl::polarBox, 3},
                                           {&MeasurementsControl::obstructionBox, 1},
                                           {&MeasurementsControl::calycesBox, 2}};
    {
        ShownWindow window;
        window.openModelFile(QStringLiteral(TESSARON_SAMPLE_SCENE));
        window.action("actionMeasurements")->trigger();
        MeasurementsControl *panel = measurementsOf(window);
        QTRY_VERIFY(panel->gapTable()->rowCount() >= 6);
        for (const auto &[box, index] : entered) {
            (panel->*box)()->setCurrentIndex(index);
            emit(panel->*box)()->activated(index);
        }
        emit panel->gapTable()->cellClicked(5, 0); // the second stone to the skin
        QVERIFY(window.view()->measureMark());
        shown = *window.view()->measureMark();
        dialogs.saveName = path;
        window.saveSession();
    }
    ShownWindow window;
    dialogs.openNames = {path};
    window.openSession();
    MeasurementsControl *panel = measurementsOf(window);
    QVERIFY(panel);
    QTRY_VERIFY(window.view()->measureMark().has_value());
    const MeasureMark &mark = *window.view()->measureMark();
    QCOMPARE(mark.label, shown.label);
    QVERIFY(std::equal(mark.a, mark.a + 3, shown.a) && std::equal(mark.b, mark.b + 3, shown.b));
    for (const auto &[box, index] : entered)
        QCOMPARE((panel->*box)()->currentIndex(), index);
    QVERIFY(dialogs.shown.isEmpty());
}

// A label map gives several models; one renamed by the user is found again
// by its label's name and keeps the new one.
void TestAppSession::renamedLabelsKeepTheirModels()
{
    const QString labels = QFileInfo(QStringLiteral(TESSARON_SAMPLE_SCENE))
                               .dir()
                               .filePath(QStringLiteral("kidney_labels.nii"));
    ShownWindow window;
    QVERIFY(window.importModelFile(labels) >= 3);
    ModelListClass &list = window.view()->ModelList;
    const qsizetype count = list.count();
    QStringList names;
    for (qsizetype i = 1; i < count; ++i)
        names << list.at(i)->Name;
    names[1] = QStringLiteral("Left kidney, reviewed");
    list.at(2)->Name = names[1];
    dialogs.saveName = data.filePath("labels.tsn");
    window.saveSession();
    dialogs.openNames = {data.filePath("labels.tsn")};
    window.openSession();
    QCOMPARE(list.count(), count);
    for (qsizetype i = 1; i < count; ++i)
        QCOMPARE(list.at(i)->Name, names[i - 1]);
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
}

TESSARON_VIEW_TEST_MAIN(TestAppSession)
#include "test_app_session.moc"
