// Blocks: construction and clearing, bounds and ranges, index checks,
// materials, deep copies and the display-list seam.

#include "geometry/RadixSort.h"
#include "model/MeshBuilders.h"

#include <QtTest>

#include <map>
#include <random>
#include <set>

class TestBlock : public QObject
{
    Q_OBJECT

private slots:
    void clearEmptiesAndDeletesDisplayLists();
    void faceTablesCloseEveryVolume();
    void boundsAndFunctionRanges();
    void checkIndicesRefusesBadBlocks();
    void getMaterialsInOrderOfFirstOccurrence();
    void copiesAreDeep();
    void radixSortAgreesWithSort();
};

void TestBlock::clearEmptiesAndDeletesDisplayLists()
{
    RecordingBackend backend;
    {
        MeshClass mesh;
        // clear on a fresh block and twice in a row is harmless, and deletes no lists
        mesh.clear();
        mesh.clear();
        QVERIFY(backend.deleted.empty());

        setVertices(mesh, kCube);
        setCells(mesh, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}, {3});
        addVertexFunction(mesh, {0, 1, 2, 3, 4, 5, 6, 7});
        mesh.Name = "zone";
        mesh.TypeVisible[Hexahedron] = 0;
        mesh.DisplayLists = 11;
        QCOMPARE(mesh.prepare(), 0);
        QCOMPARE(mesh.constructViewFaces({}), 0);
        mesh.clear();
        QCOMPARE(mesh.CountOfVertices, 0);
        QCOMPARE(mesh.CountOfCells[Hexahedron], 0);
        QVERIFY(!mesh.Cells[Hexahedron] && !mesh.CellMaterials && !mesh.Functions && !mesh.FuncMin);
        QVERIFY(mesh.Name.isEmpty());
        QCOMPARE(mesh.TypeVisible[Hexahedron], quint8(1));
        QCOMPARE(backend.deleted, (std::vector<std::pair<quint32, qint32>> {{11, 5}}));
    }
    QVERIFY(backend.deleted.size() >= 2); // destruction deletes them again
}

// Every edge of a volume cell's faces must be walked once in each direction,
// or the drawn surface would have holes or flipped faces.
void TestBlock::faceTablesCloseEveryVolume()
{
    for (const FaceTable *table : kVolumeFaceOrder) {
        std::map<std::pair<int, int>, int> directed;
        std::set<int> nodes;
        auto walk = [&](const int *face, int k) {
            for (int i = 0; i < k; ++i) {
                ++directed[{face[i], face[(i + 1) % k]}];
                nodes.insert(face[i]);
            }
        };
        for (int f = 0; f < table->triangleCount; ++f)
            walk(table->triangles[f], 3);
        for (int f = 0; f < table->quadCount; ++f)
            walk(table->quads[f], 4);
        QCOMPARE(int(nodes.size()), NodesOfType(table->type));
        for (const auto &[edge, count] : directed) {
            QCOMPARE(count, 1);
            QVERIFY2(directed.count({edge.second, edge.first}), "edge without its twin");
        }
    }
}

void TestBlock::boundsAndFunctionRanges()
{
    MeshClass empty;
    QCOMPARE(empty.computeSize(), 0);
    QCOMPARE(empty.Radius, 0.0f);
    QCOMPARE(empty.BoxMax[2], 0.0f);

    MeshClass mesh;
    // The mean of the vertices is not the box centre.
    setVertices(mesh, {0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 2});
    addVertexFunction(mesh, {5, -1, 3, 2});
    addVertexFunction(mesh, {7, 7, 7, 7});
    QCOMPARE(mesh.computeSize(), 0);
    using Floats = std::vector<float>;
    const auto three = [](const float *a) { return Floats(a, a + 3); };
    QCOMPARE(three(mesh.BoxMin), (Floats {0, 0, 0}));
    QCOMPARE(three(mesh.HalfSize), (Floats {2, 1, 1}));
    QCOMPARE(three(mesh.Center), (Floats {1, 0.5f, 0.5f}));
    QCOMPARE(mesh.Radius, std::sqrt(9.0f + 0.25f + 0.25f));
    QCOMPARE(mesh.ExtentSum, std::sqrt(16.0f + 4 + 4) + std::sqrt(4.0f + 1 + 1));
    QCOMPARE((Floats {mesh.FuncMin[0], mesh.FuncMax[0], mesh.FuncMin[1], mesh.FuncMax[1]}),
             (Floats {-1, 5, 7, 7}));

    mesh.CellFuncMin = allocArray<float>(1);
    mesh.CellFuncMin[0] = 42;
    QCOMPARE(mesh.computeCellsFuncs(), 0); // no CellFuncs: ranges untouched
    QCOMPARE(mesh.CellFuncMin[0], 42.0f);

    setCells(mesh, Triangle, {0, 1, 2, 0, 2, 3});
    setCells(mesh, Tetrahedron, {0, 1, 2, 3});
    // The extremes of function 1 sit in the first cell of the second slot.
    setCellFunctions(mesh, Triangle, 2, {1, 0, 2, 0});
    setCellFunctions(mesh, Tetrahedron, 2, {1.5, -9});
    QCOMPARE(mesh.computeCellsFuncs(), 0);
    QCOMPARE((Floats {mesh.CellFuncMin[0], mesh.CellFuncMax[0], mesh.CellFuncMin[1],
                      mesh.CellFuncMax[1]}),
             (Floats {1, 2, -9, 0}));
}

void TestBlock::checkIndicesRefusesBadBlocks()
{
    MeshClass mesh;
    setVertices(mesh, kCube);
    setCells(mesh, Triangle, {0, 1, 7});
    QVERIFY(!mesh.checkIndices());
    QCOMPARE(mesh.prepare(), 0);

    setCells(mesh, Triangle, {0, 1, 8}); // vertex number == CountOfVertices
    QVERIFY(mesh.checkIndices());
    QCOMPARE(mesh.prepare(), 1);
    setCells(mesh, Triangle, {0, -1, 2});
    QCOMPARE(mesh.prepare(), 1);

    setCells(mesh, Triangle, {0, 1, 2}, {-1});
    QVERIFY(mesh.checkIndices()); // negative material
    setCells(mesh, Triangle, {0, 1, 2}, {0});
    QVERIFY(!mesh.checkIndices());

    // A count without its node array, or a negative count, is bad too.
    MeshClass broken;
    setVertices(broken, kCube);
    broken.CountOfCells[Quadrangle] = 2;
    QVERIFY(broken.checkIndices());
    broken.CountOfCells[Quadrangle] = -1;
    QVERIFY(broken.checkIndices());
    // A bad block contributes nothing to drawing.
    setCells(mesh, Triangle, {0, 1, 9});
    QCOMPARE(mesh.constructViewFaces({}), 0);
    QCOMPARE(mesh.CountOfViewFaces[3], 0);
    QCOMPARE(mesh.findBorderEdges(false, nullptr), 0);
}

void TestBlock::getMaterialsInOrderOfFirstOccurrence()
{
    MeshClass mesh;
    setVertices(mesh, kCube);
    QVERIFY(mesh.getMaterials().isEmpty());
    setCells(mesh, Triangle, {0, 1, 2, 0, 2, 3, 4, 5, 6}, {7, 2, 7});
    setCells(mesh, Quadrangle, {0, 1, 5, 4, 3, 2, 6, 7}, {9, 2});
    setCells(mesh, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}, {1});
    QCOMPARE(mesh.getMaterials(), (QList<qint32> {7, 2, 9, 1}));
    mesh.allocCellVisible();
    mesh.CellVisible[Triangle][0] = 0;
    mesh.CellVisible[Triangle][2] = 0;
    QCOMPARE(mesh.getMaterials(), (QList<qint32> {2, 9, 1}));
}

void TestBlock::copiesAreDeep()
{
    MeshClass source;
    setVertices(source, kCube);
    setCells(source, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}, {4});
    addVertexFunction(source, {0, 1, 2, 3, 4, 5, 6, 7});
    addVertexFunction(source, {10, 11, 12, 13, 14, 15, 16, 17});
    setCellFunctions(source, Hexahedron, 2, {-3, 8});
    source.setCellSelected(Hexahedron, 0, true);
    source.Name = "zone 1";
    source.ZoneNumber = 3;
    source.Settings.ColorMode = 4;
    QCOMPARE(source.prepare(), 0);
    QCOMPARE(source.constructViewFaces({}), 0);
    QCOMPARE(source.constructDrawData(0, 0, 0, false, 0), 0);
    QVERIFY(source.TriColors);
    source.CellFuncMax[1] = 20;

    MeshClass copy;
    source.copyMeshTo(copy);
    QCOMPARE(copy.Name, QString("zone 1"));
    QCOMPARE(copy.ZoneNumber, 3);
    const Rgba8 colour = source.TriColors[0];
    QVERIFY(!copy.SelTriVertices); // selection triangles are not copied
    source.clear(); // the copy owns everything it shows (the sanitizer run reads freed arrays)
    QCOMPARE(copy.CountOfTriVertices, 36);
    QCOMPARE(copy.TriColors[0], colour);
    QCOMPARE(copy.TriangleCells[0], int(Hexahedron));
    QCOMPARE(copy.Cells[Hexahedron][7], 7);
    QCOMPARE(copy.CellMaterials[Hexahedron][0], 4);
    QCOMPARE(copy.Functions[1][5], 15.0);
    QCOMPARE(copy.CellFuncMin[1], 8.0f);
    QCOMPARE(copy.CellFuncMax[1], 20.0f); // the ranges as they stand, not recomputed
    QCOMPARE(copy.CellSelected[Hexahedron][0], quint8(1));
    QCOMPARE(copy.CountOfViewFaces[4], 6);
    QCOMPARE(copy.ViewFaces[4][6 * 7 - 2], int(Hexahedron)); // the last face record's type
}

// Keys of every width the edge matching packs, in numbers both below and
// above the size where the radix passes take over from a comparison sort.
void TestBlock::radixSortAgreesWithSort()
{
    std::mt19937_64 random(7);
    for (const int bits : {12, 13, 26, 40, 64})
        for (const size_t n : {size_t(100), size_t(5000)}) {
            std::vector<quint64> keys(n);
            for (quint64 &key : keys)
                key = bits == 64 ? random() : random() & ((quint64(1) << bits) - 1);
            std::vector<quint64> expected = keys;
            std::sort(expected.begin(), expected.end());
            sortKeys(keys);
            QVERIFY2(keys == expected, qPrintable(QString("%1 keys of %2 bits").arg(n).arg(bits)));
            keys.insert(keys.end(), expected.begin(), expected.begin() + 10);
            sortUniqueKeys(keys);
            expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
            QCOMPARE(keys.size(), expected.size());
        }
}

QTEST_GUILESS_MAIN(TestBlock)
#include "test_block.moc"
