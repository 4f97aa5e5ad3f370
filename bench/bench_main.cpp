// Benchmarks of the core. Every figure is printed as one line
// "BENCH <case> <value> <unit>" so that runs can be compared.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "geometry/RadixSort.h"
#include "model/ModelClass.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Runs a case in a child process, so that its peak memory is its own.
void isolated(const std::function<void()> &work)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        work();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// The floor: a bare std::sort of the packed edge keys of the block's faces.
double edgeSortFloor(const MeshClass &mesh)
{
    std::vector<quint64> keys;
    const qint32 *c = mesh.Cells[Triangle];
    const qint64 n = mesh.CountOfCells[Triangle];
    keys.reserve(size_t(3 * n));
    for (qint64 t = 0; t < n; ++t)
        for (int i = 0; i < 3; ++i) {
            quint64 a = quint64(c[3 * t + i]), b = quint64(c[3 * t + (i + 1) % 3]);
            if (a > b)
                std::swap(a, b);
            keys.push_back(a << 32 | b);
        }
    return seconds([&] { std::sort(keys.begin(), keys.end()); });
}

void prepareCase(const QString &name, MeshClass *(*make)(qint64), qint64 size, bool floor)
{
    isolated([&] {
        ModelClass model;
        model.Meshes.append(make(size));
        if (floor)
            report(name + "/edge_sort_floor", edgeSortFloor(*model.Meshes[0]), "s");
        const double data = seconds([&] { model.prepareData(); });
        model.setEdgesMode(1);
        const double flat = seconds([&] { model.prepareDraw(); });
        model.SmoothNormals = 1;
        model.NeedsRebuild = 1;
        const double smooth = seconds([&] { model.prepareDraw(); });
        report(name + "/prepareData", data, "s");
        report(name + "/prepareDraw_flat", flat, "s");
        report(name + "/prepareDraw_smooth", smooth, "s");
        report(name + "/prepare_total_flat", data + flat, "s");
        report(name + "/peak_rss", peakMegabytes(), "MB");
    });
}

MeshClass *torus(qint64 n)
{
    return makeTorusSurface(n);
}
MeshClass *hexes(qint64 n)
{
    return makeHexGrid(int(n));
}
MeshClass *tets(qint64 n)
{
    return makeTetGrid(int(n));
}

// The floor of loading a .surf file: reading it into memory and byte-swapping
// every 32-bit word, with nothing converted or checked.
void readAndSwap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    QByteArray bytes = file.readAll();
    auto *words = reinterpret_cast<quint32 *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size() / 4; ++i)
        words[i] = qFromBigEndian(words[i]);
}

void surfLoadCase(const QString &name, qint64 triangles)
{
    isolated([&] {
        QTemporaryDir dir;
        const QString path = dir.filePath("torus.surf");
        std::unique_ptr<MeshClass> mesh(makeTorusSurface(triangles));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(surfFileBytes(*mesh)) < 0)
            std::abort();
        file.close();
        // Best of several runs, taken in turn so that both see the same load
        // of the machine.
        double floor = 1e30, load = 1e30;
        for (int run = 0; run < 7; ++run) {
            floor = std::min(floor, seconds([&] { readAndSwap(path); }));
            load = std::min(load, seconds([&] {
                                ModelClass model;
                                if (model.loadFile(path) != 0)
                                    std::abort();
                            }));
        }
        report(name + "/file_size", double(file.size()) / 1e6, "MB");
        report(name + "/read_swap_floor", floor, "s");
        report(name + "/loadFile", load, "s");
        report(name + "/load_vs_floor", load / floor, "x");
    });
}

} // namespace

int main()
{
    surfLoadCase("surf_load_1M", 1'000'000);
    prepareCase("surface_100k", torus, 100'000, true);
    prepareCase("surface_1M", torus, 1'000'000, true);
    prepareCase("surface_4M", torus, 4'000'000, true);
    prepareCase("hexahedra_1M", hexes, 100, false);
    prepareCase("tetrahedra_1M", tets, 58, false);
    return 0;
}
