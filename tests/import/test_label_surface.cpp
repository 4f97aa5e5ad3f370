// Label maps to surfaces: closed surfaces that keep the labels' volumes
// before and after smoothing, boundaries that touching labels share, world
// placement through the voxel-to-world map, and the values a map may hold.

#include "ImportChecks.h"
#include "import/ImportTypes.h"
#include "import/LabelMapImport.h"
#include "import/LabelSurface.h"
#include "import/SurfaceSmoother.h"
#include "measure/ModelSurface.h"
#include "measure/SurfaceMeasures.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <random>
#include <set>

namespace {

using Labeller = std::function<int(int i, int j, int k)>;

// A label map of n^3 one-byte voxels.
struct Grid
{
    int n;
    std::vector<quint8> voxels;
    std::map<int, double> count;              // voxels per label
    std::map<int, std::array<double, 3>> sum; // the sum of their indices

    Grid(int n, const Labeller &label)
        : n(n)
        , voxels(size_t(n) * n * n)
    {
        for (int k = 0; k < n; ++k)
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    const int l = label(i, j, k);
                    voxels[size_t(i + n * (j + n * k))] = quint8(l);
                    count[l] += 1;
                    for (auto [a, v] : {std::pair {0, i}, {1, j}, {2, k}})
                        sum[l][size_t(a)] += v;
                }
    }

    std::vector<std::unique_ptr<ModelClass>> models(const Affine &toWorld, int iterations) const
    {
        LabelMapData map;
        map.grid.data = voxels.data();
        map.grid.size[0] = map.grid.size[1] = map.grid.size[2] = n;
        map.toWorld = toWorld;
        std::vector<std::unique_ptr<ModelClass>> result;
        SmoothingOptions smoothing;
        smoothing.iterations = iterations;
        labelMapModels(map, recogniseName(QStringLiteral("grid.nii")), result, {}, smoothing);
        return result;
    }
};

bool inBall(double x, double y, double z, double cx, double cy, double cz, double r)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz) < r * r;
}

using Corner = std::array<double, 3>;
using Face = std::array<Corner, 3>;

// Triangles by their corners, turned so the smallest corner comes first (the
// direction they face is kept), or turned over first.
std::set<Face> faces(const MeshClass &mesh, bool turnedOver)
{
    std::set<Face> result;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3) {
        Face f;
        for (int k = 0; k < 3; ++k) {
            const double *p = mesh.Vertices + 3 * t[turnedOver ? (3 - k) % 3 : k];
            f[size_t(k)] = {p[0], p[1], p[2]};
        }
        std::rotate(f.begin(), std::min_element(f.begin(), f.end()), f.end());
        result.insert(f);
    }
    return result;
}

// The triangles of `a` that `b` has too, facing the other way: their boundary.
int sharedFaces(const MeshClass &a, const MeshClass &b)
{
    const std::set<Face> fa = faces(a, false), fb = faces(b, true);
    std::vector<Face> both;
    std::set_intersection(fa.begin(), fa.end(), fb.begin(), fb.end(), std::back_inserter(both));
    return int(both.size());
}

QString refusal(SampleType type, const void *data, qint64 n, double slope = 0)
{
    SampleGrid grid;
    grid.data = data;
    grid.type = type;
    grid.size[0] = n;
    grid.size[1] = grid.size[2] = 1;
    grid.slope = slope;
    try {
        makeLabelVolume(grid, Affine());
    } catch (const ImportFailure &failure) {
        return failure.message;
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Affine)

class TestLabelSurface : public QObject
{
    Q_OBJECT

private slots:
    void labelsAreSolidsOfTheirVoxels_data();
    void labelsAreSolidsOfTheirVoxels();
    void edgeNeighboursAreOnePiece();
    void linesWhereLabelsMeetHold();
    void valuesAMapMayHold();
};

namespace {

// 2 mm voxels, turned and mirrored, or stretched unevenly along the axes.
Affine scaled(double sx, double sy, double sz, double turn = 0, bool mirrored = false)
{
    Affine map;
    const double c = std::cos(turn), s = std::sin(turn), m = mirrored ? -1 : 1;
    const double rows[3][4] = {
        {m * c * sx, -s * sy, 0, 10}, {m * s * sx, c * sy, 0, -20}, {0, 0, sz, 30}};
    std::copy(&rows[0][0], &rows[0][0] + 12, &map.m[0][0]);
    return map;
}

// Voxels a tenth as thick as wide, or the same with slices that slant (z
// grows along x): parts of the surface lie ten times closer together in the
// world than in the grid.
Affine thinVoxels(bool slanted)
{
    Affine map = scaled(0.1, 1, 1);
    map.m[2][0] = slanted ? 2.5 : 0;
    return map;
}

Labeller cube(int k)
{
    return [k](int i, int j, int k2) {
        return i >= 2 && i < 2 + k && j >= 2 && j < 2 + k && k2 >= 2 && k2 < 2 + k ? 1 : 0;
    };
}

} // namespace

void TestLabelSurface::labelsAreSolidsOfTheirVoxels_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<Labeller>("label");
    QTest::addColumn<Affine>("toWorld");
    // The volume each surface must hold: its voxels' within 3 % ("voxels"),
    // within half a voxel of them ("shell", for labels whose voxels touch
    // along edges only), or nothing checked ("").
    QTest::addColumn<QString>("volume");
    const Affine even = scaled(2, 2, 2);
    for (int k = 1; k <= 6; ++k)
        QTest::addRow("cube of %d voxels a side", k)
            << k + 4 << cube(k) << even << QString("voxels");
    QTest::newRow("uneven voxels") << 7 << cube(3) << scaled(0.7, 0.9, 2.5) << "voxels";
    QTest::newRow("oblique and mirrored")
        << 8 << cube(4) << scaled(0.7, 0.9, 2.5, 0.4, true) << "voxels";
    QTest::newRow("oblique box") << 12 << Labeller([](int i, int j, int k) {
        return i >= 3 && i <= 6 && j >= 2 && j <= 4 && k >= 5 && k <= 9 ? 7 : 0;
    }) << scaled(0.5, 0.8, 2, M_PI / 6, true)
                                 << "voxels";
    QTest::newRow("thin voxels") << 8 << cube(4) << thinVoxels(false) << "voxels";
    QTest::newRow("slanted thin voxels") << 8 << cube(4) << thinVoxels(true) << "voxels";
    QTest::newRow("ball") << 28 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 13.3, 13.6, 13.2, 9.5) ? 1 : 0;
    }) << even << "voxels";
    QTest::newRow("two halves of a ball") << 30 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 14.3, 14.6, 14.2, 11) ? (i < 14 ? 1 : 2) : 0;
    }) << even << "voxels";
    QTest::newRow("three labels meet along a line") << 30 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 14.3, 14.6, 14.2, 11) ? (i < 14 ? 1 : j < 15 ? 2 : 3) : 0;
    }) << even << "voxels";
    QTest::newRow("stone in a cavity") << 12 << Labeller([](int i, int j, int k) {
        return i == 5 && j == 5 && k == 5 ? 2 : inBall(i, j, k, 5.4, 5.2, 5.6, 4) ? 1 : 0;
    }) << even << "voxels";
    QTest::newRow("box on the edge of the scan")
        << 16 << Labeller([](int i, int j, int k) { return i < 12 && j > 2 && k > 3 ? 4 : 0; })
        << even << "voxels";
    // A ball of a grid of 8 voxels a side read as 9 a side: sheared, with
    // stray voxels touching it along edges, on voxels ten times as long as wide.
    QTest::newRow("sheared ball") << 9 << Labeller([](int i, int j, int k) {
        const int m = (i + 9 * (j + 9 * k)) % 512, a = m % 8, b = m / 8 % 8, c = m / 64;
        return (a - 4) * (a - 4) + (b - 4) * (b - 4) + (c - 4) * (c - 4) < 10 ? 1 : 0;
    }) << scaled(0.1, 1, 1) << "";
    QTest::newRow("noise of four labels") << 12 << Labeller([](int i, int j, int k) {
        return int(std::hash<int>()(i * 7919 + j * 104729 + k * 1299709) % 4);
    }) << even << "";
    for (int n : {6, 9, 12})
        for (int labels : {2, 3, 4}) {
            auto voxels = std::make_shared<std::vector<int>>();
            std::mt19937 random(quint32(1000 * n + labels));
            for (int v = 0; v < n * n * n; ++v)
                voxels->push_back(int(random() % quint32(labels + 1)));
            QTest::addRow("%d labels, %d voxels a side", labels, n)
                << n << Labeller([voxels, n](int i, int j, int k) {
                       return (*voxels)[size_t(i + n * (j + n * k))];
                   })
                << Affine() << QString("shell");
        }
    QTest::newRow("fuzz seed") << 6 << Labeller([](int i, int j, int k) {
        const int v = i + 6 * (j + 6 * k);
        return (v * 7 + v / 6) % 4;
    }) << Affine() << QString("shell");
    QTest::newRow("one-voxel checkerboard")
        << 8 << Labeller([](int i, int j, int k) { return (i + j + k) % 2 ? 1 : 2; }) << Affine()
        << QString("shell");
    const Affine thin = thinVoxels(false), slanted = thinVoxels(true);
    // A checkerboard of one label, voxels touching along edges, holding
    // voxels of a second label.
    const Labeller holding = [](int i, int j, int k) {
        const bool inBox = std::min({i, j, k}) >= 1 && std::max({i, j, k}) <= 5;
        return !inBox ? 0 : (i + j + k) % 2 ? 1 : (i == 2 && j == 3 && k == 3) || i == 5 ? 2 : 0;
    };
    // A cube of four voxels with a voxel of another label on a face and one
    // of a third along an edge.
    const Labeller beside = [](int i, int j, int k) {
        const bool inCube = std::min({i, j, k}) >= 1 && std::max({i, j, k}) <= 4;
        return inCube ? 1 : i == 5 && j == 2 && k == 2 ? 2 : i == 5 && j == 5 && k == 3 ? 3 : 0;
    };
    for (const auto &[name, map] :
         {std::pair {"thin", thin}, std::pair {"slanted thin", slanted}}) {
        QTest::addRow("checkerboard holding another label, %s voxels", name)
            << 7 << holding << map << QString("shell");
        QTest::addRow("voxels beside a cube, %s voxels", name)
            << 7 << beside << map << QString("shell");
    }
}

// Eight half-voxel cells per voxel: how many lie wholly inside the label
// (the voxels shrunk by half a voxel) and how many touch it (grown by half
// a voxel), over cells numbered from -2 so the growth fits.
std::pair<double, double> halfVoxelShell(const Grid &grid, int label)
{
    const int n = grid.n;
    const auto is = [&](int i, int j, int k) {
        return i >= 0 && j >= 0 && k >= 0 && i < n && j < n && k < n
            && grid.voxels[size_t(i + n * (j + n * k))] == label;
    };
    // Half cell h spans [h/2 - 0.5, h/2] around voxel centres at whole numbers;
    // grown or shrunk by half a voxel it spans voxels (h - 2) / 2 .. h / 2.
    double shrunk = 0, grown = 0;
    for (int a = -2; a < 2 * n + 2; ++a)
        for (int b = -2; b < 2 * n + 2; ++b)
            for (int c = -2; c < 2 * n + 2; ++c) {
                int inside = 0, total = 0;
                for (int i = (a - 1) >> 1; i <= (a + 1) >> 1; ++i)
                    for (int j = (b - 1) >> 1; j <= (b + 1) >> 1; ++j)
                        for (int k = (c - 1) >> 1; k <= (c + 1) >> 1; ++k) {
                            inside += is(i, j, k);
                            ++total;
                        }
                shrunk += inside == total;
                grown += inside > 0;
            }
    return {shrunk / 8, grown / 8};
}

// Every label's surface is a solid as the measurements see it, smoothed or
// not: closed, manifold at every edge and vertex, facing outwards, not
// crossing itself, holding its voxels' volume where they lie; also for noise
// and one-voxel checkerboards, where voxels of a label touch only along
// edges and at corners (and form one piece), on thin and slanting voxels.
void TestLabelSurface::labelsAreSolidsOfTheirVoxels()
{
    QFETCH(int, n);
    QFETCH(Labeller, label);
    QFETCH(Affine, toWorld);
    QFETCH(QString, volume);
    const Grid grid(n, label);
    const double voxel = std::fabs(toWorld.determinant());
    const double largest = std::max({toWorld.spacing(0), toWorld.spacing(1), toWorld.spacing(2)});
    for (int iterations : {0, 20}) {
        const auto models = grid.models(toWorld, iterations);
        QCOMPARE(models.size(), grid.count.size() - grid.count.count(0));
        for (const auto &model : models) {
            const int value = model->Meshes[0]->CellMaterials[Triangle][0];
            const QString what = QString("label %1, %2 iterations").arg(value).arg(iterations);
            const measure::ModelSnapshot shot = measure::snapshotModel(*model);
            const measure::SurfaceMeasures m = measure::measureSurface(shot.surface);
            QVERIFY2(m.topology.closed() && m.topology.oriented(), qPrintable(what));
            QVERIFY2(m.topology.nonManifoldEdges == 0 && m.topology.nonManifoldVertices == 0,
                     qPrintable(what));
            QVERIFY2(m.hasVolume && !m.insideOut, qPrintable(what));
            QVERIFY2(m.selfIntersecting == measure::SelfIntersection::No, qPrintable(what));
            const double voxels = voxel * grid.count.at(value);
            QCOMPARE(shot.voxelVolume.value_or(0), voxels);
            auto [low, high] = volume == "voxels" ? std::pair {0.97 * voxels, 1.03 * voxels}
                : volume == "shell"               ? halfVoxelShell(grid, value)
                                                  : std::pair {0.0, double(INFINITY)};
            if (volume == "shell")
                low *= voxel, high *= voxel;
            QVERIFY2(m.volume >= low && m.volume <= high,
                     said(what, m.volume, "mm3 outside", low, high).constData());
            if (volume != "voxels")
                continue;
            // Where the voxel-to-world map puts its voxels, within a tenth of a
            // voxel.
            const std::array<double, 3> &s = grid.sum.at(value),
                                        at = enclosed(*model->Meshes[0]).centre;
            double want[3];
            toWorld.apply(s[0] / grid.count.at(value), s[1] / grid.count.at(value),
                          s[2] / grid.count.at(value), want);
            compareNear3(at, want, 0.1 * largest, what);
        }
        // Touching labels share their boundary: the same triangles, turned over.
        if (models.size() < 2)
            continue;
        const MeshClass &a = *models[0]->Meshes[0], &b = *models[1]->Meshes[0];
        QCOMPARE(sharedFaces(a, b), sharedFaces(b, a));
        QVERIFY(volume != "shell" || sharedFaces(a, b) > 0);
    }
}

// Voxels of a label that touch along an edge are one piece; background that
// touches along an edge is not (where a face of voxels is a checkerboard, the
// larger label is the connected one).
void TestLabelSurface::edgeNeighboursAreOnePiece()
{
    const Grid grid(4, [](int i, int j, int k) {
        return k == 1 && ((i == 1 && j == 1) || (i == 2 && j == 2)) ? 3 : 0;
    });
    const auto models = grid.models(Affine(), 0);
    const MeshClass &mesh = *models[0]->Meshes[0];
    std::vector<qint32> parent(size_t(mesh.CountOfVertices));
    std::iota(parent.begin(), parent.end(), 0);
    const std::function<qint32(qint32)> root = [&](qint32 v) {
        return parent[size_t(v)] == v ? v : parent[size_t(v)] = root(parent[size_t(v)]);
    };
    for (qint32 c = 0; c < 3 * mesh.CountOfCells[Triangle]; c += 3)
        for (int e = 1; e < 3; ++e)
            parent[size_t(root(mesh.Cells[Triangle][c + e]))] = root(mesh.Cells[Triangle][c]);
    std::set<qint32> pieces;
    for (qint32 v = 0; v < mesh.CountOfVertices; ++v)
        pieces.insert(root(v));
    QCOMPARE(pieces.size(), size_t(1));
}

// A box of four labels, one per quarter: the line where the four meet runs
// up its middle and ends on the lid and the floor, where the background
// meets all four. Smoothing moves the line's vertices only along it and
// leaves its ends where they are.
void TestLabelSurface::linesWhereLabelsMeetHold()
{
    LabelVolume volume;
    volume.size[0] = volume.size[1] = volume.size[2] = 10;
    volume.values = {0, 1, 2, 3, 4};
    volume.labels.assign(1000, 0);
    for (int k = 2; k < 8; ++k)
        for (int j = 2; j < 8; ++j)
            for (int i = 2; i < 8; ++i)
                volume.labels[size_t(i + 10 * (j + 10 * k))] = quint16(1 + (i < 5) + 2 * (j < 5));
    LabelSurface surface = extractLabelSurface(volume);
    const std::vector<double> before = surface.xyz;
    smoothLabelSurface(surface);
    int ends = 0, onLine = 0;
    for (size_t v = 0; 3 * v < before.size(); ++v) {
        const double *was = &before[3 * v], *now = &surface.xyz[3 * v];
        if (was[0] != 4.5 || was[1] != 4.5)
            continue;
        if (was[2] == 1.5 || was[2] == 7.5) {
            ++ends;
            QCOMPARE(now[2], was[2]);
        } else {
            ++onLine;
        }
        QCOMPARE(now[0], 4.5);
        QCOMPARE(now[1], 4.5);
    }
    QCOMPARE(ends, 2);
    QVERIFY(onLine >= 5);
}

// Whole numbers of any type are labels, fractions and not-numbers are
// refused, and more than a thousand labels is an image, refused with its count.
void TestLabelSurface::valuesAMapMayHold()
{
    const float fraction[] = {0, 1, 2.5f};
    QVERIFY(refusal(SampleType::Float32, fraction, 3).contains("2.5"));
    const double notANumber[] = {0, std::nan("")};
    QVERIFY(!refusal(SampleType::Float64, notANumber, 2).isEmpty());
    std::vector<qint16> many(1001);
    std::iota(many.begin(), many.end(), qint16(1));
    QVERIFY(refusal(SampleType::Int16, many.data(), 1001).contains("1001"));
    QVERIFY(refusal(SampleType::Int16, many.data(), 1000).isEmpty());
    // Scaled values are labels when the scaling makes them whole.
    const qint16 scaled[] = {0, 2, 4, -2};
    QVERIFY(refusal(SampleType::Int16, scaled, 4, 0.5).isEmpty());
    QVERIFY(!refusal(SampleType::Int16, scaled, 4, 0.25).isEmpty());
}

QTEST_GUILESS_MAIN(TestLabelSurface)
#include "test_label_surface.moc"
