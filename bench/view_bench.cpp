// Benchmarks of the view on this machine's software renderer, beside a
// well-known viewer doing the same job. Each figure is one line
// "BENCH <case> <value> <unit>". Needs a display (make bench uses xvfb-run).

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "geometry/DrawingBackend.h"
#include "view/GLWidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Best wall time of a program run, from process start to its exit.
double runProgram(const QString &program, const QStringList &args, int runs)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double t = seconds([&] {
            process.start(program, args);
            process.waitForFinished(120000);
        });
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return -1;
        best = std::min(best, t);
    }
    return best;
}

void viewCases(const QString &surf)
{
    GLWidget view(nullptr, nullptr);
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
    report("view_1M/load_to_first_frame", firstFrame, "s");
    report("view_1M/of_which_list_compile", counting.time, "s");
    report("view_1M/of_which_first_frame", loaded, "s");
    counting.builds = 0;
    std::vector<double> frames;
    for (int i = 0; i < 10; ++i) {
        view.addYRotation(0.05f);
        frames.push_back(seconds([&] { view.renderImage(1024, 768); }));
    }
    setDrawingBackend(counting.inner);
    report("view_1M/repaint_median", median(frames), "s");
    report("view_1M/repaint_best", *std::min_element(frames.begin(), frames.end()), "s");
    report("view_1M/lists_compiled_in_10_repaints", counting.builds, "count");
}

// The case sheet of the sample scene, whole process: its views as 300 dpi
// pictures (the default for a scene of see-through models) and as vector
// drawings, beside `info`, which measures the same scene and draws nothing.
void caseSheet(const QTemporaryDir &dir)
{
    const QString scene = QStringLiteral(TESSARON_SAMPLE_SCENE);
    const QString pdf = dir.filePath("sheet.pdf");
    const double info = runProgram(QStringLiteral(TESSARON_CLI), {"info", scene}, 3);
    const double sheet = runProgram(QStringLiteral(TESSARON_CLI), {"sheet", scene, pdf}, 3);
    report("sheet_sample/tessaron-cli", sheet, "s");
    report("sheet_sample/pdf_size", double(QFileInfo(pdf).size()) / 1024, "KiB");
    report("sheet_sample/info_same_scene", info, "s");
    report("sheet_sample/sheet_vs_info", sheet / info, "x");
    const double vector =
        runProgram(QStringLiteral(TESSARON_CLI), {"sheet", scene, pdf, "--views", "vector"}, 1);
    report("sheet_sample_vector/tessaron-cli", vector, "s");
    report("sheet_sample_vector/pdf_size", double(QFileInfo(pdf).size()) / 1024, "KiB");
}

} // namespace

int main(int argc, char **argv)
{
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString surf = dir.filePath("torus_1M.surf");
    {
        std::unique_ptr<MeshClass> mesh(makeTorusSurface(1'000'000));
        QFile file(surf);
        if (!file.open(QIODevice::WriteOnly) || file.write(surfFileBytes(*mesh)) < 0)
            return 1;
        report("view_1M/triangles", mesh->CountOfCells[Triangle], "count");
    }
    viewCases(surf);

    const QString png = dir.filePath("out.png");
    const double cli =
        runProgram(QStringLiteral(TESSARON_CLI), {"render", surf, png, "--size", "1024x768"}, 3);
    report("render_1M_png/tessaron-cli", cli, "s");
    caseSheet(dir);
    return 0;
}
