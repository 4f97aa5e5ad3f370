// Models, the model list and the camera record: switches pushed to blocks,
// preparation, drawing through the seam, pick texts, copies and the tree.

#include "geometry/DrawingBackend.h"
#include "model/MeshBuilders.h"
#include "model/ModelInfo.h"
#include "model/ModelListClass.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

struct RecordingBackend : DrawingBackend
{
    std::vector<std::pair<quint32, qint32>> deleted;
    std::vector<std::pair<const MeshClass *, qint32>> built; // block, point count
    void deleteLists(quint32 first, qint32 count) override { deleted.emplace_back(first, count); }
    void buildDisplayLists(MeshClass &mesh, int, const _DREAL *, qint32 points, bool) override
    {
        built.emplace_back(&mesh, points);
    }
};

MeshClass *hexBlock(int zone, const std::vector<qint32> &materials)
{
    auto *mesh = new MeshClass;
    setVertices(*mesh, kTwoCubes);
    std::vector<qint32> hexes;
    for (size_t i = 0; i < materials.size(); ++i)
        hexes.insert(hexes.end(), kTwoHexes.begin() + 8 * (i % 2),
                     kTwoHexes.begin() + 8 * (i % 2 + 1));
    setCells(*mesh, Hexahedron, hexes, materials);
    mesh->ZoneNumber = zone;
    return mesh;
}

MeshClass *triangleBlock(std::vector<double> xyz, std::vector<double> function)
{
    auto *mesh = new MeshClass;
    setVertices(*mesh, xyz);
    setCells(*mesh, Triangle, {0, 1, 2});
    if (!function.empty())
        addVertexFunction(*mesh, function);
    return mesh;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndTitle();
    void visibilitySignals();
    void switchesReachEveryBlock();
    void prepareDataBoxesAndRanges();
    void prepareDrawHonoursZonesAndSeam();
    void describePickTexts_data();
    void describePickTexts();
    void materialsBordersAndZeros();
    void copyAttributesIsDeep();
    void modelListKeepsTheTree();
    void viewTransformOperations();
    void failuresGoToTraceCategory();
    void modelReport();
};

void TestModel::defaultsAndTitle()
{
    ModelClass model;
    QCOMPARE(model.title(), QString::number(quintptr(&model), 16));
    model.FileName = "/data/kidney.surf";
    QCOMPARE(model.title(), QString("/data/kidney.surf"));
    model.Name = "Vena";
    QCOMPARE(model.title(), QString("Vena"));
}

void TestModel::visibilitySignals()
{
    ModelClass model;
    QSignalSpy spy(&model, &ModelClass::changeVisible);
    model.setVisible(true); // unchanged value still signals once
    QCOMPARE(spy.count(), 1);
    model.switchVisible();
    QCOMPARE(spy.count(), 3);
    QCOMPARE(model.Visible, quint8(0));

    ModelListClass list;
    auto *member = new ModelClass;
    list.append(member);
    QSignalSpy repaints(&list, &ModelListClass::_repaint);
    member->switchVisible();
    QCOMPARE(repaints.count(), 2);
}

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
    model.DisplayListBase = 100;
    QCOMPARE(model.prepareData(), 0);
    QCOMPARE(model.Meshes[0]->DisplayLists, 100u);
    QCOMPARE(model.Meshes[1]->DisplayLists, 105u);
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
    DrawingBackend *previous = setDrawingBackend(&backend);
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
    setDrawingBackend(previous);
}

void TestModel::describePickTexts_data()
{
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("cellType");
    QTest::addColumn<bool>("cellFunction");
    QTest::addColumn<QString>("text");
    QTest::newRow("hexahedron") << 1 << int(Hexahedron) << false
                                << "; Hexahedron # 5; Material # 2";
    QTest::newRow("second block") << 2 << int(Hexahedron) << false
                                  << "; Mesh #1; Hexahedron # 5; Material # 2";
    QTest::newRow("triangle") << 1 << int(Triangle) << false << "; 3-gon # 5; Material # 2";
    QTest::newRow("cell function")
        << 1 << int(Triangle) << true << "; 3-gon # 5; Material # 2; heat = 0.333333";
}

void TestModel::describePickTexts()
{
    QFETCH(int, blocks);
    QFETCH(int, cellType);
    QFETCH(bool, cellFunction);
    ModelClass model;
    for (int b = 0; b < blocks; ++b) {
        auto *mesh = new MeshClass;
        setVertices(*mesh, kTwoCubes);
        const int nodes = NodesOfType(cellType);
        std::vector<qint32> cells, materials;
        for (int c = 0; c < 6; ++c) {
            cells.insert(cells.end(), kTwoHexes.begin(), kTwoHexes.begin() + nodes);
            materials.push_back(c == 5 ? 2 : 0);
        }
        setCells(*mesh, cellType, cells, materials);
        setCellFunctions(*mesh, cellType, 1, {0, 0, 0, 0, 0, 1.0 / 3});
        model.Meshes.append(mesh);
    }
    model.CellFunctionNames = {"heat"};
    model.ShownZones = {0};
    model.FunctionLocation = cellFunction ? 2 : 1;
    model.setColorMode(5);
    QCOMPARE(model.prepareData(), 0);
    model.prepareDraw();
    QVERIFY(model.describePick().isEmpty()); // no cell pick
    model.PickMode = 2;
    model.PickKind = 1;
    model.PickBlock = blocks - 1;
    // The picked triangle belongs to cell 5: find its number.
    const MeshClass *mesh = model.Meshes.last();
    for (qint32 t = 0; t < mesh->CountOfTriVertices / 3; ++t)
        if (mesh->TriangleCells[2 * t + 1] == 5)
            model.PickIndex = t;
    QTEST(model.describePick(), "text");
    QCOMPARE(model.pickedMaterial(), 2);
    model.PickIndex = 1 << 20; // a stale triangle number names nothing
    QCOMPARE(model.pickedMaterial(), -1);
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
    ViewTransform copy;
    copy.copyMatrixFrom(t);
    QCOMPARE(copy.Scale, 4.0f);
    QCOMPARE(copy.RotationMatrix[6], t.RotationMatrix[6]);

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
    ModelListClass list;
    list.append(new ModelClass);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(old);
    QCOMPARE(messages,
             (QStringList {"tessaron.trace: Error in function: prepareData",
                           "tessaron.trace: ModelListClass::append"}));
}

void TestModel::modelReport()
{
    ModelListClass list;
    QString title, text;

    // A closed cube surface of six quadrangles, one unit right triangle on
    // its own and a vertex nothing uses.
    auto *model = new ModelClass;
    model->Name = "cube";
    auto *mesh = new MeshClass;
    std::vector<double> xyz = kCube;
    xyz.insert(xyz.end(), {5, 5, 5, 6, 5, 5, 5, 6, 5, 9, 9, 9});
    setVertices(*mesh, xyz);
    std::vector<qint32> quads;
    for (const auto &q : kHexahedronFaces.quads)
        quads.insert(quads.end(), q, q + 4);
    setCells(*mesh, Quadrangle, quads);
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
