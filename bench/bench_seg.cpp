// A DICOM segmentation of 100 segments over a 512 × 512 × 300 grid to
// surfaces, as a whole process: wall time (the median of runs after one
// unmeasured) and peak resident memory. The segmentation is written once by
// the tests' pydicom script.
//
//     tessaron-bench-seg          the benchmark
//     tessaron-bench-seg FILE     reads the segmentation and prints its model count

#include "BenchReport.h"

#include "import/DicomSeg.h"
#include "import/ImportTypes.h"
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

constexpr int kSegments = 100, kColumns = 512, kRows = 512, kSlices = 300;
constexpr int kRuns = 3;

struct Run
{
    double seconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

Run runOnce(const QString &self, const QString &file)
{
    QByteArray program = QFile::encodeName(self), input = QFile::encodeName(file);
    char *argv[] = {program.data(), input.data(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (FILE *quiet = std::freopen("/dev/null", "w", stdout))
            (void)quiet;
        execv(argv[0], argv);
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

QString segmentationFile()
{
    const QString file =
        QDir::temp().filePath(QStringLiteral("tessaron-bench-seg/seg-%1-%2x%3x%4.dcm")
                                  .arg(kSegments)
                                  .arg(kColumns)
                                  .arg(kRows)
                                  .arg(kSlices));
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(QFileInfo(file).path());
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          {TESSARON_SEG_WRITER, "--bench", file, QString::number(kSegments),
                           QString::number(kColumns), QString::number(kRows),
                           QString::number(kSlices)});
    }
    return file;
}

int bench(const QString &self)
{
    const QString file = segmentationFile();
    const QString name = QStringLiteral("dicom_seg_%1_segments_%2x%3x%4")
                             .arg(kSegments)
                             .arg(kColumns)
                             .arg(kRows)
                             .arg(kSlices);
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
    ImportWarnings warnings;
    try {
        std::vector<std::unique_ptr<ModelClass>> models;
        importDicomSeg(QString::fromLocal8Bit(argv[1]), models);
        std::printf("%zu models\n", models.size());
        for (const QString &w : warnings.list())
            std::fprintf(stderr, "warning: %s\n", qPrintable(w));
        return models.size() == size_t(kSegments) ? 0 : 1;
    } catch (const ImportFailure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.message));
        return 1;
    }
}
