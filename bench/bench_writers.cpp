// Throughput of the mesh writers on a closed surface of one million
// triangles, beside two references measured in the same run: the floor of
// formatting the same numbers with std::to_chars into memory (for binary STL,
// of saving the same number of prepared bytes), and meshio of the system
// Python writing the same format from the same mesh. Every figure is printed
// as one line "BENCH <case> <value> <unit>".

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "formats/OutputFile.h"
#include "formats/Writers.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Writer = qint32 (*)(const ModelClass &, const QString &);

// The numbers a format writes, for the floor: coordinates in the %.8e form of
// single precision or in %g, once per vertex or once per triangle corner, and
// integers per vertex and per triangle.
struct Recipe
{
    bool scientific;
    bool perCorner;
    int integersPerVertex;
    int integersPerTriangle;
};

struct Format
{
    const char *name;
    QStringList extensions; // of the files the writer makes
    Writer write;
    Recipe recipe;
};

const Format kFormats[] = {
    {"OFF",
     {"off"},
     [](const ModelClass &m, const QString &n) { return writeOFF(m, n, true, true); },
     {true, false, 0, 4}},
    {"MESH",
     {"mesh"},
     [](const ModelClass &m, const QString &n) { return writeMESH(m, n, true); },
     {true, false, 1, 4}},
    {"VTK", {"vtk"}, writeVTK, {false, false, 0, 5}},
    {"OBJ", {"obj"}, writeOBJ, {false, false, 0, 3}},
    {"PLY", {"ply"}, writePLY, {false, false, 0, 4}},
    {"DAT", {"dat"}, writeDAT, {true, false, 0, 3}},
    {"StarCD", {"vrt", "cel"}, writeStarCD, {false, false, 1, 4}},
    {"STL_text", {"stl"}, writeTextSTL, {false, true, 0, 0}},
    {"STL_binary", {"stl"}, writeBinarySTL, {false, true, 0, 0}},
};

// meshio writing every format it has (chosen by the extension) from a binary
// dump of the same mesh; prints "<format> <seconds of the write>" per format.
const char *const kMeshioScript = R"(
import sys, time, warnings
import numpy as np
import meshio
warnings.filterwarnings("ignore")
folder = sys.argv[1]
points = np.fromfile(folder + "/points.f64").reshape(-1, 3)
triangles = np.fromfile(folder + "/triangles.i32", dtype=np.int32).reshape(-1, 3)
mesh = meshio.Mesh(points, [("triangle", triangles)])
for name, ext, options in [
        ("OFF", ".off", {}), ("MESH", ".mesh", {}), ("VTK", ".vtk", {"binary": False}),
        ("OBJ", ".obj", {}), ("PLY", ".ply", {"binary": False}), ("DAT", ".dat", {}),
        ("STL_text", ".stl", {"binary": False}), ("STL_binary", ".stl", {"binary": True})]:
    start = time.perf_counter()
    meshio.write(folder + "/meshio" + ext, mesh, **options)
    print(name, time.perf_counter() - start, flush=True)
)";

// Formats the recipe's numbers of the mesh with std::to_chars into memory,
// a blank after each, and returns the time it took.
double floorSeconds(const MeshClass &mesh, const Recipe &recipe)
{
    const qint64 vertices = mesh.CountOfVertices, triangles = mesh.CountOfCells[Triangle];
    const qint32 *cells = mesh.Cells[Triangle];
    std::vector<char> memory(size_t(40 * (3 * vertices + 9 * triangles)));
    char *p = memory.data();
    const auto real = [&](double value) {
        p = recipe.scientific
            ? std::to_chars(p, p + 32, double(float(value)), std::chars_format::scientific, 8).ptr
            : std::to_chars(p, p + 32, value, std::chars_format::general, 6).ptr;
        *p++ = ' ';
    };
    const auto integer = [&](qint64 value) {
        p = std::to_chars(p, p + 32, value).ptr;
        *p++ = ' ';
    };
    const double time = seconds([&] {
        for (qint64 v = 0; !recipe.perCorner && v < vertices; ++v) {
            for (int i = 0; i < 3; ++i)
                real(mesh.Vertices[3 * v + i]);
            for (int i = 0; i < recipe.integersPerVertex; ++i)
                integer(v);
        }
        for (qint64 t = 0; t < triangles; ++t) {
            for (int c = 0; recipe.perCorner && c < 3; ++c)
                for (int i = 0; i < 3; ++i)
                    real(mesh.Vertices[3 * cells[3 * t + c] + i]);
            for (int i = 0; i < recipe.integersPerTriangle; ++i)
                integer(cells[3 * t + i % 3]);
        }
    });
    // Keeps the formatting from being optimised away.
    static volatile char last;
    last = p[-1];
    (void)last;
    return time;
}

qint64 filesSize(const QString &base, const QStringList &extensions)
{
    qint64 size = 0;
    for (const QString &extension : extensions)
        size += QFileInfo(base + "." + extension).size();
    return size;
}

// The best of three runs, each writing new files.
double writeSeconds(const ModelClass &model, const Format &format, const QString &base)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        for (const QString &extension : format.extensions)
            QFile::remove(base + "." + extension);
        best = std::min(best, seconds([&] { format.write(model, base); }));
    }
    return best;
}

// The floor of binary output: the same number of prepared bytes written
// through the same temporary-and-rename path, best of three.
double saveFloorSeconds(qint64 bytes, const QString &fileName)
{
    const std::vector<char> data(size_t(bytes), 'x');
    constexpr qint64 piece = 1 << 20;
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        QFile::remove(fileName);
        best = std::min(best, seconds([&] {
                            OutputFile file(fileName, false);
                            for (qint64 at = 0; at < bytes; at += piece)
                                file.out().bytes(data.data() + at,
                                                 size_t(std::min(piece, bytes - at)));
                            file.commit();
                        }));
    }
    return best;
}

void dumpMesh(const MeshClass &mesh, const QString &folder)
{
    QFile points(folder + "/points.f64");
    QFile triangles(folder + "/triangles.i32");
    if (points.open(QIODevice::WriteOnly))
        points.write(reinterpret_cast<const char *>(mesh.Vertices),
                     qint64(sizeof(_DREAL)) * 3 * mesh.CountOfVertices);
    if (triangles.open(QIODevice::WriteOnly))
        triangles.write(reinterpret_cast<const char *>(mesh.Cells[Triangle]),
                        qint64(sizeof(qint32)) * 3 * mesh.CountOfCells[Triangle]);
}

// meshio's write time per format; empty when the system Python has no meshio.
QHash<QString, double> meshioSeconds(const MeshClass &mesh, const QString &folder)
{
    dumpMesh(mesh, folder);
    QProcess python;
    python.start("/usr/bin/python3", {"-c", kMeshioScript, folder});
    python.waitForFinished(-1);
    QHash<QString, double> times;
    for (const QByteArray &line : python.readAllStandardOutput().split('\n'))
        if (const QList<QByteArray> words = line.split(' '); words.size() == 2)
            times.insert(QString::fromLatin1(words[0]), words[1].toDouble());
    if (times.isEmpty())
        std::fprintf(stderr, "meshio: %s\n", python.readAllStandardError().constData());
    return times;
}

} // namespace

int main()
{
    ModelClass model;
    model.Name = "torus";
    model.Meshes.append(makeTorusSurface(1'000'000));
    const MeshClass &mesh = *model.Meshes[0];
    QTemporaryDir folder;
    const QString base = folder.filePath("torus");
    QHash<QString, double> ours;
    for (const Format &format : kFormats) {
        const QString name = QString("write_1M/") + format.name;
        const double time = writeSeconds(model, format, base);
        const double megabytes = double(filesSize(base, format.extensions)) / 1e6;
        ours.insert(format.name, time);
        report(name + "/size", megabytes, "MB");
        report(name + "/time", time, "s");
        report(name + "/throughput", megabytes / time, "MB/s");
        const bool binary = format.write == writeBinarySTL;
        const double floor = binary ? saveFloorSeconds(qint64(megabytes * 1e6), base + ".bin")
                                    : floorSeconds(mesh, format.recipe);
        report(name + (binary ? "/save_floor" : "/to_chars_floor"), megabytes / floor, "MB/s");
        report(name + "/of_floor", 100 * floor / time, "%");
    }
    const QHash<QString, double> meshio = meshioSeconds(mesh, folder.path());
    for (const Format &format : kFormats)
        if (meshio.contains(format.name)) {
            const QString name = QString("write_1M/") + format.name;
            report(name + "/meshio_time", meshio[format.name], "s");
            report(name + "/meshio_ratio", meshio[format.name] / ours[format.name], "x");
        }
    return 0;
}
