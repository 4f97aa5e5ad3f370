// Stones found in the window on the sample CT: the list and its stones
// model, a chosen row, a pick, a dragged box, a session keeping them, and
// the work running off the interface thread.

#include "AppTestBase.h"
#include "app/BackgroundJob.h"
#include "app/StoneFinding.h"
#include "app/panels/SliceControl.h"
#include "app/panels/SliceView.h"
#include "app/panels/StonesBox.h"
#include "measure/Anatomy.h"
#include "model/ImageSlice.h"

#include <atomic>

namespace {

const QString kSamples = QStringLiteral(TESSARON_SAMPLE_DIR);

// The volumes the sample stones' surfaces enclose, smallest first.
constexpr double kTrueVolumes[] = {71.4, 122.1, 309.5};

struct StoneWindow : ShownWindow
{
    StoneWindow()
    {
        resize(1400, 1000);
        QVERIFY(QTest::qWaitForWindowExposed(this));
    }
    StoneFinding &finding() { return *stoneFinding(); }
    SliceControl *slice() { return static_cast<SliceControl *>(panel(PanelKind::Slice)); }
    StonesBox *box() { return slice()->stonesBox(); }
    QTableWidget *table() { return box()->table(); }
};

// The voxel of a world point, rounded.
std::array<qint64, 3> voxelAt(const ImageVolume &image, const measure::Point3 &world)
{
    const std::array<double, 3> at = voxelOf(image, world.data());
    return {std::llround(at[0]), std::llround(at[1]), std::llround(at[2])};
}

// Clicks the slice picture at a world point lying in the axial plane shown.
void clickAt(StoneWindow &window, const measure::Point3 &world)
{
    const ImageVolume &image = *window.viewState().Image;
    const std::array<qint64, 3> voxel = voxelAt(image, world);
    window.viewState().Slices.index[size_t(SliceOrientation::Axial)] = voxel[2];
    window.slice()->setOrientation(SliceOrientation::Axial);
    window.slice()->refresh();
    SliceView *view = window.slice()->sliceView();
    const QPointF at = view->widgetPointOf(double(voxel[0]), double(voxel[1]));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at.toPoint());
}

void waitForStones(StoneWindow &window)
{
    QTRY_VERIFY_WITH_TIMEOUT(!window.finding().busy(), 20000);
}

// The stone volumes the Measurements panel lists for the scene, smallest first.
std::vector<double> listedVolumes(StoneWindow &window)
{
    window.action("actionMeasurements")->trigger();
    MeasurementsControl *panel = measurementsOf(window);
    std::vector<double> volumes;
    if (!panel)
        return volumes;
    if (!QTest::qWaitFor([panel] { return panel->stoneTable()->rowCount() > 0; }, 5000))
        return volumes;
    for (int row = 0; row < panel->stoneTable()->rowCount(); ++row)
        volumes.push_back(panel->stoneTable()->item(row, 1)->text().toDouble());
    std::sort(volumes.begin(), volumes.end());
    return volumes;
}

double componentCount(const measure::FoundStone &stone)
{
    return double(measure::stoneSurface(stone).triangleCount());
}

} // namespace

class TestStonesPanel : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void findChooseAndReplace();
    void pickAndBox();
    void refusedImage();
    void sessionKeepsFoundStones();
    void workRunsOffTheInterfaceThread();
};

void TestStonesPanel::findChooseAndReplace()
{
    StoneWindow window;
    window.openModelFile(kSamples + "/scene.hx");
    QCOMPARE(window.models().count(), 8); // the scene and its seven surfaces
    window.importModelFile(kSamples + "/kidney_ct.nii");
    QVERIFY(window.viewState().Image && window.slice());
    const qsizetype models = window.models().count();
    QVERIFY2(window.box()->regionLabel()->text().contains("kidneys"),
             qPrintable(window.box()->regionLabel()->text()));

    // The menu's entry starts the search; the call returns before it ends.
    window.action("actionFindStones")->trigger();
    QVERIFY(window.finding().busy());
    QCOMPARE(window.table()->rowCount(), 0);
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 3);
    std::vector<double> volumes;
    for (const measure::FoundStone &s : window.finding().stones())
        volumes.push_back(s.volumeMm3);
    std::sort(volumes.begin(), volumes.end());
    for (int n = 0; n < 3; ++n)
        QVERIFY2(std::abs(volumes[size_t(n)] / kTrueVolumes[n] - 1) < 0.10,
                 qPrintable(QString::number(volumes[size_t(n)])));
    QCOMPARE(window.table()->item(0, 1)->text(),
             QString::number(window.finding().stones()[0].volumeMm3, 'f', 1));
    QCOMPARE(window.models().count(), models + 1);
    // Guarded: the next model may be made where this one was.
    const QPointer<ModelClass> first = window.finding().model();
    QVERIFY(first);
    QCOMPARE(measure::anatomyOf(first->title(), first->FileName), measure::Anatomy::Stones);

    // Choosing the second row: the planes through its centre, its component selected.
    QTableWidget *table = window.table();
    const QRect cell = table->visualItemRect(table->item(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    const measure::FoundStone &chosen = window.finding().stones()[1];
    const ImageVolume &image = *window.viewState().Image;
    const std::array<qint64, 3> voxel = voxelAt(image, chosen.centre);
    for (int o = 0; o < kSliceOrientations; ++o)
        QCOMPARE(window.viewState().Slices.index[size_t(o)],
                 voxel[size_t(sliceAxis(image, SliceOrientation(o)))]);
    QCOMPARE(window.models().active(), first.data());
    const MeshClass *mesh = first->Meshes.first();
    QCOMPARE(double(mesh->CountOfSelTriVertices), 3 * componentCount(chosen));
    double mean[3] = {0, 0, 0};
    for (qint32 v = 0; v < mesh->CountOfSelTriVertices; ++v)
        for (int a = 0; a < 3; ++a)
            mean[a] += mesh->SelTriVertices[3 * v + a] / double(mesh->CountOfSelTriVertices);
    for (int a = 0; a < 3; ++a)
        QVERIFY(std::abs(mean[a] - chosen.centre[size_t(a)]) < 1.0);

    // A second search replaces the model the first one made.
    QVERIFY(window.box()->findButton()->isEnabled());
    QTest::mouseClick(window.box()->findButton(), Qt::LeftButton);
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 3);
    QCOMPARE(window.models().count(), models + 1);
    QVERIFY(!first);
    QVERIFY(window.finding().model());
}

void TestStonesPanel::pickAndBox()
{
    StoneWindow window;
    window.importModelFile(kSamples + "/kidney_ct.nii");
    QVERIFY(window.slice());
    QVERIFY2(window.box()->regionLabel()->text().contains("whole image"),
             qPrintable(window.box()->regionLabel()->text()));
    QVERIFY(window.box()->isVisible() && !window.table()->isVisible());
    QTest::mouseClick(window.box()->pickButton(), Qt::LeftButton);
    QVERIFY(window.box()->picking());

    // A pick on the largest stone (centre near (29, 1, 1) mm) gives that one stone.
    clickAt(window, {29, 1, 1});
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 1);
    const measure::FoundStone picked = window.finding().stones()[0];
    QVERIFY2(std::abs(picked.volumeMm3 / kTrueVolumes[2] - 1) < 0.10,
             qPrintable(QString::number(picked.volumeMm3)));
    QCOMPARE(window.models().count(), 2);
    // The picked stone is chosen: the planes stand at its centre.
    const std::array<qint64, 3> centre = voxelAt(*window.viewState().Image, picked.centre);
    QCOMPARE(window.viewState().Slices.index[size_t(SliceOrientation::Sagittal)], centre[0]);
    QCOMPARE(window.viewState().Slices.index[size_t(SliceOrientation::Coronal)], centre[1]);

    // Soft tissue 15 mm beside it: no stone, and a message says so.
    clickAt(window, {29, 1 + 15, 1});
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 1);
    QVERIFY2(window.box()->messageLabel()->text().startsWith("No stone here"),
             qPrintable(window.box()->messageLabel()->text()));
    // The same stone again is not listed twice.
    clickAt(window, picked.centre);
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 1);

    // A box dragged on the axial plane around the middle stone bounds the search to it.
    QTest::mouseClick(window.box()->boxButton(), Qt::LeftButton);
    QVERIFY(window.box()->boxing() && !window.box()->picking());
    SliceView *view = window.slice()->sliceView();
    const ImageVolume &image = *window.viewState().Image;
    const auto corner = [&](double x, double y) {
        const std::array<qint64, 3> v = voxelAt(image, {x, y, picked.centre[2]});
        return view->widgetPointOf(double(v[0]), double(v[1])).toPoint();
    };
    const QPoint from = corner(20, -8), to = corner(38, 10);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(window.finding().box());
    const std::array<double, 6> box = *window.finding().box();
    QVERIFY2(std::abs(box[0] - 19.5) < 1.1 && std::abs(box[1] - 38.5) < 1.1
                 && std::abs(box[2] + 8.5) < 1.1 && std::abs(box[3] - 10.5) < 1.1,
             qPrintable(QString("%1 %2 %3 %4").arg(box[0]).arg(box[1]).arg(box[2]).arg(box[3])));
    // Across the plane the box spans the whole image, and the picture shows it.
    QVERIFY(box[4] < -70 && box[5] > 70);
    QVERIFY(view->box().has_value());
    QVERIFY(window.box()->regionLabel()->text().contains("box"));
    QVERIFY(window.finding().find());
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 1);
    QVERIFY(std::abs(window.finding().stones()[0].centre[0] - picked.centre[0]) < 0.5);
    QCOMPARE(window.models().count(), 2);
    // Cleared, the search covers the whole image again.
    QTest::mouseClick(window.box()->clearBoxButton(), Qt::LeftButton);
    QVERIFY(!window.finding().box() && !view->box());
    QVERIFY(window.finding().find());
    waitForStones(window);
    QCOMPARE(window.table()->rowCount(), 3);

    // Another image starts with no list and no box; the stones model stays.
    window.finding().setBox(box);
    window.closeImage();
    window.importModelFile(kSamples + "/kidney_ct.nii");
    QCOMPARE(window.table()->rowCount(), 0);
    QVERIFY(!window.finding().box() && !view->box());
    QCOMPARE(window.models().count(), 2);
}

void TestStonesPanel::refusedImage()
{
    // A map of labels 0 to 3 is no CT: the search is refused with the reason.
    StoneWindow window;
    auto labels = std::make_shared<ImageVolume>();
    labels->size[0] = labels->size[1] = labels->size[2] = 8;
    labels->shorts.assign(512, qint16(0));
    for (size_t v = 0; v < 512; v += 5)
        labels->shorts[v] = qint16(v % 4);
    window.viewState().Slices = centredSlices(*labels);
    window.viewState().Image = labels;
    window.showState();
    QVERIFY(!window.box()->isVisible());
    QVERIFY(!window.finding().find());
    QVERIFY(!window.finding().busy());
    QVERIFY2(window.box()->messageLabel()->text().contains("Hounsfield"),
             qPrintable(window.box()->messageLabel()->text()));
    QCOMPARE(window.models().count(), 1);
}

// The stones found have no file: a session writes them beside itself, a
// later save overwrites them, and they open again as a stones model with the
// same volumes. A session whose name reads as a tumour's keeps them under a
// name that still reads as stones.
void TestStonesPanel::sessionKeepsFoundStones()
{
    const QString plan = data.filePath("plan.v2.tsn"), tumour = data.filePath("tumour.plan.tsn");
    std::vector<double> before;
    {
        StoneWindow window;
        window.importModelFile(kSamples + "/kidney_ct.nii");
        window.finding().setBox(std::array<double, 6> {20, 38, -8, 10, -100, 100});
        QVERIFY(window.finding().find());
        waitForStones(window);
        QCOMPARE(window.finding().stones().size(), size_t(1));
        dialogs.saveName = plan;
        window.saveSession();
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
        QCOMPARE(window.finding().model()->FileName, data.filePath("plan_v2_stones.stl"));

        // All three found, saved under both names: the first file is overwritten.
        window.finding().setBox(std::nullopt);
        QVERIFY(window.finding().find());
        waitForStones(window);
        QCOMPARE(window.finding().stones().size(), size_t(3));
        before = listedVolumes(window);
        QCOMPARE(before.size(), size_t(3));
        dialogs.saveName = tumour;
        window.saveSession();
        QCOMPARE(window.finding().model()->FileName, data.filePath("stones.stl"));
        dialogs.saveName = plan;
        window.saveSession();
        QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
        QCOMPARE(
            QDir(data.path()).entryList({"*.tsn", "*.stl", ".*"}, QDir::Files | QDir::Hidden),
            (QStringList {"plan.v2.tsn", "plan_v2_stones.stl", "stones.stl", "tumour.plan.tsn"}));
    }
    for (const QString &session : {plan, tumour}) {
        StoneWindow window;
        dialogs.openNames = {session};
        window.openSession();
        QVERIFY(window.viewState().Image);
        QCOMPARE(window.models().count(), 2);
        const ModelClass *stones = window.models().at(1);
        QCOMPARE(measure::anatomyOf(stones->title(), stones->FileName), measure::Anatomy::Stones);
        const std::vector<double> after = listedVolumes(window);
        QCOMPARE(after.size(), size_t(3));
        for (size_t n = 0; n < 3; ++n)
            QVERIFY2(std::abs(after[n] / before[n] - 1) < 0.01,
                     qPrintable(QString("%1 / %2").arg(after[n]).arg(before[n])));
    }
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
}

void TestStonesPanel::workRunsOffTheInterfaceThread()
{
    BackgroundJob job(nullptr);
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    std::atomic<bool> release {false};
    std::atomic<QThread *> worker {nullptr};
    int delivered = 0;
    // Ends when released, or after two seconds should it block the interface.
    const auto slow = [&] {
        worker = QThread::currentThread();
        QElapsedTimer clock;
        clock.start();
        while (!release && clock.elapsed() < 2000)
            QThread::msleep(5);
    };
    QVERIFY(job.start("slow", slow, [&](bool ok) { delivered += ok; }));
    QVERIFY(!job.start(
        "another", [] {}, [](bool) {}));
    // Past the moment the dialog shows, while the event loop has kept running.
    QTRY_VERIFY_WITH_TIMEOUT(job.dialog() && job.dialog()->isVisible(), 3000);
    QVERIFY(ticks >= 10);
    QVERIFY(worker.load() && worker.load() != QThread::currentThread());
    release = true;
    QTRY_VERIFY(!job.running());
    QCOMPARE(delivered, 1);
    QVERIFY(!job.dialog());

    // Cancel drops the result of work that then ends.
    release = false;
    QVERIFY(job.start("slow", slow, [&](bool ok) { delivered += ok; }));
    QTRY_VERIFY_WITH_TIMEOUT(job.dialog() && job.dialog()->isVisible(), 3000);
    QTest::mouseClick(job.dialog()->findChild<QPushButton *>(), Qt::LeftButton);
    QVERIFY(!job.dialog() && job.running());
    release = true;
    QTRY_VERIFY(!job.running());
    QCOMPARE(delivered, 1);

    // Quick work ends before any dialog shows; work that throws is no result.
    QVERIFY(job.start(
        "quick", [] {}, [&](bool ok) { delivered += ok; }));
    QTRY_VERIFY(!job.running());
    QCOMPARE(delivered, 2);
    QTest::qWait(BackgroundJob::kShowAfterMs + 100);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<QProgressDialog *>(w) || !w->isVisible());
    bool failed = false;
    QVERIFY(job.start(
        "throws", [] { throw std::bad_alloc(); }, [&](bool ok) { failed = !ok; }));
    QTRY_VERIFY(!job.running());
    QVERIFY(failed);
}

TESSARON_VIEW_TEST_MAIN(TestStonesPanel)
#include "test_stones_panel.moc"
