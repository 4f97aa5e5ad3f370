// A DICOM segmentation of 100 segments over a 512 × 512 × 300 grid to
// surfaces, as a whole process: wall time (the median of runs after one
// unmeasured) and peak resident memory. The segmentation is written once by
// the tests' pydicom script.
//
//     tessaron-bench-seg          the benchmark
//     tessaron-bench-seg FILE     reads the segmentation and prints its model count

#include "BenchReport.h"
#include "ChildRuns.h"

#include "import/DicomSeg.h"
#include "import/ImportTypes.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <vector>

namespace {

constexpr int kSegments = 100, kColumns = 512, kRows = 512, kSlices = 300;
constexpr int kRuns = 3;

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
                          {TESSARON_SEG_WRITER, "seg", file, QString::number(kSegments),
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
    const ChildRun run = measuredChild({self, file}, kRuns);
    if (!run.ok) {
        std::printf("BENCH %s failed\n", qPrintable(name));
        return 1;
    }
    report(name + "/seconds", run.seconds, "s");
    report(name + "/peak_memory", run.peakMegabytes, "MB");
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
        importDicomSeg(recognise(QString::fromLocal8Bit(argv[1])), models);
        std::printf("%zu models\n", models.size());
        for (const QString &w : warnings.list())
            std::fprintf(stderr, "warning: %s\n", qPrintable(w));
        return models.size() == size_t(kSegments) ? 0 : 1;
    } catch (const ImportFailure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.message));
        return 1;
    }
}
