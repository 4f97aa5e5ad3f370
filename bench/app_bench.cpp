// Benchmarks of the application window: opening a scene of many small models
// in the main window, with its Objects panel, as a user opens it, against the
// floor of reading the same files into models without a window. For each
// model count one child process loads the scene, so that its peak memory is
// its own. Then a large model's first frame: the viewer started with a file
// of 4 M triangles until it has drawn it, against tessaron-cli render of the
// same file, in turns. Each figure is one line "BENCH <case> <value> <unit>".
// Needs a display (make bench uses xvfb-run). The counts may be given as
// arguments.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "app/Tessaron.h"
#include "formats/SceneWalk.h"
#include "model/ModelClass.h"
#include "view/GLWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A scene of `count` small tori (about 200 triangles each), one file each.
QString writeScene(const QTemporaryDir &dir, int count)
{
    const std::unique_ptr<MeshClass> mesh(makeTorusSurface(200));
    const QByteArray bytes = surfFileBytes(*mesh);
    QByteArray scene = "# many models\n";
    for (int i = 0; i < count; ++i) {
        const QString name = QString("part_%1.surf").arg(i, 4, 10, QChar('0'));
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        scene += "[ load ${SCRIPTDIR}/" + name.toUtf8() + " ] setLabel {" + name.toUtf8() + "}\n";
    }
    const QString path = dir.filePath("many.hx");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(scene) != scene.size())
        std::abort();
    return path;
}

void sceneCase(int count)
{
    QTemporaryDir dir;
    const QString scene = writeScene(dir, count);
    qputenv("HOME", dir.path().toLocal8Bit()); // no settings of the user's are read or written
    static int argc = 1;
    static char name[] = "tessaron-app-bench";
    static char *argv[] = {name, nullptr};
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    // The floor: every listed file read into a model, nothing shown.
    const double files = seconds([&] {
        std::vector<std::unique_ptr<ModelClass>> models;
        walkScene(scene,
                  {[&](const QString &path) {
                       models.push_back(std::make_unique<ModelClass>());
                       return models.back()->loadFile(path) == 0;
                   },
                   [](const QString &) { return false; }});
        if (models.size() != size_t(count))
            std::abort();
    });
    Tessaron window;
    window.show();
    const double load = seconds([&] { window.openModelFile(scene); });
    if (window.view()->ModelList.count() != count + 1)
        std::abort();
    const QString prefix = QString("scene_%1_models").arg(count);
    report(prefix + "/read_files_only", files, "s");
    report(prefix + "/open_in_window", load, "s");
    report(prefix + "/window_over_files", load / files, "x");
    report(prefix + "/peak_rss", peakMegabytes(), "MB");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1.0 : values[values.size() / 2];
}

// Seconds from the start of `program` until a line of its standard error
// holds `marker` (then it is ended), or until it exits when `marker` is
// empty; -1 when it fails or the marker never comes.
double timeProgram(const QString &program, const QStringList &args, const QString &folder,
                   const QByteArray &marker)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", folder); // a first start: no settings of the user's
    environment.insert("QT_LOGGING_RULES", "tessaron.trace.debug=true");
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, args);
    if (!process.waitForStarted())
        return -1;
    if (marker.isEmpty()) {
        const bool done = process.waitForFinished(600000) && process.exitCode() == 0;
        return done ? double(clock.nsecsElapsed()) * 1e-9 : -1;
    }
    QByteArray seen;
    while (process.state() == QProcess::Running && clock.elapsed() < 600000) {
        process.waitForReadyRead(100);
        seen += process.readAllStandardError();
        if (seen.contains(marker)) {
            const double time = double(clock.nsecsElapsed()) * 1e-9;
            process.kill();
            process.waitForFinished();
            return time;
        }
    }
    process.kill();
    process.waitForFinished();
    return -1;
}

// The viewer started with a 4 M-triangle .surf until its first frame of the
// model, beside tessaron-cli render of the same file; medians of `runs`
// turns each and their ratio.
void firstFrameCase(int runs)
{
    QTemporaryDir dir;
    const QString surf = dir.filePath("torus_4M.surf");
    {
        const std::unique_ptr<MeshClass> mesh(makeTorusSurface(4'000'000));
        QFile file(surf);
        const QByteArray bytes = surfFileBytes(*mesh);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    std::vector<double> viewer, cli;
    for (int i = 0; i < runs; ++i) {
        cli.push_back(timeProgram(TESSARON_CLI, {"render", surf, dir.filePath("out.png")},
                                  dir.path(), QByteArray()));
        viewer.push_back(timeProgram(TESSARON_APP, {surf}, dir.path(),
                                     QByteArrayLiteral("view: first frame of models")));
    }
    report("first_frame_4M/tessaron", median(viewer), "s");
    report("first_frame_4M/tessaron-cli_render", median(cli), "s");
    report("first_frame_4M/tessaron_over_cli", median(viewer) / median(cli), "ratio");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && QByteArray(argv[1]) == "first-frame") {
        QCoreApplication app(argc, argv);
        firstFrameCase(3);
        return 0;
    }
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {100, 400, 1000};
    for (int count : counts) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            sceneCase(count);
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return 1;
    }
    // The first frame in a process of its own too: the scenes' windows are gone.
    const pid_t child = fork();
    if (child == 0) {
        int one = 1;
        char *args[] = {argv[0], nullptr};
        QCoreApplication app(one, args);
        firstFrameCase(3);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
