// Label maps to surfaces: closed surfaces that keep the labels' volumes
// before and after smoothing, boundaries that touching labels share, world
// placement through the voxel-to-world map, and the values a map may hold.

#include "ImportChecks.h"
#include "import/ImportTypes.h"
#include "import/LabelMapImport.h"

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
    std::map<int, double> count; // voxels per label

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
        labelMapModels(map, "grid.nii", result, {}, smoothing);
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

class TestLabelSurface : public QObject
{
    Q_OBJECT

private slots:
    void closedAndVolumeKept_data();
    void closedAndVolumeKept();
    void touchingLabelsShareTheirBoundary();
    void edgeNeighboursAreOnePiece();
    void placedInWorldMillimetres();
    void valuesAMapMayHold();
};

void TestLabelSurface::closedAndVolumeKept_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<Labeller>("label");
    QTest::addColumn<bool>("smoothShapes"); // volumes are checked only for these
    QTest::newRow("ball") << 28 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 13.3, 13.6, 13.2, 9.5) ? 1 : 0;
    }) << true;
    QTest::newRow("two halves of a ball") << 30 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 14.3, 14.6, 14.2, 11) ? (i < 14 ? 1 : 2) : 0;
    }) << true;
    QTest::newRow("three labels meet along a line") << 30 << Labeller([](int i, int j, int k) {
        return inBall(i, j, k, 14.3, 14.6, 14.2, 11) ? (i < 14 ? 1 : j < 15 ? 2 : 3) : 0;
    }) << true;
    QTest::newRow("box on the edge of the scan")
        << 16 << Labeller([](int i, int j, int k) { return i < 12 && j > 2 && k > 3 ? 4 : 0; })
        << true;
    QTest::newRow("noise of four labels") << 12 << Labeller([](int i, int j, int k) {
        return int(std::hash<int>()(i * 7919 + j * 104729 + k * 1299709) % 4);
    }) << false;
    QTest::newRow("checkerboard") << 10 << Labeller([](int i, int j, int k) {
        return (i + j + k) % 2 ? 1 : 2;
    }) << false;
}

// Every label's surface is closed and faces outwards; on smooth shapes it
// encloses the voxels' volume within 1 % before smoothing and 3 % after.
void TestLabelSurface::closedAndVolumeKept()
{
    QFETCH(int, n);
    QFETCH(Labeller, label);
    QFETCH(bool, smoothShapes);
    const Grid grid(n, label);
    for (int iterations : {0, 20}) {
        const auto models = grid.models(Affine(), iterations);
        QCOMPARE(models.size(), grid.count.size() - grid.count.count(0));
        for (const auto &model : models) {
            const MeshClass &mesh = *model->Meshes.first();
            QVERIFY2(isClosed(mesh), qPrintable(model->Name));
            const double volume = enclosed(mesh).volume;
            if (iterations == 0 || smoothShapes)
                QVERIFY2(volume > 0, qPrintable(model->Name));
            const double voxels = grid.count.at(mesh.CellMaterials[Triangle][0]);
            const double tolerance = iterations ? 0.03 : 0.01;
            if (smoothShapes)
                QVERIFY2(std::fabs(volume / voxels - 1) < tolerance,
                         qPrintable(QString("%1: %2 of %3 voxels, %4 iterations")
                                        .arg(model->Name)
                                        .arg(volume)
                                        .arg(voxels)
                                        .arg(iterations)));
        }
    }
}

// Two labels that touch have one boundary: the triangles of one facing the
// other are those of the other turned over, exactly, before and after
// smoothing; what is left of both is one closed surface around the two.
void TestLabelSurface::touchingLabelsShareTheirBoundary()
{
    const Labeller halves = [](int i, int j, int k) {
        return inBall(i, j, k, 12.2, 12.5, 12.1, 9.5) ? (i + j / 3 < 15 ? 1 : 2) : 0;
    };
    for (int iterations : {0, 30}) {
        const auto models = Grid(26, halves).models(Affine(), iterations);
        QCOMPARE(models.size(), size_t(2));
        const MeshClass &a = *models[0]->Meshes[0], &b = *models[1]->Meshes[0];
        const int shared = sharedFaces(a, b);
        QVERIFY2(shared > 100, qPrintable(QString::number(shared)));
        QCOMPARE(sharedFaces(b, a), shared);
        std::set<Face> outer;
        const std::set<Face> fa = faces(a, false), fb = faces(b, false), ta = faces(a, true),
                             tb = faces(b, true);
        std::set_difference(fa.begin(), fa.end(), tb.begin(), tb.end(),
                            std::inserter(outer, outer.end()));
        std::set_difference(fb.begin(), fb.end(), ta.begin(), ta.end(),
                            std::inserter(outer, outer.end()));
        std::map<std::pair<Corner, Corner>, int> edges;
        for (const Face &f : outer)
            for (int e = 0; e < 3; ++e)
                ++edges[{f[size_t(e)], f[size_t((e + 1) % 3)]}];
        for (const auto &[edge, count] : edges) {
            const auto back = edges.find({edge.second, edge.first});
            QVERIFY(back != edges.end() && back->second == count);
        }
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

// A cube of voxels lands where the voxel-to-world map puts it, also through a
// rotation and mirroring map (its surface still facing outwards).
void TestLabelSurface::placedInWorldMillimetres()
{
    const Grid grid(12, [](int i, int j, int k) {
        return i >= 3 && i <= 6 && j >= 2 && j <= 4 && k >= 5 && k <= 9 ? 7 : 0;
    });
    Affine map; // 30 degrees about z, x mirrored, 0.5 x 0.8 x 2 mm voxels, moved
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const double m[3][4] = {
        {-0.5 * c, -0.8 * s, 0, 100}, {-0.5 * s, 0.8 * c, 0, -50}, {0, 0, 2.0, 7}};
    std::copy(&m[0][0], &m[0][0] + 12, &map.m[0][0]);
    const auto models = grid.models(map, 0);
    QCOMPARE(models.size(), size_t(1));
    const MeshClass &mesh = *models[0]->Meshes[0];
    QVERIFY(isClosed(mesh));
    // The box's centre in voxels is (4.5, 3, 7); its volume 4 x 3 x 5 voxels
    // of 0.8 mm^3, less what marching cubes cuts off at its edges and corners.
    double expected[3];
    map.apply(4.5, 3, 7, expected);
    const Enclosed e = enclosed(mesh);
    for (size_t a = 0; a < 3; ++a)
        QVERIFY2(std::fabs(e.centre[a] - expected[a]) < 1e-9,
                 qPrintable(QString("%1: %2 %3").arg(a).arg(e.centre[a]).arg(expected[a])));
    QVERIFY2(e.volume > 0.75 * 60 * 0.8 && e.volume < 60 * 0.8,
             qPrintable(QString::number(e.volume)));
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

    SampleGrid grid;
    const qint64 values[] = {0, -7, 0, 300000000000, -7, 0};
    grid.data = values;
    grid.type = SampleType::Int64;
    grid.size[0] = 6;
    grid.size[1] = grid.size[2] = 1;
    const LabelVolume volume = makeLabelVolume(grid, Affine());
    QCOMPARE(volume.values, (std::vector<qint64> {0, -7, 300000000000}));
    // The box of labels, voxels 1..4, with one voxel of background around it.
    QCOMPARE(volume.size[0], qint64(6));
    QCOMPARE(volume.at(1, 1, 1), quint16(1));
    QCOMPARE(volume.at(2, 1, 1), quint16(0));
    QCOMPARE(volume.at(3, 1, 1), quint16(2));
    QCOMPARE(volume.toWorld.m[0][3], 0.0);
    const qint64 empty[] = {0, 0};
    grid.data = empty;
    grid.size[0] = 2;
    QCOMPARE(makeLabelVolume(grid, Affine()).count(), 0);
}

QTEST_GUILESS_MAIN(TestLabelSurface)
#include "test_label_surface.moc"
