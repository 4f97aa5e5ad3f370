// Benchmarks of the view on this machine's software renderer, beside a
// well-known viewer doing the same job (Debian's f3d, a timing peer only).
// Each figure is one line "BENCH <case> <value> <unit>". Needs a display
// (make bench uses xvfb-run).

#include "BenchReport.h"
#include "ChildRuns.h"
#include "SyntheticMeshes.h"
#include "geometry/DrawingBackend.h"
#include "view/Drawing.h"
#include "view/GLWidget.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Forwards to the view's backend; counts and times the lists compiled.
struct CountingBackend : DrawingBackend
{
    DrawingBackend *inner = nullptr;
    int builds = 0;
    double time = 0;
    void deleteLists(quint32 first, qint32 count) override { inner->deleteLists(first, count); }
    void buildDisplayLists(MeshClass &block, int function, const _DREAL *points, qint32 count,
                           bool coloured) override
    {
        ++builds;
        time +=
            seconds([&] { inner->buildDisplayLists(block, function, points, count, coloured); });
    }
};

// A closed torus of about `triangles` triangles as a .surf file and, for the
// peer, the same mesh as a PLY file.
struct TorusFiles
{
    QString surf, ply;
    qint64 triangles = 0;
};

TorusFiles writeTorus(const QTemporaryDir &dir, qint64 triangles, const QString &name)
{
    std::unique_ptr<MeshClass> mesh(makeTorusSurface(triangles));
    TorusFiles files {dir.filePath(name + ".surf"), dir.filePath(name + ".ply"),
                      mesh->CountOfCells[Triangle]};
    QFile surf(files.surf), ply(files.ply);
    if (!surf.open(QIODevice::WriteOnly) || surf.write(surfFileBytes(*mesh)) < 0
        || !ply.open(QIODevice::WriteOnly) || ply.write(plyFileBytes(*mesh)) < 0)
        std::abort();
    return files;
}

// Paired runs of tessaron-cli render and the peer's render of the same mesh
// to a 1024 x 768 PNG, taking turns; medians of both and their ratio.
// Returns our median time.
double renderCases(const TorusFiles &files, const QString &label, int pairs, bool withPeer)
{
    const QString png = QFileInfo(files.surf).path() + QStringLiteral("/out.png");
    std::vector<double> ours, peers, ourPeak, peerPeak;
    for (int i = 0; i < pairs; ++i) {
        const ChildRun run = runChild(
            {QStringLiteral(TESSARON_CLI), "render", files.surf, png, "--size", "1024x768"});
        if (!run.ok)
            std::abort();
        ours.push_back(run.seconds);
        ourPeak.push_back(run.peakMegabytes * 1024 * 1024);
        if (!withPeer)
            continue;
        const ChildRun peer =
            runChild({"f3d", "--output=" + png, "--resolution=1024,768", files.ply});
        if (!peer.ok)
            continue; // the peer is missing or failed: our figures stand alone
        peers.push_back(peer.seconds);
        peerPeak.push_back(peer.peakMegabytes * 1024 * 1024);
    }
    const QString prefix = QStringLiteral("render_%1_png/").arg(label);
    report(prefix + "triangles", double(files.triangles), "count");
    report(prefix + "tessaron-cli", median(ours), "s");
    report(prefix + "tessaron-cli_peak_memory", median(ourPeak) / 1e6, "MB");
    report(prefix + "tessaron-cli_bytes_per_triangle", median(ourPeak) / double(files.triangles),
           "B");
    if (!peers.empty()) {
        report(prefix + "f3d", median(peers), "s");
        report(prefix + "f3d_peak_memory", median(peerPeak) / 1e6, "MB");
        report(prefix + "f3d_over_tessaron", median(peers) / median(ours), "ratio");
    }
    return median(ours);
}

// Frames per second of a scripted drag: the left button held while the
// pointer moves in small steps, each step's frame drawn as the screen would.
double dragFramesPerSecond(GLWidget &view, int steps)
{
    auto send = [&](QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(pos), QPointF(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, {500, 380}, Qt::LeftButton);
    const double time = seconds([&] {
        for (int i = 1; i <= steps; ++i) {
            send(QEvent::MouseMove, {500 + 4 * i, 380 + i}, Qt::LeftButton);
            view.grabFramebuffer();
        }
    });
    send(QEvent::MouseButtonRelease, {500 + 4 * steps, 380 + steps}, Qt::NoButton);
    return steps / time;
}

void viewCases(const QString &surf, const QString &label)
{
    GLWidget view(nullptr, nullptr);
    ViewCommands commands(view);
    view.resize(1024, 768);
    view.renderImage(1024, 768); // context and GL initialisation, not timed
    CountingBackend counting;
    counting.inner = setDrawingBackend(&counting);
    double loaded = 0;
    const double firstFrame = seconds([&] {
        if (view.loadModelFile(surf) != 0)
            std::abort();
        loaded = seconds([&] { view.renderImage(1024, 768); });
    });
    const QString prefix = QStringLiteral("view_%1/").arg(label);
    report(prefix + "load_to_first_frame", firstFrame, "s");
    report(prefix + "of_which_list_compile", counting.time, "s");
    report(prefix + "of_which_first_frame", loaded, "s");
    counting.builds = 0;
    std::vector<double> frames;
    for (int i = 0; i < 10; ++i) {
        commands.addYRotation(0.05f);
        frames.push_back(seconds([&] { view.renderImage(1024, 768); }));
    }
    report(prefix + "repaint_median", median(frames), "s");
    report(prefix + "repaint_best", *std::min_element(frames.begin(), frames.end()), "s");

    // The drag drawn in full (as with --full-drawing), then reduced; the
    // first reduced frame makes the reduced form.
    view.Reduced.Enabled = false;
    const double full = dragFramesPerSecond(view, 5);
    view.Reduced.Enabled = true;
    view.grabFramebuffer(); // a full frame on screen, whose time decides
    const double making = seconds([&] { dragFramesPerSecond(view, 1); });
    faceCounts() = {};
    const double reduced = dragFramesPerSecond(view, 20);
    setDrawingBackend(counting.inner);
    report(prefix + "lists_compiled_in_repaints_and_drags", counting.builds, "count");
    report(prefix + "drag_fps_full", full, "fps");
    report(prefix + "drag_first_reduced_frame", making, "s");
    report(prefix + "drag_fps_reduced", reduced, "fps");
    report(prefix + "drag_reduced_triangles_per_frame", double(faceCounts().reduced) / 20, "count");
}

// The case sheet of the sample scene, whole process: its views as 300 dpi
// pictures (the default for a scene of see-through models) and as vector
// drawings, beside `info`, which measures the same scene and draws nothing.
void caseSheet(const QTemporaryDir &dir)
{
    // The best of `runs` whole-process times; -1 when a run failed.
    const auto runProgram = [](const QString &program, const QStringList &args, int runs) {
        double best = 1e30;
        for (int i = 0; i < runs; ++i) {
            const ChildRun run = runChild(QStringList {program} + args);
            if (!run.ok)
                return -1.0;
            best = std::min(best, run.seconds);
        }
        return best;
    };
    const QString scene = QStringLiteral(TESSARON_SAMPLE_SCENE);
    const QString pdf = dir.filePath("sheet.pdf");
    const double info = runProgram(QStringLiteral(TESSARON_CLI), {"info", scene}, 3);
    const double sheet = runProgram(QStringLiteral(TESSARON_CLI), {"sheet", scene, pdf}, 3);
    report("sheet_sample/tessaron-cli", sheet, "s");
    report("sheet_sample/pdf_size", double(QFileInfo(pdf).size()) / 1024, "KiB");
    report("sheet_sample/info_same_scene", info, "s");
    report("sheet_sample/sheet_vs_info", sheet / info, "x");
    const double picture =
        runProgram(QStringLiteral(TESSARON_CLI), {"sheet", scene, pdf, "--views", "picture"}, 3);
    const double vector =
        runProgram(QStringLiteral(TESSARON_CLI), {"sheet", scene, pdf, "--views", "vector"}, 3);
    report("sheet_sample_vector/tessaron-cli", vector, "s");
    report("sheet_sample_vector/pdf_size", double(QFileInfo(pdf).size()) / 1024, "KiB");
    // The goal: vector views at most twice the pictures' time, same run.
    report("sheet_sample_vector/picture_same_run", picture, "s");
    report("sheet_sample_vector/vector_vs_picture", vector / picture, "x");
}

} // namespace

int main(int argc, char **argv)
{
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // Without a peer on this machine our figures are printed alone.
    QProcess probe;
    probe.start(QStringLiteral("f3d"), {"--version"});
    const bool peer = probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit
        && probe.exitCode() == 0;
    const TorusFiles m1 = writeTorus(dir, 1'000'000, QStringLiteral("torus_1M"));
    const TorusFiles m4 = writeTorus(dir, 4'000'000, QStringLiteral("torus_4M"));
    const double t1 = renderCases(m1, QStringLiteral("1M"), 3, peer);
    const double t4 = renderCases(m4, QStringLiteral("4M"), 3, peer);
    report("render_png/growth_1M_to_4M", t4 / t1, "ratio");
    viewCases(m4.surf, QStringLiteral("4M"));
    QFile::remove(m1.ply);
    QFile::remove(m4.ply);
    const TorusFiles m16 = writeTorus(dir, 16'000'000, QStringLiteral("torus_16M"));
    QFile::remove(m16.ply);
    renderCases(m16, QStringLiteral("16M"), 1, false);
    viewCases(m16.surf, QStringLiteral("16M"));
    // The high-water mark of this process: the 16 M view with its lists, or
    // the making of its file if that took more.
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    report("view_16M/peak_memory_at_most", double(usage.ru_maxrss) * 1024.0 / 1e6, "MB");
    caseSheet(dir);
    return 0;
}
