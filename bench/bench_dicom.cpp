// Loading a DICOM series as a whole process: ours against VTK's DICOM reader,
// pydicom with numpy, dcm2niix (converting to NIfTI) and `cat` of the files
// as the floor, on a 512 × 512 × 300 uncompressed CT series written once by
// the set-up script; then ours and dcm2niix on a JPEG 2000 series of 60 slices.
// Warm cache: every side runs once unmeasured, then the median of its runs;
// peak memory is the largest resident size of its runs.
//
//     tessaron-bench-dicom            the benchmark
//     tessaron-bench-dicom FOLDER     reads the series there and prints its size

#include "BenchReport.h"
#include "ChildRuns.h"

#include "import/DicomSeries.h"
#include "import/ImportTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kColumns = 512, kRows = 512, kSlices = 300, kCompressedSlices = 60;
constexpr int kRuns = 5;

QString python()
{
    return QStringLiteral("/usr/bin/python3");
}

// The series, written once into the temporary folder and kept for later runs.
QString seriesFolder()
{
    const QString folder = QDir::temp().filePath(
        QStringLiteral("tessaron-bench-dicom/ct-%1x%2x%3").arg(kColumns).arg(kRows).arg(kSlices));
    if (QDir(folder).entryList(QDir::Files).size() != kSlices) {
        QDir(folder).removeRecursively();
        QProcess::execute(python(),
                          {TESSARON_DICOM_SERIES, "write", folder, QString::number(kColumns),
                           QString::number(kRows), QString::number(kSlices)});
    }
    return folder;
}

// A shorter series of the same kind in JPEG 2000, through the library's
// converter, written once like the first.
QString compressedFolder()
{
    const QString plain = QDir::temp().filePath(QStringLiteral("tessaron-bench-dicom/ct-%1x%2x%3")
                                                    .arg(kColumns)
                                                    .arg(kRows)
                                                    .arg(kCompressedSlices));
    const QString folder = plain + QStringLiteral("-j2k");
    if (QDir(folder).entryList(QDir::Files).size() == kCompressedSlices)
        return folder;
    QDir(plain).removeRecursively();
    QProcess::execute(python(),
                      {TESSARON_DICOM_SERIES, "write", plain, QString::number(kColumns),
                       QString::number(kRows), QString::number(kCompressedSlices)});
    QDir().mkpath(folder);
    for (const QString &file : QDir(plain).entryList(QDir::Files))
        if (QProcess::execute("gdcmconv",
                              {"--j2k", QDir(plain).filePath(file), QDir(folder).filePath(file)})
            != 0)
            return {};
    return folder;
}

void reportRun(const QString &name, const QString &side, const ChildRun &run)
{
    if (!run.ok) {
        std::printf("BENCH %s/%s failed\n", qPrintable(name), qPrintable(side));
        return;
    }
    report(name + "/" + side + "_seconds", run.seconds, "s");
    report(name + "/" + side + "_peak_memory", run.peakMegabytes, "MB");
}

void ratio(const QString &name, const ChildRun &a, const ChildRun &b)
{
    if (a.ok && b.ok && b.seconds > 0)
        report(name, a.seconds / b.seconds, "x");
}

int bench(const QString &self)
{
    QTemporaryDir scratch;
    const QString folder = seriesFolder();
    const QString name =
        QStringLiteral("dicom_load_%1x%2x%3").arg(kColumns).arg(kRows).arg(kSlices);
    const double voxelMegabytes = double(kColumns) * kRows * kSlices * 2 / (1 << 20);
    std::printf("# load average %s", qPrintable(QString::fromLatin1([] {
                    QFile f("/proc/loadavg");
                    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?\n");
                }())));
    const ChildRun ours = measuredChild({self, folder}, kRuns);
    const ChildRun vtk = measuredChild(
        {python(), "-c",
         "import sys, vtk; r = vtk.vtkDICOMImageReader(); r.SetDirectoryName(sys.argv[1]); "
         "r.Update(); print(r.GetOutput().GetDimensions())",
         folder},
        kRuns);
    const ChildRun pydicom =
        measuredChild({python(), TESSARON_DICOM_SERIES, "stack", folder}, kRuns);
    const ChildRun converter = measuredChild(
        {"dcm2niix", "-z", "n", "-b", "n", "-o", scratch.path(), "-f", "out_%s", folder}, kRuns);
    const ChildRun floor = measuredChild({"sh", "-c", "cat \"$0\"/* > /dev/null", folder}, kRuns);
    reportRun(name, "tessaron", ours);
    reportRun(name, "vtk", vtk);
    reportRun(name, "pydicom", pydicom);
    reportRun(name, "dcm2niix", converter);
    reportRun(name, "cat", floor);
    ratio(name + "/vtk_over_tessaron", vtk, ours);
    ratio(name + "/pydicom_over_tessaron", pydicom, ours);
    ratio(name + "/dcm2niix_over_tessaron", converter, ours);
    ratio(name + "/tessaron_over_cat", ours, floor);
    if (ours.ok)
        report(name + "/tessaron_peak_over_voxels", ours.peakMegabytes / voxelMegabytes, "x");
    if (vtk.ok)
        report(name + "/vtk_peak_over_voxels", vtk.peakMegabytes / voxelMegabytes, "x");

    const QString j2k = compressedFolder();
    if (j2k.isEmpty())
        return 0;
    const QString j2kName =
        QStringLiteral("dicom_load_j2k_%1x%2x%3").arg(kColumns).arg(kRows).arg(kCompressedSlices);
    const ChildRun oursJ2k = measuredChild({self, j2k}, kRuns);
    const ChildRun converterJ2k = measuredChild(
        {"dcm2niix", "-z", "n", "-b", "n", "-o", scratch.path(), "-f", "j2k_%s", j2k}, kRuns);
    reportRun(j2kName, "tessaron", oursJ2k);
    reportRun(j2kName, "dcm2niix", converterJ2k);
    ratio(j2kName + "/dcm2niix_over_tessaron", converterJ2k, oursJ2k);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return bench(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    try {
        const ImageVolume image = readDicomSeries(QString::fromLocal8Bit(argv[1]));
        std::printf("%lld %lld %lld\n", image.size[0], image.size[1], image.size[2]);
        for (const QString &w : image.warnings)
            std::fprintf(stderr, "warning: %s\n", qPrintable(w));
        return 0;
    } catch (const ImportFailure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.message));
        return 1;
    }
}
