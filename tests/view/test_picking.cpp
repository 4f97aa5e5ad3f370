// Picking in a drawn view: Ctrl+clicks select cells, Shift+clicks pick
// vertices and measure, a mass-selection drag selects what it covers.

#include "ViewFixture.h"
#include "view/Picking.h"

namespace {

// A host whose commands that need a selection or a picked vertex start
// disabled; it keeps the mass-selection toggle its menu would show.
struct PickHost : HeadlessHost
{
    PickHost()
    {
        state.CanEditSelection = state.CanClearSelection = false;
        state.CanCentreOnPoint = state.CanCentreAllOnPoint = false;
    }
    void showState() override { shownMassSelect = state.MassSelect; }

    bool shownMassSelect = true;
};

struct PickView
{
    PickView()
        : view(nullptr, &host)
        , commands(view)
    {
        view.resize(400, 240);
        view.show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(&view);
    }
    // Adds the model as a load does and draws it once, so that it keeps the
    // matrices of the frame.
    ModelClass *add(ModelClass *model)
    {
        view.placeNewModel(model);
        view.renderImage(view.width(), view.height());
        return model;
    }
    // The widget pixel of a model point, by the matrices of the last frame.
    QPoint at(const ModelClass &m, double x, double y) const
    {
        double clip[4] = {0, 0, 0, 0};
        for (int i = 0; i < 4; ++i)
            for (int k = 0; k < 4; ++k) {
                const double *mv = m.ModelViewMatrix;
                clip[i] += m.ProjectionMatrix[4 * k + i] * (mv[k] * x + mv[4 + k] * y + mv[12 + k]);
            }
        const double wx = (clip[0] / clip[3] + 1) / 2, wy = (clip[1] / clip[3] + 1) / 2;
        return QPoint(int(wx * view.width()), int((1 - wy) * view.height()));
    }
    // Press at `from`, move to `to` when it differs, release there.
    void gesture(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers,
                 Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(&view, QEvent::MouseButtonPress, from, button, button, modifiers);
        if (to != from)
            mouse(&view, QEvent::MouseMove, to, button, button, modifiers);
        mouse(&view, QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
    }
    void click(QPoint pos, Qt::KeyboardModifiers modifiers, Qt::MouseButton button = Qt::LeftButton)
    {
        gesture(pos, pos, modifiers, button);
    }
    QString status()
    {
        view.renderImage(view.width(), view.height());
        return host.status;
    }

    PickHost host;
    GLWidget view;
    ViewCommands commands;
};

// The square [2, 4]^2 as two triangles: 0 below the diagonal from (2, 2) to
// (4, 4), 1 above it. Away from the origin, so that the view shows it small.
ModelClass *twoTriangles()
{
    return makeModel({2, 2, 0, 4, 2, 0, 4, 4, 0, 2, 4, 0}, Triangle, {0, 1, 2, 0, 2, 3});
}

QList<int> selected(const ModelClass &model, int type)
{
    QList<int> cells;
    const MeshClass *mesh = model.Meshes[0];
    for (qint32 c = 0; mesh->CellSelected && c < mesh->CountOfCells[type]; ++c)
        if (mesh->CellSelected[type][c])
            cells << c;
    return cells;
}

} // namespace

class TestPicking : public QObject
{
    Q_OBJECT

private slots:
    void nearestRecordWins();
    void ctrlClicksSelectAndDeselectTheCellUnderTheCursor();
    void shiftClicksPickVerticesAndMeasure();
    void pickedValueOnlyInFunctionColours();
    void rectangleSelectsTheCoveredCells();
};

void TestPicking::nearestRecordWins()
{
    // Records: name count, minimum depth, maximum depth, names.
    const quint32 buffer[] = {1, 50, 90, 7, 1, 20, 30, 8, 1, 20, 25, 9, 2, 10, 99, 4, 5};
    QCOMPARE(nearestHitName(buffer, 3, 17), 8u); // equal depths: the earlier record
    QCOMPARE(nearestHitName(buffer, 4, 17), 5u); // the top name of a deeper stack
    QCOMPARE(nearestHitName(buffer, 4, 16), 8u); // a record cut off by the buffer's end
    QCOMPARE(nearestHitName(buffer, 0, 17), 0u);
    QCOMPARE(nearestHitName(buffer, -1, 17), 0u); // the buffer overflowed
}

void TestPicking::ctrlClicksSelectAndDeselectTheCellUnderTheCursor()
{
    PickView v;
    ModelClass *model = v.add(twoTriangles());
    const QPoint below = v.at(*model, 3.5, 2.5), above = v.at(*model, 2.5, 3.5);
    // Without the selection switch a Ctrl+click picks and describes the cell.
    v.click(above, Qt::ControlModifier);
    QCOMPARE(model->PickIndex, 1);
    QVERIFY2(v.status().endsWith(QLatin1String("; 3-gon # 1")), qPrintable(v.host.status));
    QVERIFY(!model->Meshes[0]->CellSelected);
    // With it the cell is flagged, and the pick is spent.
    v.commands.massSelectCheckClick(true);
    v.click(below, Qt::ControlModifier);
    v.click(above, Qt::ControlModifier);
    QCOMPARE(selected(*model, Triangle), (QList<int> {0, 1}));
    QCOMPARE(model->PickMode, PickTarget::None);
    QVERIFY(v.host.state.CanEditSelection);
    QVERIFY(v.host.state.CanClearSelection);
    // Ctrl+right-click clears only the cell under the cursor.
    v.click(below, Qt::ControlModifier, Qt::RightButton);
    QCOMPARE(selected(*model, Triangle), (QList<int> {1}));
    // Other modifiers, a drag, and a model in stereo pick nothing.
    v.click(below, Qt::ControlModifier | Qt::AltModifier);
    v.gesture(below, below + QPoint(3, 0), Qt::ControlModifier);
    model->Settings.Stereo = 1;
    v.click(below, Qt::ControlModifier);
    QCOMPARE(selected(*model, Triangle), (QList<int> {1}));
}

void TestPicking::shiftClicksPickVerticesAndMeasure()
{
    PickView v;
    ModelClass *model = v.add(twoTriangles());
    v.host.state.Ruler = true;
    // The pick box is 15 pixels wide: a click 4 pixels off still finds (2, 2).
    v.click(v.at(*model, 2, 2) + QPoint(4, -4), Qt::ShiftModifier);
    QVERIFY(
        v.status().endsWith(QLatin1String("; Point: (2;2;0); (Zone number=0; Vertex number=0)")));
    QVERIFY(v.host.state.CanCentreOnPoint);
    v.click(v.at(*model, 4, 4), Qt::ShiftModifier);
    QCOMPARE(model->RulerIndex, 0);
    QVERIFY(!v.status().contains(QLatin1String("; Point:")));
    const auto label = std::find_if(v.view.Frame.Labels.begin(), v.view.Frame.Labels.end(),
                                    [](const ScreenLabel &l) { return l.text.startsWith("S = "); });
    QVERIFY(label != v.view.Frame.Labels.end());
    QCOMPARE(label->text, QStringLiteral("S = 2.8284"));
    QVERIFY(std::abs(label->window.x() - v.view.width() / 2.0) < 1.0); // the ruler's middle
    // The ruler measures in space, not on the screen: (0, 0, 0) to (3, 0, 4).
    PickView w;
    ModelClass *slanted = w.add(makeModel({0, 0, 0, 3, 0, 4, 0, 3, 0}, Triangle, {0, 1, 2}));
    w.host.state.Ruler = true;
    w.click(w.at(*slanted, 0, 0), Qt::ShiftModifier);
    w.click(w.at(*slanted, 3, 0), Qt::ShiftModifier);
    w.status();
    QVERIFY(std::any_of(w.view.Frame.Labels.begin(), w.view.Frame.Labels.end(),
                        [](const ScreenLabel &l) { return l.text == "S = 5"; }));
    // A click on the background resets the pick and disables centring.
    v.click(QPoint(5, 5), Qt::ShiftModifier);
    QCOMPARE(model->PickMode, PickTarget::None);
    QVERIFY(!v.host.state.CanCentreOnPoint);
}

void TestPicking::pickedValueOnlyInFunctionColours()
{
    PickView v;
    ModelClass *strip = v.add(makeStrip(4)); // the vertex function x
    v.click(v.at(*strip, 0.5, 0.5), Qt::ShiftModifier);
    QVERIFY(v.status().endsWith(QLatin1String("(Zone number=0; Vertex number=7)")));
    v.commands.changeViewFacesFunction();
    v.click(v.at(*strip, 0.5, 0.5), Qt::ShiftModifier);
    QVERIFY2(v.status().endsWith(QLatin1String("(Zone number=0; Vertex number=7); x = 0.5")),
             qPrintable(v.status()));
}

void TestPicking::rectangleSelectsTheCoveredCells()
{
    PickView v;
    ModelClass *strip = v.add(makeStrip(4)); // quadrangles over x in [-1, -0.5], ... [0.5, 1]
    v.commands.massSelectClick(true);
    const QPoint topLeft = v.at(*strip, -1.2, 0.7), middle = v.at(*strip, 0.2, -0.7);
    // selAllPoints (the default): the quadrangles with every corner inside.
    v.gesture(topLeft, middle, Qt::NoModifier);
    QCOMPARE(selected(*strip, Quadrangle), (QList<int> {0, 1}));
    // A right-button rectangle deselects.
    v.gesture(v.at(*strip, -0.7, 0.7), middle, Qt::NoModifier, Qt::RightButton);
    QCOMPARE(selected(*strip, Quadrangle), (QList<int> {0}));
    QVERIFY(v.view.State.MassSelect);
    // A rectangle over no vertex changes nothing and ends the mode.
    v.gesture(QPoint(2, 2), QPoint(12, 12), Qt::NoModifier);
    QCOMPARE(selected(*strip, Quadrangle), (QList<int> {0}));
    QVERIFY(!v.view.State.MassSelect);
    QVERIFY(!v.host.shownMassSelect);
}

TESSARON_VIEW_TEST_MAIN(TestPicking)
#include "test_picking.moc"
