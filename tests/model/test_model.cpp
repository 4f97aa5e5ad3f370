// Models, the model list and the camera record: switches pushed to blocks,
// preparation, drawing through the seam, pick texts, copies and the tree.

#include "model/MeshBuilders.h"
#include "model/ModelInfo.h"
#include "model/ModelListClass.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

#include <cmath>
#include <numbers>

namespace {

MeshClass *hexBlock(int zone, const std::vector<qint32> &materials)
{
    std::vector<qint32> hexes;
    for (size_t i = 0; i < materials.size(); ++i)
        hexes.insert(hexes.end(), kTwoHexes.begin() + 8 * (i % 2),
                     kTwoHexes.begin() + 8 * (i % 2 + 1));
    MeshClass *mesh = newBlock(kTwoCubes, Hexahedron, hexes, materials);
    mesh->ZoneNumber = zone;
    return mesh;
}

MeshClass *triangleBlock(std::vector<double> xyz, std::vector<double> function)
{
    MeshClass *mesh = newBlock(xyz, Triangle, {0, 1, 2});
    if (!function.empty())
        addVertexFunction(*mesh, function);
    return mesh;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void switchesReachEveryBlock();
    void prepareDataBoxesAndRanges();
    void prepareDrawHonoursZonesAndSeam();
    void describePickTexts();
    void materialsBordersAndZeros();
    void copyAttributesIsDeep();
    void modelListKeepsTheTree();
    void viewTransformOperations();
    void failuresGoToTraceCategory();
    void modelReport();
};

void TestModel::switchesReachEveryBlock()
{
    ModelClass model;
    model.Meshes = {hexBlock(0, {0}), hexBlock(1, {1})};
    model.setShowIsolines(true);
    model.setColor(255, 51, 0);
    for (const MeshClass *mesh : model.Meshes) {
        QCOMPARE(mesh->Settings.ShowIsolines, quint8(1));
        QCOMPARE(mesh->FrontColor, (Rgba {1.0f, 0.2f, 0.0f, 1.0f}));
        QCOMPARE(mesh->BackColor, (Rgba {1.0f, 0.2f, 0.0f, 1.0f}));
    }

    model.setTransparency(true, 0.25);
    QCOMPARE(model.Settings.Opacity, 0.25);
    QCOMPARE(model.Meshes[1]->Settings.Transparent, quint8(1));
    QCOMPARE(model.Meshes[1]->PlainColor[3], 0.25f);
    QCOMPARE(model.Meshes[1]->CustomColor[3], 0.25f);
    model.setTransparency(true, -3);
    QCOMPARE(model.Settings.Opacity, 0.0);
    model.setTransparency(true, 7);
    QCOMPARE(model.Settings.Opacity, 1.0);
    model.setTransparency(false, 0.3); // off always means opaque
    QCOMPARE(model.Meshes[0]->Settings.Opacity, 1.0);
    QCOMPARE(model.Meshes[0]->FrontColor[3], 1.0f);

    // In material mode the colours carry the alpha, so the model rebuilds.
    model.setColorMode(4);
    model.ShownZones = {0, 1};
    QCOMPARE(model.prepareData(), 0);
    model.setTransparency(true, 0.5);
    QCOMPARE(model.Meshes[0]->TriColors[0][3], quint8(127));
}

void TestModel::prepareDataBoxesAndRanges()
{
    ModelClass model;
    model.FunctionNames = {"pressure"};
    model.Meshes = {triangleBlock({0, 0, 0, 2, 0, 0, 0, 1, 0}, {3, 4, 5}),
                    triangleBlock({-1, 0, 1, 0, 5, 1, 0, 0, 3}, {-2, 0, 1})};
    QCOMPARE(model.prepareData(), 0);
    QCOMPARE(model.BoxMin[0], -1.0f);
    QCOMPARE(model.BoxMax[1], 5.0f);
    QCOMPARE(model.BoxMax[2], 3.0f);
    QCOMPARE(model.Center[1], 2.5f); // box centre, not the mean
    QCOMPARE(model.Radius, std::max(model.Meshes[0]->ExtentSum, model.Meshes[1]->ExtentSum));
    QCOMPARE(model.ModelFuncMin[0], -2.0f);
    QCOMPARE(model.ModelFuncMax[0], 5.0f);
    QCOMPARE(model.ClipPlane.Point[2], 1.5);
    QCOMPARE(model.Meshes[1]->CountOfViewFaces[3], 1);

    // A bad block is prepared without faces; the others are unaffected.
    setCells(*model.Meshes[0], Triangle, {0, 1, 3});
    QCOMPARE(model.prepareData(), 0);
    QCOMPARE(model.Meshes[0]->CountOfViewFaces[3], 0);
    QCOMPARE(model.Meshes[1]->CountOfViewFaces[3], 1);
}

void TestModel::prepareDrawHonoursZonesAndSeam()
{
    RecordingBackend backend;
    {
        ModelClass model;
        model.Meshes = {hexBlock(7, {0})};
        model.DisplayListBase = 40;
        QCOMPARE(model.prepareData(), 0);
        model.setEdgesMode(1);
        model.prepareDraw(); // one block is drawn whatever ShownZones says
        QCOMPARE(backend.built.size(), size_t(1));
        QCOMPARE(backend.built[0].second, 8); // the drawn points
        QCOMPARE(model.Meshes[0]->CountOfTriVertices, 36);
        QCOMPARE(model.NeedsRebuild, quint8(0));
        model.UseAllVertices = 1;
        model.prepareDraw();
        QCOMPARE(backend.built.back().second, 12);

        model.Meshes.append(hexBlock(8, {0, 1}));
        model.ShownZones = {8};
        QCOMPARE(model.prepareData(), 0);
        backend.built.clear();
        model.prepareDraw();
        QCOMPARE(backend.built.size(), size_t(1));
        QCOMPARE(backend.built[0].first, model.Meshes[1]);
        QCOMPARE(model.Meshes[1]->CountOfTriVertices, 72); // two materials: both shared faces stay
        QCOMPARE(model.Meshes[1]->Settings.EdgesMode, 1);
        backend.deleted.clear();
    }
    // Destruction deletes five lists per block from the model's base.
    QVERIFY(std::find(backend.deleted.begin(), backend.deleted.end(),
                      std::pair<quint32, qint32> {40, 10})
            != backend.deleted.end());
}

void TestModel::describePickTexts()
{
    // A pick of cell 5 (material 2, cell function 1/3) in the last of
    // `blocks` blocks of six cells of one type.
    const auto pick = [](int blocks, int cellType, bool cellFunction) {
        auto model = std::make_unique<ModelClass>();
        for (int b = 0; b < blocks; ++b) {
            std::vector<qint32> cells;
            for (int c = 0; c < 6; ++c)
                cells.insert(cells.end(), kTwoHexes.begin(),
                             kTwoHexes.begin() + NodesOfType(cellType));
            MeshClass *mesh = newBlock(kTwoCubes, cellType, cells, {0, 0, 0, 0, 0, 2});
            setCellFunctions(*mesh, cellType, 1, {0, 0, 0, 0, 0, 1.0 / 3});
            model->Meshes.append(mesh);
        }
        model->CellFunctionNames = {"heat"};
        model->ShownZones = {0};
        model->FunctionLocation = cellFunction ? 2 : 1;
        model->setColorMode(5);
        model->prepareData();
        model->prepareDraw();
        model->PickMode = PickTarget::Cell;
        model->PickKind = 1;
        model->PickBlock = blocks - 1;
        const MeshClass *mesh = model->Meshes.last(); // the triangle drawn for cell 5
        for (qint32 t = 0; t < mesh->CountOfTriVertices / 3; ++t)
            if (mesh->TriangleCells[2 * t + 1] == 5)
                model->PickIndex = t;
        return model;
    };
    QCOMPARE(pick(1, Hexahedron, false)->describePick(), "; Hexahedron # 5; Material # 2");
    QCOMPARE(pick(2, Hexahedron, false)->describePick(), "; Mesh #1; Hexahedron # 5; Material # 2");
    QCOMPARE(pick(1, Triangle, false)->describePick(), "; 3-gon # 5; Material # 2");
    const auto model = pick(1, Triangle, true);
    QCOMPARE(model->describePick(), "; 3-gon # 5; Material # 2; heat = 0.333333");
    QCOMPARE(model->pickedMaterial(), 2);
    const qint32 triangle = model->PickIndex;
    model->PickIndex = 1 << 20; // a stale triangle number names nothing
    QCOMPARE(model->pickedMaterial(), -1);
    model->PickIndex = triangle;
    model->PickMode = PickTarget::Point; // a point pick describes no cell, nor its material
    QVERIFY(model->describePick().isEmpty());
    QCOMPARE(model->pickedMaterial(), -1);
}

void TestModel::materialsBordersAndZeros()
{
    ModelClass model;
    model.Meshes = {hexBlock(1, {5, 3}), hexBlock(2, {3, 9})};
    model.updateMaterials();
    QCOMPARE(model.Materials, (QList<qint32> {3, 5, 9}));
    model.ShownZones = {2};
    model.updateMaterials();
    QCOMPARE(model.Materials, (QList<qint32> {3, 9}));

    auto *surface = triangleBlock({0, 0, 0, 1, 0, 0, 0, 1, 0}, {});
    model.Meshes.append(surface);
    model.fillMaterialZeros();
    QVERIFY(surface->CellMaterials && surface->CellMaterials[Triangle]);
    QCOMPARE(surface->CellMaterials[Triangle][0], 0);
    QVERIFY(!surface->CellMaterials[Quadrangle]);
    QCOMPARE(model.Meshes[0]->CellMaterials[Hexahedron][0], 5); // kept

    model.findBorderEdges(); // a toggle
    QCOMPARE(surface->CountOfMarkedEdgeIndices, 6);
    model.findBorderEdges();
    QCOMPARE(surface->CountOfMarkedEdgeIndices, 0);
    QVERIFY(!surface->MarkedEdges);
}

void TestModel::copyAttributesIsDeep()
{
    ModelClass source;
    source.Name = "Kamni";
    source.FunctionNames = {"f"};
    source.Meshes = {triangleBlock({0, 0, 0, 2, 0, 0, 0, 2, 0}, {1, 2, 3})};
    QCOMPARE(source.prepareData(), 0);
    source.Transform->zoom(2);
    source.Settings.ShowInnerEdges = 1;
    source.ClipPlane.Normal[1] = 5;
    ModelClass target;
    auto *stray = new ModelClass;
    stray->setParent(&target);
    source.copyAttributesTo(target);
    QCOMPARE(target.Name, QString("Kamni"));
    QVERIFY(target.Children.isEmpty());
    QVERIFY(target.ModelFuncMax != source.ModelFuncMax);
    QCOMPARE(target.ModelFuncMax[0], 3.0f);
    QVERIFY(target.Transform != source.Transform);
    QCOMPARE(target.Transform->Scale, 2.0f);
    QCOMPARE(target.Settings.ShowInnerEdges, quint8(1));
    QCOMPARE(target.ClipPlane.Normal[1], 5.0);
    QCOMPARE(target.Radius, source.sceneRadius());
    QVERIFY(target.Meshes.isEmpty());
    delete stray;
}

void TestModel::modelListKeepsTheTree()
{
    ModelListClass list;
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.active(), list.scene());
    QVERIFY(!list.at(-1) && !list.at(1));
    QSignalSpy updates(&list, &ModelListClass::updateList);

    auto *a = new ModelClass;
    list.append(a);
    QCOMPARE(a->Parent, list.scene());
    auto *derived = new ModelClass;
    auto *grandchild = new ModelClass;
    list.append(derived, a); // derived from a: a is hidden
    QCOMPARE(a->Visible, quint8(0));
    QCOMPARE(derived->Visible, quint8(1));
    list.append(grandchild, derived);
    QCOMPARE(updates.count(), 3);
    QCOMPARE(a->Children, (QList<ModelClass *> {derived}));
    QCOMPARE(list.scene()->countDescendants(), 3);

    // The scene radius follows the children's zoom and translation.
    a->Radius = 2;
    derived->Radius = 1;
    derived->Transform->zoom(3);
    derived->Transform->move(0, 4, 0);
    QCOMPARE(a->sceneRadius(), 1 * 3 + 4.0f);

    list.remove(7); // outside: nothing
    QCOMPARE(list.count(), 4);
    list.remove(3);
    list.remove(2);
    QVERIFY(a->Children.isEmpty());
    QCOMPARE(list.count(), 2);
    list.ActiveIndex = 5;
    QVERIFY(!list.active());
}

void TestModel::viewTransformOperations()
{
    ViewTransform t;
    const float pi = std::numbers::pi_v<float>;
    t.rotateZ(pi / 2);
    double x[3] = {1, 0, 0}, out[3];
    t.mapPoint(x, out);
    QVERIFY(std::abs(out[1] + 1) < 1e-6);

    // Rotations pre-multiply: the translation turns too.
    t.reset();
    t.move(1, 0, 0);
    t.rotateZ(pi);
    QVERIFY(std::abs(t.Matrix[12] + 1) < 1e-6);

    t.reset();
    t.rotateX(0.3f);
    t.zoom(2);
    t.move(1, 2, 3);
    t.zoom(0.5f);
    QCOMPARE(t.Scale, 1.0f);
    QCOMPARE(t.Matrix[13], 1.0f);
    t.zoom(4);
    t.updateRotation();
    QCOMPARE(t.SavedMatrix[12], 0.0f);
    QVERIFY(std::abs(t.RotationMatrix[5] - std::cos(0.3f)) < 1e-6);
    // A copied matrix leaves the target's own zoom (its axes' ticks) as it was.
    ViewTransform copy;
    copy.zoom(3);
    copy.copyMatrixFrom(t);
    QCOMPARE(copy.Scale, 3.0f);
    QVERIFY(std::equal(t.Matrix, t.Matrix + 16, copy.Matrix));
    QCOMPARE(copy.RotationMatrix[6], t.Matrix[6] / 3.0f);

    // Centring puts the point at the eye's origin.
    t.reset();
    t.rotateY(pi / 2);
    const float centre[3] = {1, 2, 3};
    t.centerOn(centre);
    const double p[3] = {1, 2, 3};
    t.mapPoint(p, out);
    QVERIFY(std::hypot(out[0], out[1], out[2]) < 1e-6);
}

void TestModel::failuresGoToTraceCategory()
{
    static QStringList messages;
    messages.clear();
    QtMessageHandler old = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &context, const QString &message) {
            messages << QString::fromLatin1(context.category) + ": " + message;
        });
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(runGuarded("computeSize", [] { throw errNoMemory; }), 4);
    QVERIFY(messages.isEmpty()); // silent unless asked for
    QLoggingCategory::setFilterRules("tessaron.trace.debug=true");
    QCOMPARE(runGuarded("prepareData", [] { throw 17; }), 1);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(old);
    QCOMPARE(messages, QStringList {"tessaron.trace: Error in function: prepareData"});
}

void TestModel::modelReport()
{
    ModelListClass list;
    QString title, text;

    // A closed cube surface of six quadrangles, one unit right triangle on
    // its own and a vertex nothing uses.
    auto *model = new ModelClass;
    model->Name = "cube";
    std::vector<double> xyz = kCube;
    xyz.insert(xyz.end(), {5, 5, 5, 6, 5, 5, 5, 6, 5, 9, 9, 9});
    MeshClass *mesh = newBlock(xyz, Quadrangle, kCubeQuads);
    setCells(*mesh, Triangle, {8, 9, 10});
    model->Meshes.append(mesh);
    QCOMPARE(model->prepareData(), 0);
    model->setEdgesMode(1);
    model->prepareDraw();
    list.append(model);
    modelInfo(list, title, text); // the scene is still current
    QCOMPARE(text, QString("There is no selected model."));
    list.ActiveIndex = 1;
    modelInfo(list, title, text);
    QCOMPARE(title, QString("Model: cube"));
    QCOMPARE(text,
             QString("File info:\nCount of zones = 1\nCount of points = 12\n"
                     "Count of 3 -gons = 1\nCount of 4 -gons = 6\n\nModel info:\n"
                     "Min area of N-gon = 0.5\nMax area of N-gon = 1\n"
                     // V - E + F = 12 - 15 + 7: cube (2) + triangle (1) + lost vertex (1)
                     "Euler characteristic = 4\nCount of lost vertices = 1\n"
                     "Count of outer vertices = 11\nCount of inner vertices = 1\n"
                     "Count of boundary edges = 3\nCount of boundary vertices = 3"));

    // A pentagon and a tetrahedron: no Euler line, volumes reported.
    setCells(*mesh, 5, {0, 1, 2, 3, 4});
    setCells(*mesh, Tetrahedron, {0, 1, 3, 4});
    modelInfo(list, title, text);
    QVERIFY(!text.contains("Euler"));
    QVERIFY(text.contains("Count of 5 -gons = 1\nCount of tetrahedrons = 1\n"));
    QVERIFY(text.contains("Min volume of tetrahedron = 0.166667\n"));
}

QTEST_GUILESS_MAIN(TestModel)
#include "test_model.moc"
