// Drawing data: visible faces and inner-face removal, fan triangles, normals,
// colours, texture coordinates, edges, drawn points, selection and borders.

#include "model/MaterialColor.h"
#include "model/MeshBuilders.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// The drawn face records of k nodes: the nodes, material, cell type and cell.
std::vector<std::vector<qint32>> faceRecords(const MeshClass &mesh, int k)
{
    std::vector<std::vector<qint32>> out;
    for (qint32 f = 0; f < mesh.CountOfViewFaces[k]; ++f)
        out.emplace_back(mesh.ViewFaces[k] + f * (k + 3), mesh.ViewFaces[k] + (f + 1) * (k + 3));
    return out;
}

std::array<float, 3> corner(const float *array, int index)
{
    return {array[3 * index], array[3 * index + 1], array[3 * index + 2]};
}

} // namespace

class TestDrawData : public QObject
{
    Q_OBJECT

private slots:
    void innerFacesOfVolumes_data();
    void innerFacesOfVolumes();
    void facesFollowTypesMaterialsAndVisibility();
    void polygonsAreFanTriangulated();
    void flatAndSmoothNormalsOfClosedCube();
    void outerSideOfClosedAndOpenSurfaces();
    void textureCoordinatesOfFunctions();
    void materialColoursAndRule();
    void selectionFaces();
    void borderEdges();
};

void TestDrawData::innerFacesOfVolumes_data()
{
    using Nodes = std::vector<qint32>;
    QTest::addColumn<int>("type");
    QTest::addColumn<std::vector<double>>("vertices");
    QTest::addColumn<Nodes>("nodes");
    QTest::addColumn<Nodes>("materials");
    QTest::addColumn<bool>("inner");
    QTest::addColumn<int>("triangles");
    QTest::addColumn<int>("quads");
    const auto row = [](const char *name, int type, const std::vector<double> &xyz,
                        const Nodes &nodes, const Nodes &materials, bool inner, int triangles,
                        int quads) {
        QTest::newRow(name) << type << xyz << nodes << materials << inner << triangles << quads;
    };
    const std::vector<double> fiveNodes = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1};
    const Nodes twoTets = {0, 1, 2, 3, 1, 2, 3, 4};
    row("two tetrahedra", Tetrahedron, fiveNodes, twoTets, {}, false, 6, 0);
    row("two tetrahedra, inner edges", Tetrahedron, fiveNodes, twoTets, {}, true, 7, 0);
    row("two hexahedra", Hexahedron, kTwoCubes, kTwoHexes, {1, 1}, false, 0, 10);
    row("two hexahedra, two materials", Hexahedron, kTwoCubes, kTwoHexes, {1, 2}, false, 0, 12);
    // Pyramids on both sides of one quadrangle: (0,1,2,3) base, apexes 4 and 5.
    row("two pyramids", Pyramid, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, .5, .5, 1, .5, .5, -1},
        {0, 1, 2, 3, 4, 3, 2, 1, 0, 5}, {}, false, 8, 0);
    // Prisms stacked on a shared triangle.
    row("two prisms", Prism,
        {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 1, 1, 0, 0, 2, 1, 0, 2, 0, 1, 2},
        {0, 1, 2, 3, 4, 5, 3, 4, 5, 6, 7, 8}, {}, false, 2, 6);
}

void TestDrawData::innerFacesOfVolumes()
{
    QFETCH(int, type);
    QFETCH(std::vector<double>, vertices);
    QFETCH(std::vector<qint32>, nodes);
    QFETCH(std::vector<qint32>, materials);
    QFETCH(bool, inner);
    MeshClass mesh;
    setVertices(mesh, vertices);
    setCells(mesh, type, nodes, materials);
    mesh.Settings.ShowInnerEdges = inner;
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QTEST(mesh.CountOfViewFaces[3], "triangles");
    QTEST(mesh.CountOfViewFaces[4], "quads");
    for (int k : {3, 4})
        for (const auto &face : faceRecords(mesh, k)) {
            QCOMPARE(face[size_t(k) + 1], type);
            QVERIFY(face[size_t(k) + 2] >= 0 && face[size_t(k) + 2] < 2);
            QCOMPARE(face[size_t(k)],
                     materials.empty() ? 0 : materials[size_t(face[size_t(k) + 2])]);
        }
}

void TestDrawData::facesFollowTypesMaterialsAndVisibility()
{
    // A quadrangle polygon on the same four vertices as a hexahedron's face: both stay.
    MeshClass cube;
    setVertices(cube, kCube);
    setCells(cube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7});
    setCells(cube, Quadrangle, {0, 1, 5, 4});
    QCOMPARE(cube.constructViewFaces({}), 0);
    const auto records = faceRecords(cube, 4);
    QCOMPARE(records.size(), size_t(7));
    QCOMPARE(records.back(), (std::vector<qint32> {0, 1, 5, 4, 0, 4, 0})); // polygons come last

    // A tetrahedron glued on the triangle (1,2,4) of a pyramid: hiding the
    // tetrahedra shows the pyramid's side they covered.
    MeshClass mesh;
    setVertices(mesh, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, .5, .5, 1, 2, 1, 1});
    setCells(mesh, Pyramid, {0, 1, 2, 3, 4});
    setCells(mesh, Tetrahedron, {1, 2, 4, 5});
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.CountOfViewFaces[3], 3 + 3);
    mesh.TypeVisible[Tetrahedron] = 0;
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.CountOfViewFaces[3], 4);
    QCOMPARE(mesh.CountOfViewFaces[4], 1);
    for (const auto &face : faceRecords(mesh, 3))
        QCOMPARE(face[4], int(Pyramid));

    // Shown materials and hidden cells.
    MeshClass flat;
    setVertices(flat, kCube);
    setCells(flat, Triangle, {0, 1, 2, 0, 2, 3, 4, 5, 6}, {1, 2, 3});
    QCOMPARE(flat.constructViewFaces({2, 3}), 0);
    QCOMPARE(flat.CountOfViewFaces[3], 2);
    flat.allocCellVisible();
    flat.CellVisible[Triangle][1] = 0;
    QCOMPARE(flat.constructViewFaces({2, 3}), 0);
    QCOMPARE(faceRecords(flat, 3), (std::vector<std::vector<qint32>> {{4, 5, 6, 3, 3, 2}}));
    QCOMPARE(flat.constructViewFaces({}), 0);
    QCOMPARE(flat.CountOfViewFaces[3], 2);
}

void TestDrawData::polygonsAreFanTriangulated()
{
    MeshClass mesh;
    setVertices(mesh, {0, 0, 0, 2, 0, 0, 3, 1, 0, 1, 3, 0, -1, 1, 0});
    setCells(mesh, 5, {0, 1, 2, 3, 4});
    QCOMPARE(mesh.prepare(), 0);
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.constructDrawData(0, 0, 0, false, 0), 0);
    QCOMPARE(mesh.CountOfTriVertices, 9);
    const int fan[9] = {0, 1, 2, 0, 2, 3, 0, 3, 4};
    for (int c = 0; c < 9; ++c)
        QCOMPARE(corner(mesh.triCorner(c), 0),
                 (std::array<float, 3> {float(mesh.Vertices[3 * fan[c]]),
                                        float(mesh.Vertices[3 * fan[c] + 1]), 0.0f}));
    for (int t = 0; t < 3; ++t) {
        QCOMPARE(mesh.TriangleCells[2 * t], 5);
        QCOMPARE(mesh.TriangleCells[2 * t + 1], 0);
    }
    QCOMPARE(mesh.CountOfEdgeLineVertices, 10); // five segments
    QCOMPARE(mesh.CountOfViewPoints, 5);
    QCOMPARE(mesh.ViewPointIndices[4], 4);

    // Hiding the only cell empties every drawing array.
    mesh.allocCellVisible();
    mesh.CellVisible[5][0] = 0;
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.constructDrawData(0, 0, 0, false, 0), 0);
    QCOMPARE(mesh.CountOfTriVertices, 0);
    QCOMPARE(mesh.CountOfEdgeLineVertices, 0);
    QCOMPARE(mesh.CountOfViewPoints, 0);
    QVERIFY(!mesh.TriVertices && !mesh.EdgeLines && !mesh.ViewPoints && !mesh.TriangleCells);
}

// The cube is one hexahedron: outward normals also prove its face table.
void TestDrawData::flatAndSmoothNormalsOfClosedCube()
{
    MeshClass mesh;
    setVertices(mesh, kCube);
    setCells(mesh, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7});
    QCOMPARE(mesh.prepare(), 0);
    QCOMPARE(mesh.constructViewFaces({}), 0);
    for (bool smooth : {false, true}) {
        QCOMPARE(mesh.constructDrawData(0, 0, 0, smooth, 0), 0);
        QCOMPARE(mesh.CountOfTriVertices, 36);
        QCOMPARE(mesh.CountOfEdgeLineVertices, 24);
        QCOMPARE(mesh.CountOfViewPoints, 8);
        for (int c = 0; c < 36; ++c) {
            const auto p = corner(mesh.triCorner(c), 0);
            const auto n = corner(mesh.triNormal(c), 0);
            float outward = 0, length = 0;
            for (int a = 0; a < 3; ++a) {
                outward += n[size_t(a)] * (p[size_t(a)] - 0.5f);
                length += n[size_t(a)] * n[size_t(a)];
            }
            QVERIFY2(outward > 0, "normal points inward");
            QVERIFY(qFuzzyCompare(length, 1.0f));
            if (!smooth) // face normals are axis-aligned
                QCOMPARE(std::count(n.begin(), n.end(), 0.0f), 2);
        }
    }
    // Vertex 0 lies in three faces, each giving it two triangles.
    const float d = 1.0f / std::sqrt(3.0f);
    QCOMPARE(corner(mesh.TriNormals, 0), (std::array<float, 3> {-d, -d, -d}));
}

// Tetrahedra as triangle surfaces: the side a view from outside can meet.
void TestDrawData::outerSideOfClosedAndOpenSurfaces()
{
    const std::vector<double> tetra = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    const std::vector<qint32> outward = {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3},
                              inward = {0, 1, 2, 0, 3, 1, 0, 2, 3, 1, 3, 2};
    // Two tetrahedra, the second 3 along x: both outward, or the second inward.
    std::vector<double> two = tetra;
    two.insert(two.end(), {3, 0, 0, 4, 0, 0, 3, 1, 0, 3, 0, 1});
    std::vector<qint32> bothOut = outward, oneIn = outward;
    bothOut.insert(bothOut.end(), {4, 6, 5, 4, 5, 7, 4, 7, 6, 5, 6, 7});
    oneIn.insert(oneIn.end(), {4, 5, 6, 4, 7, 5, 4, 6, 7, 5, 7, 6});
    auto outerSide = [](const std::vector<double> &xyz, const std::vector<qint32> &triangles) {
        MeshClass mesh;
        setVertices(mesh, xyz);
        setCells(mesh, Triangle, triangles);
        if (mesh.prepare() != 0 || mesh.constructViewFaces({}) != 0
            || mesh.constructDrawData(0, 0, 0, false, 0) != 0)
            return OuterSide::Both;
        return mesh.Outer;
    };
    QCOMPARE(outerSide(tetra, outward), OuterSide::Front);
    QCOMPARE(outerSide(tetra, inward), OuterSide::Back);
    QCOMPARE(outerSide(tetra, {0, 2, 1, 0, 1, 3, 0, 3, 2}), OuterSide::Both); // open
    QCOMPARE(outerSide(two, bothOut), OuterSide::Front);
    QCOMPARE(outerSide(two, oneIn), OuterSide::Both);
    // Closed in count but not in turn: one face wound against its neighbours.
    QCOMPARE(outerSide(tetra, {0, 1, 2, 0, 1, 3, 0, 3, 2, 1, 2, 3}), OuterSide::Both);
}

void TestDrawData::textureCoordinatesOfFunctions()
{
    MeshClass mesh;
    setVertices(mesh, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    setCells(mesh, Triangle, {0, 1, 2, 0, 2, 3});
    addVertexFunction(mesh, {10, 20, 30, 40});
    setCellFunctions(mesh, Triangle, 2, {1, 5, 2, 7});
    mesh.Settings.ColorMode = 5;
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.constructDrawData(0, 10, 40, false, 1), 0);
    const float expected[6] = {0, 1 / 3.f, 2 / 3.f, 0, 2 / 3.f, 1};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(mesh.TriTexCoords[c], expected[c]);
    QCOMPARE(mesh.constructDrawData(1, 5, 9, false, 2), 0); // cell function 1
    for (int c = 0; c < 6; ++c)
        QCOMPARE(mesh.TriTexCoords[c], c < 3 ? 0.0f : 0.5f);
    QCOMPARE(mesh.constructDrawData(0, 30, 30, false, 1), 0); // range 0 counts as 1
    QCOMPARE(mesh.TriTexCoords[0], -20.0f);
    QCOMPARE(mesh.TriTexCoords[2], 0.0f);
    // A function the block does not have colours nothing; other modes neither.
    QCOMPARE(mesh.constructDrawData(3, 0, 1, false, 1), 0);
    QVERIFY(!mesh.TriTexCoords);
    mesh.Settings.ColorMode = 1;
    QCOMPARE(mesh.constructDrawData(0, 10, 40, false, 1), 0);
    QVERIFY(!mesh.TriTexCoords);
    QCOMPARE(mesh.CountOfTriVertices, 6);
}

void TestDrawData::materialColoursAndRule()
{
    QCOMPARE(materialColor(1, 1.0), (Rgba8 {255, 0, 0, 255}));
    QCOMPARE(materialColor(-5, 0.5), (Rgba8 {255, 0, 0, 127}));
    QCOMPARE(materialColor(2, 1.0), (Rgba8 {170, 255, 0, 255})); // hue 80
    QCOMPARE(materialColor(4, 1.0), (Rgba8 {84, 0, 255, 255}));  // hue -100 wraps to 260
    // m = 13: n = 12, level 2, hue 10, value 0.75
    QCOMPARE(materialColor(13, 1.0), (Rgba8 {191, 31, 0, 255}));
    // m = 24 still has n = 12 (hue 230); m = 25 has n = 24, level 3 (hue 5)
    QCOMPARE(materialColor(24, 1.0), (Rgba8 {0, 31, 191, 255}));
    QCOMPARE(materialColor(25, 1.0), (Rgba8 {170, 14, 0, 255}));

    MeshClass mesh;
    setVertices(mesh, kCube);
    setCells(mesh, Triangle, {0, 1, 2, 0, 2, 3}, {5, 0});
    setCells(mesh, Quadrangle, {4, 5, 6, 7}, {0});
    mesh.Settings.ColorMode = 4;
    mesh.Settings.Opacity = 0.5;
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.constructDrawData(0, 0, 0, false, 0), 0);
    QCOMPARE(mesh.CountOfTriVertices, 12);
    for (int c = 0; c < 12; ++c)
        QCOMPARE(mesh.TriColors[mesh.triShadingEntry(c)], materialColor(c < 3 ? 6 : 1, 0.5));
    mesh.Settings.ColorMode = 2;
    QCOMPARE(mesh.constructDrawData(0, 0, 0, false, 0), 0);
    QVERIFY(!mesh.TriColors);
}

void TestDrawData::selectionFaces()
{
    MeshClass mesh;
    setVertices(mesh, kTwoCubes);
    setCells(mesh, Hexahedron, kTwoHexes);
    setCells(mesh, Triangle, {0, 1, 2});
    selectCell(mesh, Triangle, 0); // polygons take no part
    selectCell(mesh, Hexahedron, 1);
    QCOMPARE(mesh.constructSelectedFaces(), 0);
    QCOMPARE(mesh.CountOfSelectedFaces[4], 6);
    QCOMPARE(mesh.CountOfSelectedFaces[3], 0);
    QCOMPARE(mesh.buildSelectionData(), 0);
    QCOMPARE(mesh.CountOfSelTriVertices, 36);
    selectCell(mesh, Hexahedron, 0);
    QCOMPARE(mesh.constructSelectedFaces(), 0);
    QCOMPARE(mesh.CountOfSelectedFaces[4], 11);
    QCOMPARE(mesh.buildSelectionData(), 0);
    QCOMPARE(mesh.CountOfSelTriVertices, 66);
    mesh.clearSelection();
    QCOMPARE(mesh.CountOfSelTriVertices, 0);
    QCOMPARE(mesh.CountOfSelectedFaces[4], 0);
}

void TestDrawData::borderEdges()
{
    MeshClass mesh;
    setVertices(mesh, kCube);
    setCells(mesh, Triangle, {0, 1, 2});
    qint32 vertices = -1;
    QCOMPARE(mesh.findBorderEdges(true, &vertices), 3);
    QCOMPARE(vertices, 3);
    QVERIFY(!mesh.MarkedEdges);
    setCells(mesh, Triangle, {0, 1, 2, 0, 2, 3}, {1, 2});
    QCOMPARE(mesh.findBorderEdges(false, nullptr), 4);
    QCOMPARE(mesh.CountOfMarkedEdgeIndices, 8);
    for (int i = 0; i < 8; i += 2) // never the shared edge (0, 2)
        QVERIFY(!(mesh.MarkedEdges[i] == 0 && mesh.MarkedEdges[i + 1] == 2));
    // The border of material 2 includes the edge it shares with material 1.
    QCOMPARE(mesh.findBorderMaterialEdges(2), 3);
    QCOMPARE(mesh.CountOfMarkedEdgeIndices, 6);
    QCOMPARE(mesh.findBorderMaterialEdges(9), 0);
    QVERIFY(!mesh.MarkedEdges);
    // A closed surface has no border; volume cells take no part.
    MeshClass closed;
    setVertices(closed, kCube);
    setCells(closed, Quadrangle, kCubeQuads);
    setCells(closed, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7});
    QCOMPARE(closed.findBorderEdges(true, &vertices), 0);
    QCOMPARE(vertices, 0);
}

QTEST_GUILESS_MAIN(TestDrawData)
#include "test_drawdata.moc"
