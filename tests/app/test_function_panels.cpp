// The function colouring panels: the function choice and range cut, the
// palette and isolines, the colour legend and the isosurface request.

#include "AppTestBase.h"

namespace {

// Four triangles over the rectangle [0, 2] x [0, 1]. Vertex function "f" has
// the range 0..5; within [2, 4] lie the nodes of triangles 0 and 3 only.
// "g" is a second vertex function, "c" a cell function of range 10..40.
ModelClass *functionModel(bool vertexFunctions = true, bool cellFunctions = true)
{
    auto *model = new ModelClass;
    auto *mesh = new MeshClass;
    setVertices(*mesh, {0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 1, 0, 1, 1, 0, 2, 1, 0});
    setCells(*mesh, Triangle, {0, 1, 4, 0, 4, 3, 1, 2, 5, 1, 5, 4});
    if (vertexFunctions) {
        addVertexFunction(*mesh, {2, 3, 5, 0, 4, 4});
        addVertexFunction(*mesh, {0, 1, 2, 3, 4, 5});
        model->FunctionNames << "f"
                             << "g";
    }
    if (cellFunctions) {
        setCellFunctions(*mesh, Triangle, 1, {10, 20, 30, 40});
        model->CellFunctionNames << "c";
    }
    model->FunctionLocation = vertexFunctions ? 1 : 2;
    model->Meshes.append(mesh);
    return model;
}

std::vector<int> shownCells(const ModelClass *model)
{
    const MeshClass *mesh = model->Meshes.first();
    std::vector<int> out;
    for (qint32 c = 0; c < mesh->CountOfCells[Triangle]; ++c)
        out.push_back(mesh->CellVisible ? mesh->CellVisible[Triangle][c] : 1);
    return out;
}

} // namespace

class TestFunctionPanels : public AppTestBase
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void functionChoiceFollowsTheModel();
    void rangeCutValidatesTheFields();
    void derivedModelsShowTheirRangeAtOnce();
    void paletteAndIsolines();
    void legendPaintsThePalette();
    void isosurfaceRequestWarnsOnce();
    void menusAndViewStateAgree();

private:
    // A widget of a panel by its object name.
    template<class T> T *child(PanelKind kind, const char *name) const
    {
        QDockWidget *dock = window->panel(kind);
        return dock ? dock->findChild<T *>(name) : nullptr;
    }
    // Adds the model and shows it coloured by function.
    ModelClass *showFunctions(ModelClass *model)
    {
        view->placeNewModel(model);
        commands->changeViewFacesFunction();
        return model;
    }

    std::unique_ptr<Tessaron> window;
    GLWidget *view = nullptr;
    ViewCommands *commands = nullptr;
};

void TestFunctionPanels::init()
{
    setUpFolders();
    QDir::setCurrent(data.path()); // where "iso.off" goes
    window = std::make_unique<Tessaron>();
    window->resize(900, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    view = window->view();
    commands = window->commands();
}

void TestFunctionPanels::cleanup()
{
    window.reset();
    tearDownFolders();
}

void TestFunctionPanels::functionChoiceFollowsTheModel()
{
    ModelClass *model = functionModel();
    model->CurrentFunction = 1;
    showFunctions(model);
    for (PanelKind kind : {PanelKind::Function, PanelKind::ColorSize, PanelKind::Gradient})
        QVERIFY(window->hasPanel(kind));
    auto *combo = child<QComboBox>(PanelKind::Function, "comboBox");
    auto *min = child<QLineEdit>(PanelKind::Function, "lineEdit_min");
    auto *max = child<QLineEdit>(PanelKind::Function, "lineEdit_max");
    auto *all = child<QCheckBox>(PanelKind::Function, "checkBox_all");
    auto *inCells = child<QCheckBox>(PanelKind::Function, "checkBox_inCells");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(min->text() + ".." + max->text(), QString("0..5"));
    QVERIFY(all->isChecked() && !min->isEnabled() && !max->isEnabled());
    all->setChecked(false);
    QVERIFY(min->isEnabled() && max->isEnabled());

    // To the cell functions: index 1 of the vertex list does not exist among
    // them, so the first cell function is shown.
    model->CurrentFunction = 1;
    QVERIFY(inCells->isEnabled());
    inCells->click();
    QCOMPARE(model->FunctionLocation, 2);
    QCOMPARE(model->CurrentFunction, 0);
    QCOMPARE(combo->currentText() + QString::number(combo->count()), QString("c1"));
    QCOMPARE(min->text() + ".." + max->text(), QString("10..40"));

    // A model whose first block has cell functions only: the box is checked
    // and cannot be unchecked.
    view->placeNewModel(functionModel(false, true));
    window->createPanel(PanelKind::Function);
    inCells = child<QCheckBox>(PanelKind::Function, "checkBox_inCells");
    QVERIFY(inCells->isChecked() && !inCells->isEnabled());
    QCOMPARE(child<QComboBox>(PanelKind::Function, "comboBox")->currentText(), QString("c"));
}

void TestFunctionPanels::rangeCutValidatesTheFields()
{
    ModelClass *model = showFunctions(functionModel());
    auto *min = child<QLineEdit>(PanelKind::Function, "lineEdit_min");
    auto *max = child<QLineEdit>(PanelKind::Function, "lineEdit_max");
    auto *apply = child<QPushButton>(PanelKind::Function, "pushButton");
    child<QCheckBox>(PanelKind::Function, "checkBox_all")->setChecked(false);

    // A minimum above the range falls back to the function's minimum, so
    // the cut keeps every cell; the fields show the range the cut used.
    min->setText("10");
    max->setText("5");
    apply->click();
    QCOMPARE(shownCells(model), (std::vector<int> {1, 1, 1, 1}));
    QCOMPARE(min->text() + ".." + max->text(), QString("0..5"));

    // A minimum above the maximum swaps them; Enter applies like the button.
    min->setText("4");
    max->setText("2");
    QTest::keyClick(max, Qt::Key_Return);
    QCOMPARE(shownCells(model), (std::vector<int> {1, 0, 0, 1}));
    QCOMPARE(min->text() + ".." + max->text(), QString("2..4")); // the range applied

    // "All" ignores the fields, shows every cell again and the full range; no
    // model is added.
    child<QCheckBox>(PanelKind::Function, "checkBox_all")->setChecked(true);
    min->setText("3");
    apply->click();
    QCOMPARE(shownCells(model), (std::vector<int> {1, 1, 1, 1}));
    QCOMPARE(model->Meshes.first()->CountOfTriVertices, 12);
    QCOMPARE(min->text() + ".." + max->text(), QString("0..5"));
    QCOMPARE(view->ModelList.count(), 2);
}

void TestFunctionPanels::derivedModelsShowTheirRangeAtOnce()
{
    // A surface without functions, coloured by function, then cells of it
    // cloned: the clone carries the old vertex numbers as its function and
    // shows them, coloured, with their range, at once.
    auto *surface = new ModelClass;
    surface->Meshes.append(quadRow(3));
    view->placeNewModel(surface);
    commands->changeViewFacesFunction();
    selectCell(*surface->Meshes[0], Quadrangle, 2);
    commands->getModelFromSelection();
    ModelClass *clone = view->currentModel();
    QVERIFY(clone != surface && clone->Settings.ColorMode == 5);
    QVERIFY(window->hasPanel(PanelKind::Function) && window->hasPanel(PanelKind::Gradient));
    auto *combo = child<QComboBox>(PanelKind::Function, "comboBox");
    auto *min = child<QLineEdit>(PanelKind::Function, "lineEdit_min");
    auto *max = child<QLineEdit>(PanelKind::Function, "lineEdit_max");
    QCOMPARE(combo->currentText(), QString("OldVrtIndx"));
    QCOMPARE(min->text() + ".." + max->text(), QString("4..7"));
    QVERIFY(clone->Meshes[0]->TriTexCoords);
    QCOMPARE(clone->Meshes[0]->TriTexCoords[0], 0.0f); // vertex 4, the minimum

    // Made current in the tree, a model shows its own range again.
    ModelClass *model = showFunctions(functionModel());
    QCOMPARE(min->text() + ".." + max->text(), QString("0..5"));
    auto *objects = static_cast<ObjectsControl *>(window->panel(PanelKind::Objects));
    objects->itemClicked(objects->itemOf(clone), 0);
    QCOMPARE(view->currentModel(), clone);
    QCOMPARE(min->text() + ".." + max->text(), QString("4..7"));
    objects->itemClicked(objects->itemOf(model), 0);
    QCOMPARE(min->text() + ".." + max->text(), QString("0..5"));

    // Set to show vertex functions it lacks (as a join of such models is),
    // a model shows its cell functions.
    ModelClass *cellsOnly = functionModel(false, true);
    cellsOnly->FunctionLocation = 1;
    showFunctions(cellsOnly);
    QCOMPARE(cellsOnly->FunctionLocation, 2);
    QCOMPARE(combo->currentText() + " " + min->text() + ".." + max->text(), QString("c 10..40"));
}

void TestFunctionPanels::paletteAndIsolines()
{
    ModelClass *model = showFunctions(functionModel());
    auto *functionSize = child<QSpinBox>(PanelKind::ColorSize, "spinBox_func_size");
    auto *paletteSize = child<QSpinBox>(PanelKind::ColorSize, "spinBox_palette_size");
    auto *repeat = child<QCheckBox>(PanelKind::ColorSize, "checkBox_repeat");

    // Without "Repeat colors" the palette size decides both.
    paletteSize->setValue(6);
    functionSize->setValue(20);
    QCOMPARE(view->State.Palette.Size, 6);
    QCOMPARE(view->State.Palette.Period, 6);
    repeat->setChecked(true);
    QCOMPARE(view->State.Palette.Size, 20);
    QCOMPARE(view->State.Palette.Period, 6);

    // Colour lines: one line per band boundary, coloured; off clears them.
    window->action("actionViewColorLines")->trigger();
    const MeshClass *mesh = model->Meshes.first();
    QVERIFY(mesh->CountOfIsoVertices > 0);
    QVERIFY(mesh->IsoColors[0] != (Rgba8 {0, 0, 0, 1}));

    // One black line at an exact value of f (range 0..5).
    auto *exact = child<QCheckBox>(PanelKind::ColorSize, "checkBox_exact");
    auto *value = child<QLineEdit>(PanelKind::ColorSize, "lineEdit_exact");
    QVERIFY(value->isHidden());
    exact->setChecked(true);
    QVERIFY(!value->isHidden());
    value->setText("2.5");
    QTest::keyClick(value, Qt::Key_Return);
    QVERIFY(mesh->CountOfIsoVertices > 0);
    QCOMPARE(mesh->IsoColors[0], (Rgba8 {0, 0, 0, 1}));

    window->action("actionViewColorLines")->trigger();
    QCOMPARE(mesh->CountOfIsoVertices, 0);

    // White lines take the legend away; coloured ones bring it back.
    auto *white = child<QCheckBox>(PanelKind::ColorSize, "checkBox_color");
    white->setChecked(true);
    QVERIFY(!window->hasPanel(PanelKind::Gradient));
    QCOMPARE(view->State.Palette.Texels[0], quint8(255));
    white->setChecked(false);
    QVERIFY(window->hasPanel(PanelKind::Gradient));
}

void TestFunctionPanels::legendPaintsThePalette()
{
    showFunctions(functionModel());
    child<QSpinBox>(PanelKind::ColorSize, "spinBox_palette_size")->setValue(5);
    QDockWidget *legend = window->panel(PanelKind::Gradient);
    QVERIFY(legend);
    const QImage image = legend->widget()->grab().toImage();
    const std::vector<quint8> &texels = view->State.Palette.Texels;
    auto texel = [&](int i) { return QColor(texels[4 * i], texels[4 * i + 1], texels[4 * i + 2]); };
    // Blue at the bottom, red at the top, the middle colour halfway.
    QVERIFY(near(image.pixelColor(15, 224), texel(0), 8)
            && near(image.pixelColor(15, 25), texel(4), 8));
    QVERIFY(near(image.pixelColor(15, 125), texel(2), 8));
    for (const QPoint p : {QPoint(32, 25), QPoint(41, 27), QPoint(36, 223), QPoint(40, 125),
                           QPoint(32, 41), QPoint(36, 107), QPoint(34, 207)})
        QVERIFY2(image.pixelColor(p) == Qt::white,
                 qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    QVERIFY(image.pixelColor(37, 41) != Qt::white); // small ticks are five pixels long

    // The legend lies below the panel's title bar, which looks as it does
    // without a legend; the function's name stands above the ramp.
    const int titleHeight = legend->widget()->y();
    QVERIFY(titleHeight > 10);
    const QImage withLegend = legend->grab().toImage();
    view->currentModel()->FunctionLocation = 0;
    const QImage without = legend->grab().toImage();
    QCOMPARE(withLegend.copy(0, 0, withLegend.width(), titleHeight),
             without.copy(0, 0, without.width(), titleHeight));
    QVERIFY(near(withLegend.pixelColor(15, titleHeight + 25), texel(4), 8));
    int ink = 0;
    for (int y = titleHeight; y < titleHeight + 22; ++y)
        for (int x = 2; x < 20; ++x)
            ink += withLegend.pixelColor(x, y) != without.pixelColor(x, y);
    QVERIFY(ink > 10);
}

void TestFunctionPanels::isosurfaceRequestWarnsOnce()
{
    view->placeNewModel(functionModel());
    view->placeNewModel(functionModel());
    view->ModelList.ActiveIndex = 0;
    commands->changeViewIso();
    QVERIFY(window->hasPanel(PanelKind::Iso));
    QCOMPARE(dialogs.shown, QStringList {"Warning|There is no points"});
    QCOMPARE(view->ModelList.count(), 3);
    QCOMPARE(view->ModelList.ActiveIndex, 0);

    auto *uniformity = child<QCheckBox>(PanelKind::Iso, "checkBox_uniformity");
    auto *count = child<QSpinBox>(PanelKind::Iso, "spinBox_count");
    auto *values = child<QLineEdit>(PanelKind::Iso, "lineEdit_count");
    QVERIFY(uniformity->isChecked() && !count->isHidden() && values->isHidden());
    uniformity->setChecked(false);
    QVERIFY(count->isHidden() && !values->isHidden());

    // A model without vertex functions offers no values to ask for; the
    // fields follow the current model each time the mode is chosen.
    QVERIFY(count->isEnabled());
    view->placeNewModel(functionModel(false, true));
    dialogs.shown.clear();
    commands->changeViewIso();
    QCOMPARE(dialogs.shown, QStringList {"Warning|There is no points"});
    QVERIFY(!count->isEnabled() && !values->isEnabled());
    view->ModelList.ActiveIndex = 1;
    commands->changeViewIso();
    QVERIFY(count->isEnabled() && values->isEnabled());
}

// The menus' toggles reach the view's state as they are used, and what the
// view's commands switch off themselves leaves the menus.
void TestFunctionPanels::menusAndViewStateAgree()
{
    const ViewState &state = view->State;
    QAction *ruler = window->action("actionRuler");
    ruler->trigger();
    QVERIFY(state.Ruler);
    ruler->trigger();
    QVERIFY(!state.Ruler);
    QAction *contour = window->action("actionViewContourEdges");
    QAction *surface = window->action("actionViewSurfaceEdges");
    ModelClass *model = showFunctions(functionModel());
    contour->trigger();
    QCOMPARE(state.Edges, EdgeEntry::Contour);
    QCOMPARE(model->Settings.EdgesMode, 1);
    surface->trigger();
    QCOMPARE(model->Settings.EdgesMode, 2);
    QVERIFY(!contour->isChecked() && surface->isChecked());
    // A model added now takes the edges the menu shows.
    ModelClass *second = showFunctions(functionModel());
    QCOMPARE(second->Settings.EdgesMode, 2);
    // Colour lines on; leaving function colours takes them off, menu and all.
    QAction *lines = window->action("actionViewColorLines");
    QVERIFY(lines->isEnabled());
    lines->trigger();
    QVERIFY(state.ColorLines && second->Settings.ShowIsolines);
    window->action("actionViewFacesMaterial")->trigger();
    QVERIFY(!state.ColorLines && !lines->isChecked() && !lines->isEnabled());
    QVERIFY(window->action("actionViewFacesMaterial")->isChecked());
    window->action("actionViewFacesMaterial")->trigger(); // the same mode again: faces off
    QVERIFY(!window->action("actionViewFacesMaterial")->isChecked());
    // The transparent mode's opacity applies only while its entry is on.
    commands->changeOpacity(100);
    QVERIFY(!second->Settings.Transparent);
    window->action("actionViewTransparent")->trigger();
    QVERIFY(state.Transparent);
    commands->changeOpacity(100);
    QVERIFY(second->Settings.Transparent);
}

TESSARON_VIEW_TEST_MAIN(TestFunctionPanels)
#include "test_function_panels.moc"
