// A structure set of 30 ROIs (ellipsoids of 128-point contours) over 300
// planes 1 mm apart, without its image, to closed surfaces: the whole import
// as a process, the median of three runs after one unmeasured, and its peak
// resident memory. Goal: under 5 s. The set-up script (pydicom) writes the
// file once into the temporary folder.
//
//     tessaron-bench-rtstruct         the benchmark
//     tessaron-bench-rtstruct FILE    imports the file and prints its models

#include "BenchReport.h"

#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 3;

struct Run
{
    double seconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

Run runOnce(const QString &self, const QString &file)
{
    const QByteArray program = self.toLocal8Bit(), argument = file.toLocal8Bit();
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (FILE *quiet = std::freopen("/dev/null", "w", stdout))
            (void)quiet;
        execl(program.constData(), program.constData(), argument.constData(), nullptr);
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

QString benchFile()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("tessaron-bench-rtstruct"));
    const QString file = QDir(folder).filePath(QStringLiteral("bench_rs.dcm"));
    if (!QFileInfo::exists(file))
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          {TESSARON_RTSTRUCT_WRITER, "--bench", folder});
    return file;
}

int bench(const QString &self)
{
    const QString file = benchFile();
    std::fflush(stdout); // the children must not repeat what is buffered
    const QString name = QStringLiteral("rtstruct_30rois_300slices");
    if (!runOnce(self, file).ok) {
        std::printf("BENCH %s failed\n", qPrintable(name));
        return 1;
    }
    std::vector<double> times;
    double peak = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = runOnce(self, file);
        if (!run.ok) {
            std::printf("BENCH %s failed\n", qPrintable(name));
            return 1;
        }
        times.push_back(run.seconds);
        peak = std::max(peak, run.peakMegabytes);
    }
    std::sort(times.begin(), times.end());
    report(name + "/seconds", times[times.size() / 2], "s");
    report(name + "/peak_memory", peak, "MB");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return bench(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(QString::fromLocal8Bit(argv[1]), models);
    for (const QString &w : result.warnings)
        std::fprintf(stderr, "warning: %s\n", qPrintable(w));
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    for (const auto &model : models)
        std::printf("%s\n", qPrintable(model->Name));
    return 0;
}
