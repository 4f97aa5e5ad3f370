// A structure set of 30 ROIs (ellipsoids of 128-point contours) over 300
// planes 1 mm apart, without its image, to closed surfaces: the whole import
// as a process, the median of three runs after one unmeasured, and its peak
// resident memory. Goal: under 5 s. Then a slab of three flat 400 x 300 mm
// rectangles 2.5 mm apart, the same way. The set-up script (pydicom) writes
// the files once into the temporary folder.
//
//     tessaron-bench-rtstruct         the benchmark
//     tessaron-bench-rtstruct FILE    imports the file and prints its models

#include "BenchReport.h"
#include "ChildRuns.h"

#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 3;

QString benchFile(const QString &name)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("tessaron-bench-rtstruct"));
    const QString file = QDir(folder).filePath(name);
    if (!QFileInfo::exists(file))
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          {TESSARON_RTSTRUCT_WRITER, "rtstruct", folder});
    return file;
}

bool benchOne(const QString &self, const QString &file, const QString &name)
{
    const ChildRun run = measuredChild({self, file}, kRuns);
    if (!run.ok) {
        std::printf("BENCH %s failed\n", qPrintable(name));
        return false;
    }
    report(name + "/seconds", run.seconds, "s");
    report(name + "/peak_memory", run.peakMegabytes, "MB");
    return true;
}

// The many ROIs, then one slab of three large flat contours (a grid sized to
// what the contours need, not their whole extent at the finest spacing).
int bench(const QString &self)
{
    const bool many = benchOne(self, benchFile(QStringLiteral("bench_rs.dcm")),
                               QStringLiteral("rtstruct_30rois_300slices"));
    const bool slab = benchOne(self, benchFile(QStringLiteral("bench_slabs.dcm")),
                               QStringLiteral("rtstruct_slab_3x400x300mm"));
    return many && slab ? 0 : 1;
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
