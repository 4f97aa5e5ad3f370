// The view's model operations: new current models, splice and the material
// edit asking first, and a join drawn zone by zone.

#include "ViewFixture.h"
#include "model/Topology.h"
#include "view/ScriptedDialogs.h"

namespace {

struct PanelRecordingHost : HeadlessHost
{
    void panelCommand(PanelKind kind, PanelCommand command) override
    {
        if (kind == PanelKind::Materials && command == PanelCommand::Refresh)
            ++materialRefreshes;
    }
    int materialRefreshes = 0;
};

// Lit pixels in the columns [from, to) of a frame on a black background.
int litPixels(const QImage &frame, int from, int to)
{
    return countPixels(
        frame, [](const QColor &c) { return qGray(c.rgb()) > 10; },
        QRect(from, 0, to - from, frame.height()));
}

} // namespace

class TestModelOperations : public QObject
{
    Q_OBJECT

private slots:
    void operationsAddCurrentModels();
    void spliceAndMaterialEditAskFirst();
    void zonesOfAJoinAreDrawn();
};

void TestModelOperations::operationsAddCurrentModels()
{
    ScriptedDialogs dialogs;
    DialogScope scope(&dialogs);
    ViewUnderTest v;
    ModelClass *hexes = v.add(makeModel(kTwoCubes, Hexahedron, kTwoHexes, {1, 2}));
    ModelListClass &list = v.view->ModelList;
    // Each operation on model 1 adds a current model with lists of its own.
    const auto run = [&](void (ViewCommands::*slot)()) {
        list.ActiveIndex = 1;
        (v.commands.*slot)();
        return list.active() != hexes ? list.active() : nullptr;
    };
    ModelClass *clone = run(&ViewCommands::getCloneFullModel);
    QVERIFY(clone && clone->DisplayListBase != 0
            && clone->DisplayListBase != hexes->DisplayListBase);
    QCOMPARE(clone->Meshes[0]->DisplayLists, clone->DisplayListBase);
    QCOMPARE(run(&ViewCommands::actionCreateSurfaceOfModel)->Meshes[0]->CountOfCells[Quadrangle],
             10);
    QVERIFY(run(&ViewCommands::actionTopologyMergeVertices));
    QCOMPARE(run(&ViewCommands::getModelFromVisible)->Meshes[0]->CountOfCells[Hexahedron], 2);
    QCOMPARE(list.count(), 6);

    // No selection: a warning and no model; one selected cell: a model of it.
    QVERIFY(!run(&ViewCommands::getModelFromSelection));
    QCOMPARE(dialogs.shown, QStringList {"Warning|There is no selected elements."});
    selectCell(*hexes->Meshes[0], Hexahedron, 1);
    QCOMPARE(run(&ViewCommands::getModelFromSelection)->Meshes[0]->CountOfVertices, 8);

    // Without six cell functions there is nothing to convert; with them the
    // current model itself is rewritten, and no model is added.
    QVERIFY(!run(&ViewCommands::convert6CellFuncsTo2VertFuncs));
    setCellFunctions(*hexes->Meshes[0], Hexahedron, 6, std::vector<double>(12, 1.0));
    hexes->CellFunctionNames = {"a", "b", "c", "d", "e", "f"};
    QCOMPARE(run(&ViewCommands::convert6CellFuncsTo2VertFuncs), nullptr);
    QCOMPARE(list.count(), 7);
    QCOMPARE(hexes->FunctionNames, (QStringList {"CellFunc0", "CellFunc1"}));
    QCOMPARE(hexes->Meshes[0]->CountOfCellFunctions, 0);
    QCOMPARE(hexes->Meshes[0]->CountOfVertices, 12 + 2 * 3);
    QVERIFY(litPixels(v.frame(), 0, v.view->width()) > 0);
}

void TestModelOperations::spliceAndMaterialEditAskFirst()
{
    ScriptedDialogs dialogs;
    DialogScope scope(&dialogs);
    PanelRecordingHost host;
    GLWidget view(nullptr, &host);
    ViewCommands commands(view);
    view.resize(200, 200);
    // Two triangles whose shared corners are stored twice, 1e-4 apart.
    ModelClass *model = makeModel({0, 0, 0, 1, 0, 0, 0, 1, 0, 1.0001, 0, 0, 0, 1.0001, 0, 1, 1, 0},
                                  Triangle, {0, 1, 2, 3, 5, 4}, {0, 1});
    view.placeNewModel(model);
    model->updateMaterials();
    model->PickKind = 1;
    model->PickMode = PickTarget::Point;
    model->PickBlock = 0;
    model->PickIndex = 5;

    commands.getSplice(); // cancelled
    QCOMPARE(dialogs.shown.value(0).section('|', 0, 1), QString("Splice vertices|Input Eps:"));
    QCOMPARE(model->Meshes[0]->CountOfVertices, 6);
    dialogs.numbers = {0.001};
    commands.getSplice();
    QCOMPARE(model->Meshes[0]->CountOfVertices, 4);
    QCOMPARE(model->PickIndex, -1); // vertex 5 is no more

    // The material edit asks only while cells are selected.
    dialogs.shown.clear();
    commands.massSelectEditMaterialClick();
    QVERIFY(dialogs.shown.isEmpty());
    selectCell(*model->Meshes[0], Triangle, 1);
    dialogs.numbers = {7};
    commands.massSelectEditMaterialClick();
    QCOMPARE(dialogs.shown.value(0).section('|', 0, 1),
             QString("Change Materil Number|Input new material number:"));
    QVERIFY(dialogs.shown.value(0).endsWith("..21474444"));
    QCOMPARE(model->Meshes[0]->CellMaterials[Triangle][0], 0);
    QCOMPARE(model->Meshes[0]->CellMaterials[Triangle][1], 7);
    QCOMPARE(model->Materials, (QList<qint32> {0, 1, 7}));
    QCOMPARE(host.materialRefreshes, 1);
}

void TestModelOperations::zonesOfAJoinAreDrawn()
{
    ViewUnderTest v(320, 240);
    // Two squares left and right of a gap; joined as zones, one model of two blocks.
    std::unique_ptr<ModelClass> left(makeModel(
        {-1, -0.5, 0, -0.1, -0.5, 0, -0.1, 0.5, 0, -1, 0.5, 0}, Quadrangle, {0, 1, 2, 3}));
    std::unique_ptr<ModelClass> right(
        makeModel({0.1, -0.5, 0, 1, -0.5, 0, 1, 0.5, 0, 0.1, 0.5, 0}, Quadrangle, {0, 1, 2, 3}));
    ModelClass *joined = joinModels({left.get(), right.get()}, JoinMode::SeveralZones, 0);
    v.add(joined);
    const QImage frame = v.frame();
    const int w = frame.width();
    QVERIFY(litPixels(frame, 0, w / 3) > 0);
    QVERIFY(litPixels(frame, 2 * w / 3, w) > 0);
}

TESSARON_VIEW_TEST_MAIN(TestModelOperations)
#include "test_model_operations.moc"
