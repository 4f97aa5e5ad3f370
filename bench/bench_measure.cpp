// Benchmarks of the measuring layer, each beside its floor in the same run:
// the closest gap of two 1 M-triangle surfaces (tree build and query apart)
// beside a brute force over every pair of 10 k-triangle copies; area and
// volume of a 4 M-triangle surface beside one plain pass over its
// triangles; the other passes of a model's measures; the image values
// inside a 1 M-triangle surface in a 512 x 512 x 300 CT beside one pass
// over the CT's voxels; and `tessaron-cli info` of the sample scene as a
// whole process.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "measure/ClosestGap.h"
#include "measure/HuStatistics.h"
#include "measure/SurfaceMeasures.h"

#include <QProcess>
#include <QString>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

using namespace measure;

namespace {

// Processor time of this process: on a machine shared with other builds the
// wall clock of a build step says more about the neighbours than about it.
double cpuSeconds(const std::function<void()> &work)
{
    const std::clock_t start = std::clock();
    work();
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}

// A torus of about `triangles` triangles (major radius 3, minor 1), turned
// about its axis by `turn` radians and moved along x.
TriangleSurface torus(qint64 triangles, double shift, double turn = 0)
{
    const std::unique_ptr<MeshClass> mesh(makeTorusSurface(triangles));
    TriangleSurface s;
    s.points.assign(mesh->Vertices, mesh->Vertices + 3 * qint64(mesh->CountOfVertices));
    const double c = std::cos(turn), sn = std::sin(turn);
    for (std::size_t i = 0; i < s.points.size(); i += 3) {
        const double x = s.points[i], y = s.points[i + 1];
        s.points[i] = c * x - sn * y + shift;
        s.points[i + 1] = sn * x + c * y;
    }
    s.triangles.assign(mesh->Cells[Triangle],
                       mesh->Cells[Triangle] + 3 * qint64(mesh->CountOfCells[Triangle]));
    return s;
}

// Two tori side by side, 0.7 apart at their outer rims; the second turned so
// that no vertex faces a vertex.
void gaps()
{
    for (const qint64 size : {qint64(10'000), qint64(1'000'000)}) {
        const QString name = size == 10'000 ? "gap/10k" : "gap/1M";
        const TriangleSurface a = torus(size, 0), b = torus(size, 8.7, 0.0123);
        std::unique_ptr<SurfaceTree> ta, tb;
        const double buildA = seconds([&] { ta = std::make_unique<SurfaceTree>(a); });
        const double buildB = seconds([&] { tb = std::make_unique<SurfaceTree>(b); });
        PointPair pair;
        double query = 1e9;
        for (int run = 0; run < 5; ++run)
            query = std::min(query, seconds([&] { pair = closestPoints(*ta, *tb); }));
        const double millions = double(a.triangleCount()) / 1e6;
        report(name + "/tree_build_per_million", (buildA + buildB) / 2 / millions, "s");
        report(name + "/tree_build_cpu_per_million",
               cpuSeconds([&] { SurfaceTree again(a); }) / millions, "s");
        report(name + "/query", query * 1e3, "ms");
        report(name + "/distance", std::sqrt(pair.distance2), "mm");
        if (size == 10'000) {
            double brute = 0;
            const double floor = seconds([&] { brute = bruteForceDistanceOurs(a, b); });
            report(name + "/brute_force_all_pairs", floor, "s");
            report(name + "/brute_force_vs_tree", floor / (query + buildA + buildB), "x");
            report(name + "/brute_force_distance", brute, "mm");
        }
    }
}

// The floor: one pass that reads every corner of every triangle.
double plainPass(const TriangleSurface &s)
{
    double sum = 0;
    const double *p = s.points.data();
    for (std::size_t t = 0; t < s.triangleCount(); ++t)
        for (int i = 0; i < 3; ++i) {
            const double *c = p + 3 * std::size_t(s.triangles[3 * t + std::size_t(i)]);
            sum += c[0] + c[1] + c[2];
        }
    return sum;
}

void surfaceMeasures()
{
    const TriangleSurface big = torus(4'000'000, 0);
    volatile double sink = 0;
    double floor = 1e9, integrals = 1e9;
    for (int run = 0; run < 3; ++run) {
        floor = std::min(floor, seconds([&] { sink = plainPass(big); }));
        integrals = std::min(integrals, seconds([&] { sink = integrate(big).signedVolume; }));
    }
    report("measure/4M/plain_pass", floor, "s");
    report("measure/4M/area_volume", integrals, "s");
    report("measure/4M/area_volume_vs_plain_pass", integrals / floor, "x");

    const TriangleSurface model = torus(1'000'000, 0);
    SurfaceTopology topology;
    report("measure/1M/topology", seconds([&] { topology = analyseTopology(model); }), "s");
    report("measure/1M/self_intersection", seconds([&] { sink = selfIntersects(model, topology); }),
           "s");
    // The torus's whole outer rim is diametral: a hard case for the search.
    report("measure/1M/largest_diameter",
           seconds([&] { sink = farthestPair(surfacePoints(model, topology)).length; }), "s");
    (void)sink;
}

// A torus of 1 M triangles, 240 mm across and 80 mm thick, in a CT of
// 512 x 512 x 300 voxels of 0.7 x 0.7 x 1 mm, a little oblique.
void huStatistics()
{
    ImageVolume ct;
    ct.size[0] = ct.size[1] = 512;
    ct.size[2] = 300;
    ct.shorts.resize(size_t(ct.voxelCount()));
    for (std::size_t n = 0; n < ct.shorts.size(); ++n)
        ct.shorts[n] = qint16(int(n * 2654435761u % 3000) - 1000);
    const double c = std::cos(0.1), sn = std::sin(0.1);
    ct.toWorld.m[0][0] = 0.7 * c, ct.toWorld.m[1][0] = 0.7 * sn;
    ct.toWorld.m[0][1] = -0.7 * sn, ct.toWorld.m[1][1] = 0.7 * c;
    ct.toWorld.m[2][2] = 1.0;
    ct.toWorld.m[0][3] = -170, ct.toWorld.m[1][3] = -150, ct.toWorld.m[2][3] = -150;
    TriangleSurface surface = torus(1'000'000, 0);
    for (double &v : surface.points)
        v *= 40;
    volatile double sink = 0;
    double floor = 1e9, inside = 1e9;
    for (int run = 0; run < 3; ++run) {
        floor = std::min(floor, seconds([&] {
                             double sum = 0;
                             for (qint16 v : ct.shorts)
                                 sum += v;
                             sink = sum;
                         }));
        inside = std::min(inside, seconds([&] { sink = huInside(surface, ct).mean; }));
    }
    report("hu/1M_in_512x512x300/voxel_pass", floor, "s");
    report("hu/1M_in_512x512x300/inside", inside, "s");
    report("hu/1M_in_512x512x300/inside_vs_voxel_pass", inside / floor, "x");
    (void)sink;
}

void cliInfo()
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run)
        best = std::min(best, seconds([] {
                            QProcess process;
                            process.start(TESSARON_CLI, {"info", TESSARON_SAMPLE_SCENE});
                            process.waitForFinished(-1);
                        }));
    report("cli/info_sample_scene", best, "s");
}

} // namespace

int main()
{
    gaps();
    surfaceMeasures();
    huStatistics();
    cliInfo();
    return 0;
}
