// Import benchmarks, each against VTK's Python modules on the same file in the
// same run: a 512 x 512 x 300 label map of eight structures to smoothed
// surfaces, and a binary STL of a million triangles with its points joined.
// Each side runs in a process of its own, so peak memory is its own.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "formats/Writers.h"
#include "import/Importer.h"
#include "import/SurfaceSmoother.h"
#include "model/ModelClass.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double seconds = 0;
    double peakMegabytes = 0;
    double triangles = 0;
    double cpuSeconds = 0; // of the process: the machine may be shared
};

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + 1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// A structure of the map: an ellipsoid in voxels, or a tube along z.
struct Structure
{
    quint8 label;
    double x, y, z, rx, ry, rz;
};

// Two kidneys, each with a tumour touching it, liver, spleen, aorta and vena
// cava, in voxels of 0.7 x 0.7 x 1 mm.
const Structure kStructures[] = {
    {1, 150, 260, 140, 45, 70, 60}, {2, 360, 260, 150, 45, 70, 60},  {3, 118, 230, 185, 22, 22, 22},
    {4, 395, 300, 105, 18, 18, 18}, {5, 330, 150, 220, 120, 90, 70}, {6, 120, 150, 220, 50, 40, 45},
    {7, 245, 300, -1, 14, 14, 0},   {8, 280, 290, -1, 18, 16, 0},
};

quint8 labelAt(int i, int j, int k)
{
    for (const Structure &s : kStructures) {
        const double dx = (i - s.x) / s.rx, dy = (j - s.y) / s.ry;
        const double dz = s.rz > 0 ? (k - s.z) / s.rz : 0.0;
        const double wobble = 0.04 * std::sin(0.11 * i + 0.07 * k) * std::cos(0.09 * j);
        if (dx * dx + dy * dy + dz * dz < 1 + wobble)
            return s.label;
    }
    return 0;
}

template<class T> void put(QByteArray &bytes, int at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// An uncompressed NIfTI-1 file of one byte per voxel.
bool writeLabelMap(const QString &path, int nx, int ny, int nz)
{
    QByteArray header(352, 0);
    put<qint32>(header, 0, 348);
    const qint16 dims[8] = {3, qint16(nx), qint16(ny), qint16(nz), 1, 1, 1, 1};
    std::memcpy(header.data() + 40, dims, sizeof dims);
    put<qint16>(header, 70, 2);
    put<qint16>(header, 72, 8);
    const float pixdim[8] = {1, 0.7f, 0.7f, 1, 1, 1, 1, 1};
    std::memcpy(header.data() + 76, pixdim, sizeof pixdim);
    put<float>(header, 108, 352);
    header[123] = 2;
    std::memcpy(header.data() + 344, "n+1", 4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size())
        return false;
    QByteArray slice(nx * ny, 0);
    for (int k = 0; k < nz; ++k) {
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                slice[i + nx * j] = char(labelAt(i, j, k));
        if (file.write(slice) != slice.size())
            return false;
    }
    return true;
}

// Our import in a child process: its time, peak memory and triangles.
Run ourImport(const QString &path)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        Run run;
        std::vector<std::unique_ptr<ModelClass>> models;
        ImportResult result;
        const double cpu = cpuSeconds();
        run.seconds = seconds([&] { result = importModels(path, models); });
        run.cpuSeconds = cpuSeconds() - cpu;
        if (!result.ok)
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(result.message));
        for (const auto &model : models)
            for (const MeshClass *mesh : std::as_const(model->Meshes))
                run.triangles += mesh->CountOfCells[Triangle];
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
        const ssize_t written = write(channel[1], &run, sizeof run);
        _exit(written == ssize_t(sizeof run) ? 0 : 1);
    }
    close(channel[1]);
    Run run;
    const ssize_t got = read(channel[0], &run, sizeof run);
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return got == ssize_t(sizeof run) ? run : Run {};
}

// The peer through the system Python; nothing when it has no VTK.
Run vtkPeer(const QStringList &args)
{
    QProcess python;
    python.start("/usr/bin/python3", QStringList {TESSARON_VTK_PEER} + args);
    python.waitForFinished(-1);
    const QList<QByteArray> words = python.readAllStandardOutput().trimmed().split(' ');
    if (words.size() != 4) {
        std::fprintf(stderr, "vtk peer: %s\n", python.readAllStandardError().constData());
        return {};
    }
    return {words[0].toDouble(), words[2].toDouble(), words[3].toDouble(), words[1].toDouble()};
}

void reportPair(const QString &name, const Run &ours, const Run &vtk, bool speedup)
{
    report(name + "/tessaron_time", ours.seconds, "s");
    report(name + "/tessaron_cpu_time", ours.cpuSeconds, "s");
    report(name + "/tessaron_peak_memory", ours.peakMegabytes, "MB");
    report(name + "/tessaron_triangles", ours.triangles, "");
    if (vtk.seconds <= 0)
        return;
    report(name + "/vtk_time", vtk.seconds, "s");
    report(name + "/vtk_cpu_time", vtk.cpuSeconds, "s");
    report(name + "/vtk_peak_memory", vtk.peakMegabytes, "MB");
    report(name + "/vtk_triangles", vtk.triangles, "");
    if (speedup) {
        report(name + "/speedup_over_vtk", vtk.seconds / ours.seconds, "x");
        report(name + "/cpu_speedup_over_vtk", vtk.cpuSeconds / ours.cpuSeconds, "x");
    } else {
        report(name + "/time_of_vtk", ours.seconds / vtk.seconds, "x");
        report(name + "/cpu_time_of_vtk", ours.cpuSeconds / vtk.cpuSeconds, "x");
    }
}

Run best(int runs, const std::function<Run()> &once)
{
    Run result = once();
    for (int r = 1; r < runs; ++r) {
        const Run next = once();
        if (next.seconds > 0 && next.seconds < result.seconds)
            result = next;
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;

    const QString map = folder.filePath("labels.nii");
    if (!writeLabelMap(map, 512, 512, 300))
        return 1;
    const SmoothingOptions smoothing;
    const Run oursMap = ourImport(map);
    const Run vtkMap = vtkPeer({"labelmap", map, "8", QString::number(smoothing.iterations),
                                QString::number(smoothing.passBand)});
    reportPair("import_labelmap_512x512x300_8", oursMap, vtkMap, false);
    QFile::remove(map);

    ModelClass torus;
    torus.Meshes.append(makeTorusSurface(1'000'000));
    const QString stl = folder.filePath("torus.stl");
    if (writeBinarySTL(torus, stl) != 0)
        return 1;
    const Run oursStl = best(3, [&] { return ourImport(stl); });
    const Run vtkStl = best(2, [&] { return vtkPeer({"stl", stl}); });
    reportPair("import_binary_stl_1M", oursStl, vtkStl, true);
    return 0;
}
