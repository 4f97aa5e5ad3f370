// Loading a DICOM series as a whole process: ours against VTK's DICOM reader,
// pydicom with numpy, dcm2niix (converting to NIfTI) and `cat` of the files
// as the floor, on a 512 × 512 × 300 uncompressed CT series written once by
// the set-up script; then ours and dcm2niix on a JPEG 2000 series of 60 slices.
// Warm cache: every side runs once unmeasured, then the median of its runs;
// peak memory is the largest resident size of its runs. Against our read
// alone, what is built on it: `tessaron-cli info --json` of the folder and
// the viewer's open of it up to its first frame (the door, the starting
// slices and their windows, the three planes greyed; no GL upload), each in
// seconds and as a ratio to the read, in wall and in processor time.
//
//     tessaron-bench-dicom              the benchmark
//     tessaron-bench-dicom FOLDER       reads the series there and prints its size
//     tessaron-bench-dicom --open PATH  opens it as the viewer does, without a window

#include "BenchReport.h"
#include "ChildRuns.h"

#include "import/DicomSeries.h"
#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "model/ModelClass.h"
#include "model/SliceGrey.h"
#ifdef TESSARON_CLI
#include "view/SlicePlanes.h"
#endif

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

// A run's wall and processor time, and both as ratios to the read's: the
// processor time is the steadier on a machine others share.
void againstRead(const QString &name, const QString &side, const ChildRun &run,
                 const ChildRun &read)
{
    reportRun(name, side, run);
    if (!run.ok)
        return;
    report(name + "/" + side + "_cpu_seconds", run.cpuSeconds, "s");
    ratio(name + "/" + side + "_over_read", run, read);
    if (read.ok && read.cpuSeconds > 0)
        report(name + "/" + side + "_cpu_over_read", run.cpuSeconds / read.cpuSeconds, "x");
}

#ifdef TESSARON_CLI
// What the viewer's Import does with an image up to its first frame, less
// the upload: the door, the starting slices (the value range and window),
// then each shown plane's voxels greyed under that window.
int openAsViewer(const QString &path)
{
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(path, models, OpenOptions {});
    if (!result.ok || !result.image) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    const ImageVolume &image = *result.image;
    const SliceState slices = startingSlices(image);
    const GreyTable table(slices.windowLevel);
    qint64 greyed = 0;
    for (int o = 0; o < kSliceOrientations; ++o) {
        const int axis = sliceAxis(image, SliceOrientation(o));
        const std::vector<qint16> plane = planeShorts(image, axis, slices.index[size_t(o)]);
        std::vector<quint8> greys(plane.size());
        greyShorts(plane.data(), plane.size(), table, greys.data());
        greyed += qint64(greys.size());
    }
    std::printf("%lld greys\n", greyed);
    return 0;
}
#endif

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
    report(name + "/tessaron_cpu_seconds", ours.cpuSeconds, "s");
#ifdef TESSARON_CLI
    const ChildRun info = measuredChild({TESSARON_CLI, "info", "--json", folder}, kRuns);
    const ChildRun open = measuredChild({self, "--open", folder}, kRuns);
    againstRead(name, "info_json", info, ours);
    againstRead(name, "viewer_open", open, ours);
#endif
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
#ifdef TESSARON_CLI
    if (argc == 3 && QByteArray(argv[1]) == "--open")
        return openAsViewer(QString::fromLocal8Bit(argv[2]));
#endif
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
