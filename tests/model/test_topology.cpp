// Models derived from models (clones, surface, merged hexahedra, joins) and
// the in-place rewrites (splice, materials, cell functions to vertex
// functions).

#include "model/MeshBuilders.h"
#include "model/ModelClass.h"
#include "model/Topology.h"

#include <QtTest>

#include <cmath>
#include <memory>

namespace {

using Cells = std::vector<qint32>;
using Values = std::vector<double>;

std::unique_ptr<ModelClass> modelOf(std::initializer_list<MeshClass *> blocks)
{
    auto model = std::make_unique<ModelClass>();
    for (MeshClass *mesh : blocks)
        model->Meshes.append(mesh);
    model->updateMaterials();
    return model;
}

Cells cellsOf(const MeshClass &mesh, int type)
{
    const qint32 *nodes = mesh.Cells[type];
    return nodes ? Cells(nodes, nodes + qint64(mesh.CountOfCells[type]) * NodesOfType(type))
                 : Cells();
}

Cells materialsOf(const MeshClass &mesh, int type)
{
    const qint32 *values = mesh.CellMaterials ? mesh.CellMaterials[type] : nullptr;
    return values ? Cells(values, values + mesh.CountOfCells[type]) : Cells();
}

Values functionOf(const MeshClass &mesh, int f)
{
    return Values(mesh.Functions[f], mesh.Functions[f] + mesh.CountOfVertices);
}

Values cellFunctionOf(const MeshClass &mesh, int type, int f)
{
    Values out;
    for (qint32 c = 0; c < mesh.CountOfCells[type]; ++c)
        out.push_back(mesh.CellFuncs[type][qint64(c) * mesh.CountOfCellFunctions + f]);
    return out;
}

// Three triangles in a row, 0-1-2, 1-3-2, 3-4-2, of materials 5, 6, 7.
MeshClass *fan()
{
    return newBlock({0, 0, 0, 1, 0, 0, 1, 1, 0, 2, 0, 0, 3, 1, 0}, Triangle,
                    {0, 1, 2, 1, 3, 2, 3, 4, 2}, {5, 6, 7});
}

} // namespace

class TestTopology : public QObject
{
    Q_OBJECT

private slots:
    void cloneFullIsDeepAndFollowsTheFrame();
    void cloneFlaggedKeepsOldNumbers();
    void surfaceDropsSharedFaces();
    void degenerateHexahedraBecomeTetrahedra();
    void spliceComparesLeadingDigits_data();
    void spliceComparesLeadingDigits();
    void spliceCompactsAndRefusesBadEps();
    void joins();
    void changeMaterialModes();
    void cellFunctionsBecomeVertexFunctions();
    void blocksNamingMissingVerticesAreLeftOut();
};

void TestTopology::cloneFullIsDeepAndFollowsTheFrame()
{
    ModelClass parent;
    auto source = modelOf({fan(), newBlock(kCube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}, {9})});
    source->ShownZones = {0, 4};
    source->setParent(&parent);
    source->prepareData();
    std::unique_ptr<ModelClass> clone(cloneFull(*source, 100));
    QCOMPARE(clone->Meshes[1]->DisplayLists, 105u);
    QCOMPARE(clone->Materials, (QList<qint32> {5, 6, 7, 9}));
    QCOMPARE(clone->ShownZones, (QList<qint32> {0, 4}));
    QCOMPARE(parent.Children, (QList<ModelClass *> {source.get(), clone.get()}));
    source->Meshes[0]->Cells[Triangle][0] = 4;
    QCOMPARE(cellsOf(*clone->Meshes[0], Triangle), (Cells {0, 1, 2, 1, 3, 2, 3, 4, 2}));
    QCOMPARE(clone->Meshes[0]->CountOfViewFaces[3], 3);
    // Without a base the blocks name no lists, before and after preparing.
    std::unique_ptr<ModelClass> unlisted(cloneFull(*source, 0));
    unlisted->prepareData();
    QCOMPARE(unlisted->Meshes[1]->DisplayLists, 0u);
}

void TestTopology::cloneFlaggedKeepsOldNumbers()
{
    auto source = modelOf({fan()});
    MeshClass &mesh = *source->Meshes[0];
    addVertexFunction(mesh, {10, 11, 12, 13, 14});
    setCellFunctions(mesh, Triangle, 1, {0.5, 1.5, 2.5});
    source->FunctionNames = {"f"};
    source->CellFunctionNames = {"g"};

    std::unique_ptr<ModelClass> none(cloneFlagged(*source, 0, false));
    QCOMPARE(none->Meshes[0]->CountOfVertices, 0);
    QCOMPARE(none->Meshes[0]->totalCells(), 0);
    QCOMPARE(none->FunctionNames, (QStringList {"f", "OldVrtIndx"}));
    QCOMPARE(none->CellFunctionNames, (QStringList {"g", "OldCllIndx"}));

    // Cell 2 (3-4-2) selected: its vertices numbered anew in their old order.
    selectCell(mesh, Triangle, 2);
    std::unique_ptr<ModelClass> selected(cloneFlagged(*source, 0, false));
    const MeshClass &one = *selected->Meshes[0];
    QCOMPARE(Values(one.Vertices, one.Vertices + 9), (Values {1, 1, 0, 2, 0, 0, 3, 1, 0}));
    QCOMPARE(cellsOf(one, Triangle), (Cells {1, 2, 0}));
    QCOMPARE(materialsOf(one, Triangle), (Cells {7}));
    QCOMPARE(functionOf(one, 0), (Values {12, 13, 14}));
    QCOMPARE(functionOf(one, 1), (Values {2, 3, 4}));
    QCOMPARE(cellFunctionOf(one, Triangle, 0), (Values {2.5}));
    QCOMPARE(cellFunctionOf(one, Triangle, 1), (Values {2}));

    // Without visibility flags every cell is visible; a hidden one is left out.
    QCOMPARE(std::unique_ptr<ModelClass>(cloneFlagged(*source, 0, true))->Meshes[0]->totalCells(),
             3);
    mesh.allocCellVisible();
    mesh.CellVisible[Triangle][0] = 0;
    std::unique_ptr<ModelClass> visible(cloneFlagged(*source, 0, true));
    QCOMPARE(cellFunctionOf(*visible->Meshes[0], Triangle, 1), (Values {1, 2}));
}

void TestTopology::surfaceDropsSharedFaces()
{
    auto one = modelOf({newBlock(kCube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7})});
    addVertexFunction(*one->Meshes[0], Values(8, 1.0));
    one->FunctionNames = {"f"};
    one->FunctionLocation = 1;
    std::unique_ptr<ModelClass> surface(createSurface(*one, 0));
    const MeshClass &s = *surface->Meshes[0];
    QCOMPARE(s.CountOfVertices, 8);
    // The blocks carry no functions; the model keeps the names.
    QCOMPARE(s.CountOfFunctions, 0);
    QCOMPARE(surface->FunctionNames, QStringList {"f"});
    QCOMPARE(surface->FunctionLocation, 1);
    // Six faces in the order of their sorted vertices, oriented as the cell's.
    QCOMPARE(s.CountOfCells[Quadrangle], 6);
    QCOMPARE(Cells(s.Cells[Quadrangle], s.Cells[Quadrangle] + 8), (Cells {0, 3, 2, 1, 0, 1, 5, 4}));
    QCOMPARE(s.CountOfViewFaces[4], 6); // prepared for drawing
    // Two hexahedra sharing a face: the shared face is inside and goes.
    auto two = modelOf({newBlock(kTwoCubes, Hexahedron, kTwoHexes)});
    QCOMPARE(
        std::unique_ptr<ModelClass>(createSurface(*two, 0))->Meshes[0]->CountOfCells[Quadrangle],
        10);

    // Polygons follow the faces of the volume cells.
    MeshClass *mixed = newBlock(kCube, Tetrahedron, {0, 1, 3, 4});
    setCells(*mixed, Triangle, {5, 6, 7});
    auto tet = modelOf({mixed});
    const Cells triangles =
        cellsOf(*std::unique_ptr<ModelClass>(createSurface(*tet, 0))->Meshes[0], Triangle);
    QCOMPARE(triangles.size(), size_t(15));
    QCOMPARE(Cells(triangles.end() - 3, triangles.end()), (Cells {5, 6, 7}));

    // Polygons of every size pass through, the largest too.
    Values circle;
    Cells ring;
    for (int i = 0; i < MaxPolygon; ++i) {
        circle.insert(circle.end(), {std::cos(i * 0.0628), std::sin(i * 0.0628), 0});
        ring.push_back(i);
    }
    auto disc = modelOf({newBlock(circle, MaxPolygon, ring)});
    QCOMPARE(
        std::unique_ptr<ModelClass>(createSurface(*disc, 0))->Meshes[0]->CountOfCells[MaxPolygon],
        1);
}

void TestTopology::degenerateHexahedraBecomeTetrahedra()
{
    MeshClass *mesh = newBlock(kCube, Tetrahedron, {4, 5, 6, 7}, {8});
    // The fourth hexahedron has a collapsed bottom but a whole top: it stays.
    setCells(*mesh, Hexahedron, {0, 0, 0, 0, 1, 2, 3, 3, 0, 1, 2, 3, 4, 5, 6, 7,
                                 5, 6, 7, 7, 4, 4, 4, 4, 0, 0, 0, 0, 1, 2, 3, 4},
             {1, 2, 3, 4});
    setCellFunctions(*mesh, Hexahedron, 1, {10, 20, 30, 40});
    auto source = modelOf({mesh});
    std::unique_ptr<ModelClass> merged(makeTopologyMergeVertices(*source, 0));
    const MeshClass &m = *merged->Meshes[0];
    // Converted ones follow the tetrahedra there were; materials and cell
    // functions go with their cells.
    QCOMPARE(cellsOf(m, Tetrahedron), (Cells {4, 5, 6, 7, 0, 1, 2, 3, 5, 6, 7, 4}));
    QCOMPARE(materialsOf(m, Tetrahedron), (Cells {8, 1, 3}));
    QCOMPARE(cellFunctionOf(m, Tetrahedron, 0), (Values {0, 10, 30}));
    QCOMPARE(cellsOf(m, Hexahedron), (Cells {0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0, 1, 2, 3, 4}));
    QCOMPARE(materialsOf(m, Hexahedron), (Cells {2, 4}));
}

void TestTopology::spliceComparesLeadingDigits_data()
{
    QTest::addColumn<double>("eps");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("merged");
    QTest::newRow("0.001: equal in 4 digits") << 0.001 << 1.0 << 1.0004 << true;
    QTest::newRow("0.001: differs in the 4th") << 0.001 << 1.0 << 1.0006 << false;
    QTest::newRow("1: rounds to 1") << 1.0 << 1.0 << 1.4 << true;
    QTest::newRow("1: rounds to 2") << 1.0 << 1.0 << 1.6 << false;
    QTest::newRow("above 1 is like 1") << 50.0 << 1.0 << 1.4 << true;
    QTest::newRow("tiny: the same double") << 1e-300 << 1.0 << 1.0 << true;
    QTest::newRow("tiny: the next double") << 1e-300 << 1.0 << std::nextafter(1.0, 2.0) << false;
    // Digits are counted from the first significant one, not after the point.
    QTest::newRow("0.01: 123.44 and 123.41") << 0.01 << 123.44 << 123.41 << true;
    QTest::newRow("0.01: 1e-5 and 2e-5") << 0.01 << 1e-5 << 2e-5 << false;
}

void TestTopology::spliceComparesLeadingDigits()
{
    QFETCH(double, eps);
    QFETCH(double, first);
    QFETCH(double, x);
    QFETCH(bool, merged);
    auto model = modelOf({newBlock({first, 0, -0.0, x, 0, 0, 0, 5, 0}, Triangle, {0, 1, 2})});
    QCOMPARE(splice(*model, eps), 0);
    QCOMPARE(model->Meshes[0]->CountOfVertices, merged ? 2 : 3);
}

void TestTopology::spliceCompactsAndRefusesBadEps()
{
    // Vertex 2 repeats vertex 0, vertex 4 vertex 1.
    MeshClass *mesh = newBlock({0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0}, Quadrangle,
                               {0, 1, 4, 3, 2, 4, 1, 3});
    addVertexFunction(*mesh, {0, 1, 2, 3, 4});
    addVertexFunction(*mesh, {10, 11, 12, 13, 14});
    mesh->CountOfMarkedEdgeIndices = 2;
    mesh->MarkedEdges = copyArray(Cells {2, 4}.data(), 2);
    auto model = modelOf({mesh});
    for (double bad : {0.0, -1.0, std::nan("")})
        QCOMPARE(splice(*model, bad), qint32(errUnknown));
    QCOMPARE(mesh->CountOfVertices, 5);
    QCOMPARE(splice(*model, 0.01), 0);
    QCOMPARE(cellsOf(*mesh, Quadrangle), (Cells {0, 1, 1, 2, 0, 1, 1, 2}));
    QCOMPARE(functionOf(*mesh, 0), (Values {0, 1, 3}));
    QCOMPARE(functionOf(*mesh, 1), (Values {10, 11, 13}));
    QCOMPARE(Cells(mesh->MarkedEdges, mesh->MarkedEdges + 2), (Cells {0, 1}));
}

void TestTopology::joins()
{
    ModelClass scene;
    auto a = modelOf({newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, Triangle,
                               {0, 1, 2, 1, 3, 2, 2, 3, 0}, {0, 1, 2})});
    auto b = modelOf({newBlock({5, 0, 0, 6, 0, 0, 5, 1, 0}, Triangle, {0, 1, 2}, {1}),
                      newBlock(kCube, Quadrangle, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1})});
    auto plain = modelOf({newBlock({9, 9, 9, 8, 9, 9, 9, 8, 9}, Triangle, {2, 1, 0})});
    a->setParent(&scene);
    addVertexFunction(*a->Meshes[0], {1, 2, 3, 4});
    addVertexFunction(*b->Meshes[0], {5, 6, 7});
    addVertexFunction(*b->Meshes[1], Values(8, 8.0));
    a->FunctionNames = {"fa"};
    b->FunctionNames = {"fb"};

    // One block: vertices and cells follow each other, numbers unchanged;
    // the vertex functions stay, as both models have one.
    std::unique_ptr<ModelClass> joined(joinModels({a.get(), b.get()}, JoinMode::OneZone, 0));
    QCOMPARE(joined->Name, QString("Joint model"));
    QCOMPARE(joined->Parent, &scene);
    const MeshClass &j = *joined->Meshes[0];
    QCOMPARE(cellsOf(j, Triangle), (Cells {0, 1, 2, 1, 3, 2, 2, 3, 0, 4, 5, 6}));
    QCOMPARE(cellsOf(j, Quadrangle), (Cells {7, 8, 9, 10, 11, 12, 13, 14}));
    QCOMPARE(materialsOf(j, Triangle), (Cells {0, 1, 2, 1}));
    QCOMPARE(joined->FunctionNames, (QStringList {"fa"}));
    QCOMPARE(functionOf(j, 0), (Values {1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 8, 8, 8, 8}));

    // Unique materials: 0..2 and 0..1 become 0..2 and 3..4; a model without
    // materials takes the next number. Function counts differ: none kept.
    std::unique_ptr<ModelClass> unique(
        joinModels({a.get(), b.get(), plain.get()}, JoinMode::UniqueMaterials, 0));
    QCOMPARE(materialsOf(*unique->Meshes[0], Triangle), (Cells {0, 1, 2, 4, 5}));
    QCOMPARE(materialsOf(*unique->Meshes[0], Quadrangle), (Cells {3, 4}));
    QCOMPARE(unique->Materials, (QList<qint32> {0, 1, 2, 3, 4, 5}));
    QVERIFY(unique->FunctionNames.isEmpty() && unique->Meshes[0]->CountOfFunctions == 0);

    // Cell functions are kept like vertex functions.
    setCellFunctions(*a->Meshes[0], Triangle, 1, {0.1, 0.2, 0.3});
    a->CellFunctionNames = {"g"};
    std::unique_ptr<ModelClass> twice(joinModels({a.get(), a.get()}, JoinMode::OneZone, 0));
    QCOMPARE(cellFunctionOf(*twice->Meshes[0], Triangle, 0),
             (Values {0.1, 0.2, 0.3, 0.1, 0.2, 0.3}));

    // Models with no vertex functions each show vertex functions, none.
    auto cellsOnly = modelOf({newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0}, Triangle, {0, 1, 2})});
    setCellFunctions(*cellsOnly->Meshes[0], Triangle, 1, {0.5});
    cellsOnly->CellFunctionNames = {"g"};
    cellsOnly->FunctionLocation = 2;
    std::unique_ptr<ModelClass> cellJoin(
        joinModels({cellsOnly.get(), cellsOnly.get()}, JoinMode::OneZone, 0));
    QCOMPARE(cellJoin->FunctionLocation, 1);
    QCOMPARE(cellJoin->CellFunctionNames, QStringList {"g"});

    // Zones: full copies, zone numbers kept, named by index, all shown; the
    // materials of every model in turn.
    a->Meshes[0]->ZoneNumber = 7;
    std::unique_ptr<ModelClass> zones(joinModels({b.get(), a.get()}, JoinMode::SeveralZones, 50));
    QCOMPARE(zones->Meshes.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(zones->Meshes[i]->Name, QString::number(i));
        QCOMPARE(zones->Meshes[i]->DisplayLists, 50u + 5u * quint32(i));
    }
    QCOMPARE(zones->Meshes[2]->ZoneNumber, 7);
    QCOMPARE(zones->ShownZones, (QList<qint32> {0, 7}));
    QCOMPARE(zones->Materials, (QList<qint32> {0, 1, 0, 1, 2}));
    QCOMPARE(joinModels({}, JoinMode::OneZone, 0), nullptr);
}

void TestTopology::changeMaterialModes()
{
    auto model = modelOf({fan(), newBlock(kCube, Quadrangle, {0, 1, 2, 3})});
    MeshClass &mesh = *model->Meshes[0];
    selectCell(mesh, Triangle, 0);
    selectCell(mesh, Triangle, 1);
    changeMaterial(*model, MaterialChange::SelectedOfMaterial, 6, 20);
    changeMaterial(*model, MaterialChange::OfMaterial, 7, 21);
    QCOMPARE(materialsOf(mesh, Triangle), (Cells {5, 20, 21}));
    changeMaterial(*model, MaterialChange::Selected, 0, 22);
    changeMaterial(*model, MaterialChange::Selected, 0, -1); // no negative materials
    QCOMPARE(materialsOf(mesh, Triangle), (Cells {22, 22, 21}));
    // A block without materials counts as material 0 and gets its arrays.
    changeMaterial(*model, MaterialChange::OfMaterial, 0, 4);
    QCOMPARE(materialsOf(*model->Meshes[1], Quadrangle), (Cells {4}));
    QCOMPARE(materialsOf(mesh, Triangle), (Cells {22, 22, 21}));
}

void TestTopology::cellFunctionsBecomeVertexFunctions()
{
    // Two triangles and a quadrangle, seven cell functions each.
    MeshClass *mesh = newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, Triangle, {0, 1, 2, 1, 3, 2});
    setCells(*mesh, Quadrangle, {0, 1, 3, 2});
    setCellFunctions(*mesh, Triangle, 7, {1, 2, 3, 4, 5, 6, 70, 11, 12, 13, 14, 15, 16, 71});
    setCellFunctions(*mesh, Quadrangle, 7, {21, 22, 23, 24, 25, 26, 72});
    addVertexFunction(*mesh, {0, 10, 20, 30});
    auto model = modelOf({mesh});
    model->CellFunctionNames = {"a0", "b0", "a1", "b1", "a2", "b2", "rest"};
    model->FunctionLocation = 2;
    model->CurrentFunction = 1; // a converted one: the colouring moves to CellFunc0
    QCOMPARE(convertCellFuncsToVertFuncs(*model), 0);
    QCOMPARE(model->FunctionLocation, 1);
    QCOMPARE(model->CurrentFunction, 0);
    // The old vertices stay; then three corners per cell in cell order, the
    // quadrangle keeping its fourth.
    QCOMPARE(cellsOf(*mesh, Triangle), (Cells {4, 5, 6, 7, 8, 9}));
    QCOMPARE(cellsOf(*mesh, Quadrangle), (Cells {10, 11, 12, 2}));
    QCOMPARE(functionOf(*mesh, 0), (Values {0, 10, 20, 30, 0, 10, 20, 10, 30, 20, 0, 10, 30}));
    QCOMPARE(functionOf(*mesh, 1), (Values {0, 0, 0, 0, 1, 3, 5, 11, 13, 15, 21, 23, 25}));
    QCOMPARE(functionOf(*mesh, 2), (Values {0, 0, 0, 0, 2, 4, 6, 12, 14, 16, 22, 24, 26}));
    QCOMPARE(cellFunctionOf(*mesh, Triangle, 0), (Values {70, 71}));
    QCOMPARE(model->FunctionNames, (QStringList {"CellFunc0", "CellFunc1"}));
    QCOMPARE(model->CellFunctionNames, (QStringList {"rest"}));
    QCOMPARE(model->prepareData(), 0);

    // Fewer than six cell functions: refused, nothing changes.
    auto few = modelOf({newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0}, Triangle, {0, 1, 2})});
    setCellFunctions(*few->Meshes[0], Triangle, 5, {1, 2, 3, 4, 5});
    QCOMPARE(convertCellFuncsToVertFuncs(*few), qint32(errUnknown));
    QVERIFY(few->Meshes[0]->CountOfVertices == 3 && few->FunctionNames.isEmpty());
}

void TestTopology::blocksNamingMissingVerticesAreLeftOut()
{
    auto model = modelOf({newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0}, Triangle, {0, 1, 3}),
                          newBlock(kCube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7})});
    QCOMPARE(std::unique_ptr<ModelClass>(cloneFlagged(*model, 0, true))->Meshes.size(), 1);
    QCOMPARE(std::unique_ptr<ModelClass>(createSurface(*model, 0))->Meshes.size(), 1);
    std::unique_ptr<ModelClass> joined(joinModels({model.get()}, JoinMode::OneZone, 0));
    QCOMPARE(joined->Meshes[0]->CountOfVertices, 8);
    QCOMPARE(splice(*model, 0.1), 0);
    QCOMPARE(model->Meshes[0]->CountOfVertices, 3);
    auto bad = modelOf({newBlock({0, 0, 0}, Hexahedron, {0, 0, 0, 0, 1, 2, 3, 3})});
    QCOMPARE(createSurface(*bad, 0), nullptr);
    QCOMPARE(makeTopologyMergeVertices(*bad, 0), nullptr);
    QCOMPARE(convertCellFuncsToVertFuncs(*bad), qint32(errUnknown));
}

QTEST_GUILESS_MAIN(TestTopology)
#include "test_topology.moc"
