// Selection in the core: the box test and the cell rule of a selection
// rectangle, the mapping of a pick's name back to a block, and the new
// material of selected cells.

#include "MeshBuilders.h"
#include "model/ModelClass.h"

#include <QtTest>

namespace {

// The box x in [x0, x1], y in [-0.5, 1.5], z in [-1, 1]; `spread` widens
// the far quadrangle as a perspective frustum does, `reversed` lists the
// corners of each quadrangle the other way round.
std::vector<double> box(double x0, double x1, double spread = 1.0, bool reversed = false)
{
    std::vector<double> corners;
    const double xs[4] = {x0, x1, x1, x0}, ys[4] = {-0.5, -0.5, 1.5, 1.5}, cx = (x0 + x1) / 2;
    for (int back = 0; back < 2; ++back)
        for (int k = 0; k < 4; ++k) {
            const int i = reversed ? 3 - k : k;
            const double s = back ? spread : 1.0;
            corners.insert(corners.end(),
                           {cx + (xs[i] - cx) * s, 0.5 + (ys[i] - 0.5) * s, back ? 1.0 : -1.0});
        }
    return corners;
}

QList<int> selected(const MeshClass &mesh)
{
    QList<int> cells;
    for (qint32 c = 0; mesh.CellSelected && c < mesh.CountOfCells[Quadrangle]; ++c)
        if (mesh.CellSelected[Quadrangle][c])
            cells << c;
    return cells;
}

} // namespace

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void boxSelectsByTheRule();
    void pickNamesMapBackToBlocks();
};

void TestSelection::boxSelectsByTheRule()
{
    // A box of parallel sides, a frustum, and corners listed the other way round.
    for (const auto &[spread, reversed] : {std::pair {1.0, false}, {1.2, false}, {1.0, true}}) {
        std::unique_ptr<MeshClass> mesh(quadRow(3));
        // Vertices on a face of the box count as inside; a flat box holds none.
        QCOMPARE(mesh->markInsideBox(box(1.0, 2.0, spread, reversed).data()), 4);
        QCOMPARE(mesh->markInsideBox(box(3.5, 4.5, spread, reversed).data()), 0);
        QCOMPARE(mesh->markInsideBox(box(1.0, 1.0, spread, reversed).data()), 0);
        // With all nodes marked only the first quadrangle is taken; with any, the second too.
        QCOMPARE(mesh->markInsideBox(box(-0.5, 1.5, spread, reversed).data()), 4);
        QCOMPARE(mesh->selectMarkedCells(true, false, false), qint32(errNone));
        QCOMPARE(selected(*mesh), (QList<int> {0}));
        QVERIFY(!mesh->VertexInBox);
        mesh->markInsideBox(box(-0.5, 1.5, spread, reversed).data());
        mesh->selectMarkedCells(false, false, false);
        QCOMPARE(selected(*mesh), (QList<int> {0, 1}));
        // Deselecting takes out what the box covers and nothing else.
        mesh->setCellSelected(Quadrangle, 2, true);
        mesh->markInsideBox(box(1.5, 3.5, spread, reversed).data());
        mesh->selectMarkedCells(true, false, true);
        QCOMPARE(selected(*mesh), (QList<int> {0, 1}));
        // Visible cells only: a hidden cell stays out.
        mesh->clearSelection();
        mesh->allocCellVisible();
        mesh->CellVisible[Quadrangle][1] = 0;
        mesh->markInsideBox(box(-0.5, 3.5, spread, reversed).data());
        mesh->selectMarkedCells(true, true, false);
        QCOMPARE(selected(*mesh), (QList<int> {0, 2}));
    }
}

void TestSelection::pickNamesMapBackToBlocks()
{
    ModelClass model;
    model.Meshes << quadRow(3) << quadRow(3);
    model.ShownZones << 0; // both blocks are of zone 0
    model.prepareData();
    model.prepareDraw();
    model.setSelectEnabled(true);
    // Name 9: the third triangle of the second block, half of its second quadrangle.
    QCOMPARE(model.applyPick(PickTarget::Cell, 9, false, false), model.Meshes[1]);
    QCOMPARE((QList<int> {model.PickKind, int(model.PickMode), model.PickBlock, model.PickIndex}),
             (QList<int> {1, 2, 1, 2}));
    QCOMPARE(selected(*model.Meshes[1]), (QList<int> {1}));
    model.applyPick(PickTarget::Cell, 10, false, true); // its other half deselects it
    QCOMPARE(selected(*model.Meshes[1]), (QList<int> {}));
    // Point names give vertex numbers; a name past every block finds none.
    model.applyPick(PickTarget::Point, quint32(model.Meshes[0]->CountOfViewPoints + 2), false,
                    false);
    QCOMPARE(model.PickBlock, 1);
    QCOMPARE(model.PickIndex, model.Meshes[1]->ViewPointIndices[1]);
    model.applyPick(PickTarget::Point, 1000, false, false);
    QCOMPARE(model.PickKind, 0);

    // The ruler starts at a picked point only: not after a cell pick.
    model.applyPick(PickTarget::Cell, 9, false, false);
    model.applyPick(PickTarget::Point, 3, true, false);
    QCOMPARE(model.RulerKind, -1);
    model.applyPick(PickTarget::Point, 4, true, false);
    QCOMPARE((QList<int> {model.RulerKind, model.RulerBlock, model.RulerIndex}),
             (QList<int> {1, 0, model.Meshes[0]->ViewPointIndices[2]}));
}

QTEST_GUILESS_MAIN(TestSelection)
#include "test_selection.moc"
