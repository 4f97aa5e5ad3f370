// The model panels in the main window: materials shown and renumbered, the
// cutting plane's fields and apply, the point editor and the stereo values.

#include "AppTestBase.h"
#include "app/panels/MaterialsControl.h"
#include "app/panels/OpacityControl.h"

namespace {

// n unit quadrangles in a row along x as a model.
ModelClass *strip(int n)
{
    auto *model = new ModelClass;
    model->Meshes.append(quadRow(n));
    return model;
}

QStringList texts(const QListWidget *list, bool selectedOnly = false)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!selectedOnly || list->item(i)->isSelected())
            out << list->item(i)->text();
    return out;
}

QList<int> visible(const ModelClass &model)
{
    QList<int> out;
    const MeshClass *mesh = model.Meshes[0];
    for (qint32 c = 0; c < mesh->CountOfCells[Quadrangle]; ++c)
        out << (mesh->CellVisible ? mesh->CellVisible[Quadrangle][c] : 1);
    return out;
}

template<class T> T *child(QWidget *panel, const char *name)
{
    return panel->findChild<T *>(QLatin1String(name));
}

} // namespace

class TestPanels : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void materialsAreShownAndRenumbered();
    void intersectionFieldsAndApply();
    void pointAndStereoPanels();
    void everyPanelShowsItsTextsInRussian();
    void panelsAreReplacedNotDuplicated();
    void objectsTreeCommands();
    void joinFromTheObjectsPanel();
};

void TestPanels::materialsAreShownAndRenumbered()
{
    Tessaron window;
    ModelClass *model = strip(3);
    window.view()->placeNewModel(model);
    window.commands()->changeViewFacesMaterial();
    auto *panel = qobject_cast<MaterialsControl *>(window.panel(PanelKind::Materials));
    QVERIFY(panel);
    QListWidget *list = panel->list();
    QCOMPARE(texts(list, true), (QStringList {"1", "2", "3"}));
    // Apply draws only the selected materials.
    list->item(1)->setSelected(false);
    child<QPushButton>(panel, "pushButton_apply")->click();
    QCOMPARE(model->ShownMaterials, (QList<qint32> {1, 3}));
    QCOMPARE(model->Meshes[0]->CountOfTriVertices, 2 * 2 * 3);
    // The selected materials become the number asked for; 21474444 is the largest offered.
    list->item(1)->setSelected(true);
    list->item(2)->setSelected(false);
    dialogs.numbers = {21474444};
    child<QPushButton>(panel, "pushButton_change")->click();
    QCOMPARE(dialogs.shown.last(),
             QStringLiteral("Change Materil Number|Input new material number:|0|0..21474444"));
    QCOMPARE(texts(list, true), (QStringList {"3", "21474444"}));
    // Without a selection the old number comes first; one the model lacks is refused.
    panel->DeSelectAll();
    dialogs.numbers = {7, 1};
    child<QPushButton>(panel, "pushButton_change")->click();
    QCOMPARE(dialogs.shown.last(),
             QStringLiteral("Error|Old material does not exist in original model!"));
    dialogs.numbers = {3, 5};
    child<QPushButton>(panel, "pushButton_change")->click();
    QCOMPARE(model->Materials, (QList<qint32> {5, 21474444}));
    // The selection's material edit refreshes the panel.
    model->Meshes[0]->setCellSelected(Quadrangle, 0, true);
    dialogs.numbers = {9};
    window.commands()->massSelectEditMaterialClick();
    QVERIFY(dialogs.shown.last().endsWith(QLatin1String("|1|0..21474444")));
    QCOMPARE(texts(list), (QStringList {"5", "21474444", "9"})); // a new number is appended
}

void TestPanels::intersectionFieldsAndApply()
{
    Tessaron window;
    ModelClass *model = strip(3);
    window.view()->placeNewModel(model);
    window.commands()->changeViewCubeIntersect(); // creates the panel and cuts with its plane
    QDockWidget *panel = window.panel(PanelKind::Intersect);
    auto *point = child<QLineEdit>(panel, "lineEdit_point");
    QCOMPARE(point->text(), QStringLiteral("1.50;0.50;0.00")); // through the centre
    QCOMPARE(child<QLineEdit>(panel, "lineEdit_normal")->text(), QStringLiteral("1.00;0.00;0.00"));
    point->setText("1.5;0;0");
    child<QPushButton>(panel, "pushButton_OK")->click();
    QCOMPARE(visible(*model), (QList<int> {0, 0, 1}));
    // Two numbers are no point: Enter cuts through the plane's previous one.
    child<QCheckBox>(panel, "checkBox_include")->setChecked(true);
    point->setText("0.5;0");
    QTest::keyClick(point, Qt::Key_Return);
    QCOMPARE(model->ClipPlane.Point[0], 1.5);
    QCOMPARE(visible(*model), (QList<int> {0, 1, 1}));
    // "Draw clipping rectangle" hands the plane to the mouse, which writes the fields.
    QVERIFY(!window.planeEditMode());
    child<QCheckBox>(panel, "checkBox_clipping_r")->click();
    QVERIFY(window.planeEditMode());
    const double p[3] = {0.25, 0, 0}, n[3] = {0, 1, 0};
    window.setPlaneFields(p, n);
    QCOMPARE(point->text(), QStringLiteral("0.25;0.00;0.00"));
}

void TestPanels::pointAndStereoPanels()
{
    Tessaron window;
    GLWidget *view = window.view();
    ViewCommands *commands = window.commands();
    ModelClass *model = strip(1);
    view->placeNewModel(model);
    model->PickKind = 1;
    model->PickMode = PickTarget::Point;
    model->PickBlock = 0;
    model->PickIndex = 3; // (1, 1, 0)
    commands->pointEditClick();
    QDockWidget *point = window.panel(PanelKind::Point);
    child<QLineEdit>(point, "lnEd_X")->setText("1.25");
    child<QLineEdit>(point, "lnEd_Y")->setText("-2.5");
    child<QLineEdit>(point, "lnEd_Z")->setText("3.75");
    QTest::keyClick(child<QLineEdit>(point, "lnEd_X"), Qt::Key_Return);
    const double *moved = model->Meshes[0]->Vertices + 9;
    QCOMPARE(std::vector<double>(moved, moved + 3), (std::vector<double> {1.25, -2.5, 3.75}));
    QCOMPARE(model->BoxMax[0], 1.25f);
    // The stereo panel's values replace the model's; the projection switches the labels.
    model->StereoA = 3;
    commands->changeShowIn3D();
    QDockWidget *stereo = window.panel(PanelKind::Stereo3D);
    QCOMPARE(model->StereoA, 1.0);
    child<QDoubleSpinBox>(stereo, "set_eye_x")->setValue(0.5);
    child<QDoubleSpinBox>(stereo, "set_eye_z")->setValue(2.5);
    child<QDoubleSpinBox>(stereo, "set_focus_z")->setValue(4.5);
    QCOMPARE(std::pair(model->StereoB, model->StereoC), std::pair(2.5, 4.5));
    auto *invert = child<QCheckBox>(stereo, "checkBox_invertChanel");
    invert->click();
    QCOMPARE(model->SwapEyes, quint8(1));
    invert->click();
    QCOMPARE(model->SwapEyes, quint8(0));
    child<QRadioButton>(stereo, "rb_frustrum")->click();
    QCOMPARE(child<QLabel>(stereo, "label_eye_x")->text(), QStringLiteral("Near"));
    QCOMPARE(std::pair(model->Orthographic, model->Near), std::pair(quint8(0), 0.005));
    child<QRadioButton>(stereo, "rb_ortho")->click();
    QCOMPARE(model->Orthographic, quint8(1));
}

// The texts of a panel that do not show whole: labels and buttons narrower
// than their text, and a title that does not fit beside the title buttons.
QStringList cutTexts(const QDockWidget *panel)
{
    QStringList cut;
    for (const QLabel *label : panel->widget()->findChildren<QLabel *>())
        if (label->isVisible() && label->sizeHint().width() > label->width())
            cut << label->text();
    for (const QAbstractButton *button : panel->widget()->findChildren<QAbstractButton *>())
        if (button->isVisible() && button->sizeHint().width() > button->width())
            cut << button->text();
    const int margin = panel->style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin);
    int titleEnd = panel->width() - margin;
    for (const QAbstractButton *button :
         panel->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly))
        if (button->isVisible())
            titleEnd = std::min(titleEnd, button->x() - margin);
    if (panel->fontMetrics().horizontalAdvance(panel->windowTitle()) > titleEnd - 2 * margin)
        cut << panel->windowTitle();
    return cut;
}

void TestPanels::everyPanelShowsItsTextsInRussian()
{
    QTranslator toolkit, program;
    installTranslators(Language::Russian, toolkit, program);
    {
        Tessaron window;
        window.resize(1200, 900);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ModelClass *model = strip(3);
        addVertexFunction(*model->Meshes[0], {0, 1, 2, 3, 4, 5, 6, 7});
        model->FunctionNames << "f";
        model->FunctionLocation = 1;
        window.view()->placeNewModel(model);
        for (int kind = 0; kind <= int(PanelKind::Point); ++kind) {
            window.createPanel(PanelKind(kind));
            QDockWidget *panel = window.panel(PanelKind(kind));
            QVERIFY(panel);
            if (kind == int(PanelKind::ColorSize))
                child<QCheckBox>(panel, "checkBox_exact")->setChecked(true); // shows the field
            if (kind == int(PanelKind::Iso))
                child<QCheckBox>(panel, "checkBox_uniformity")->setChecked(false);
            QTest::qWait(20);
            const QStringList cut = cutTexts(panel);
            QVERIFY2(cut.isEmpty(), qPrintable(panel->objectName() + ": " + cut.join(", ")));
            if (kind == int(PanelKind::Stereo3D)) { // the labels of the other projection
                child<QRadioButton>(panel, "rb_frustrum")->click();
                QTest::qWait(20);
                QVERIFY2(cutTexts(panel).isEmpty(), qPrintable(cutTexts(panel).join(", ")));
            }
            window.removePanel(PanelKind(kind));
        }
    }
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);
}

void TestPanels::panelsAreReplacedNotDuplicated()
{
    Tessaron window;
    window.show();
    QVERIFY(window.panel(PanelKind::Objects));
    window.createPanel(PanelKind::Objects);
    window.createPanel(PanelKind::Opacity);
    window.createPanel(PanelKind::Opacity);
    // The Panels menu has one entry per kind, whatever exists.
    QCOMPARE(window.menu("menuPanels")->actions().size(), 12);
    QCOMPARE(window.findChildren<QDockWidget *>().size(), 2);
    window.removePanel(PanelKind::Opacity);
    window.removePanel(PanelKind::Opacity);
    QVERIFY(!window.panel(PanelKind::Opacity));
    // The objects on the left, the functions on the right.
    window.createPanel(PanelKind::Function);
    QCOMPARE(window.dockWidgetArea(window.panel(PanelKind::Objects)), Qt::LeftDockWidgetArea);
    QCOMPARE(window.dockWidgetArea(window.panel(PanelKind::Function)), Qt::RightDockWidgetArea);
    window.removePanel(PanelKind::Function);

    // An opacity panel for an opaque model starts at 128.
    window.openModelFile(data.filePath("m0.surf"));
    window.createPanel(PanelKind::Opacity);
    auto *opacity = static_cast<OpacityControl *>(window.panel(PanelKind::Opacity));
    QCOMPARE(opacity->slider()->value(), 128);
}

void TestPanels::objectsTreeCommands()
{
    Tessaron window;
    window.show();
    window.openModelFile(data.filePath("m0.surf"));
    window.openModelFile(data.filePath("m1.surf"));
    ObjectsControl *objects = objectsOf(window);
    ModelListClass &list = window.view()->ModelList;
    QCOMPARE(objects->tree()->topLevelItemCount(), 1);
    QCOMPARE(objects->tree()->topLevelItem(0)->childCount(), 2);
    window.model_info(); // the report of the current model, in an about box
    QVERIFY(dialogs.shown.last().startsWith("Model: m1.surf|File info:\nCount of zones = 1\n"));

    // Hiding the scene hides every model; showing it shows them all.
    objects->selectModel(list.scene());
    objects->contextMenuShowhideElement();
    QVERIFY(!list.at(1)->Visible && !list.at(2)->Visible);
    objects->selectModel(list.scene()); // the tree went back to the current model
    objects->contextMenuShowhideElement();
    QVERIFY(list.at(1)->Visible && list.at(2)->Visible);

    objects->itemClicked(objects->itemOf(list.at(1)), 0);
    QCOMPARE(list.ActiveIndex, 1);
    objects->selectModel(list.at(2)); // a click selects its row, then reports the column
    objects->itemClicked(objects->itemOf(list.at(2)), 1); // eye column: current stays
    QCOMPARE(list.ActiveIndex, 1);
    QVERIFY(!list.at(2)->Visible);

    dialogs.colour = QColor(10, 20, 30);
    objects->itemClicked(objects->itemOf(list.at(2)), 2);
    QCOMPARE(list.at(2)->ModelColor[2], 30);
    dialogs.text = "Renamed";
    objects->contextMenuChangeNameElement();
    QCOMPARE(list.at(1)->Name, QString("Renamed"));
    QCOMPARE(objects->itemOf(list.at(1))->text(0), QString("Renamed"));
    dialogs.text.clear();
    objects->contextMenuChangeNameElement(); // cancelled: the name stays
    QCOMPARE(list.at(1)->Name, QString("Renamed"));

    // A right-click makes its row current before the menu acts on it.
    QTreeWidget *tree = objects->tree();
    const QPoint row = tree->visualItemRect(objects->itemOf(list.at(2))).center();
    QTimer::singleShot(200, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, row, tree->viewport()->mapToGlobal(row));
    QApplication::sendEvent(tree->viewport(), &click);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(list.ActiveIndex, 2);
    dialogs.text = "Clicked";
    objects->contextMenuChangeNameElement();
    QCOMPARE(list.at(2)->Name, QString("Clicked"));
    QCOMPARE(list.at(1)->Name, QString("Renamed"));

    // Every colour swatch, a white one too, has a dark frame.
    list.at(2)->setColor(255, 255, 255);
    objects->updateFields();
    auto *swatch = qobject_cast<QLabel *>(tree->itemWidget(objects->itemOf(list.at(2)), 2));
    QVERIFY(swatch);
    const QImage image = swatch->grab().toImage();
    const QColor edge = image.pixelColor(1, image.height() / 2);
    const QColor inside = image.pixelColor(image.width() / 2, image.height() / 2);
    QVERIFY2(edge.lightness() < 80, qPrintable(edge.name()));
    QCOMPARE(inside, QColor(Qt::white));

    // The model before the deleted one becomes current.
    window.openModelFile(data.filePath("m2.surf"));
    objects->selectModel(list.at(2));
    objects->contextMenuDeleteElement();
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.ActiveIndex, 1);
    QCOMPARE(list.at(2)->FileName, data.filePath("m2.surf"));
    QCOMPARE(objects->tree()->topLevelItem(0)->childCount(), 2);
}

void TestPanels::joinFromTheObjectsPanel()
{
    Tessaron window;
    window.show();
    for (int i = 0; i < 3; ++i)
        window.openModelFile(data.filePath(QString("m%1.surf").arg(i)));
    ObjectsControl *objects = objectsOf(window);
    ModelListClass &list = window.view()->ModelList;
    const auto select = [&](std::initializer_list<int> indices) {
        objects->tree()->clearSelection();
        for (int i : indices)
            objects->itemOf(list.at(i))->setSelected(true);
    };

    // The scene is never joined.
    select({0, 1});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 4);

    // Selected from the bottom up, joined in list order, in one zone. (Without
    // centring, which would give every model the first model's matrix.)
    window.view()->State.Config.autocenter = 0;
    select({3, 1});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 5);
    ModelClass *joined = list.at(4);
    QCOMPARE(list.ActiveIndex, 4);
    QCOMPARE(joined->Meshes.size(), 1);
    QCOMPARE(joined->Meshes[0]->Vertices[0], 0.0); // m0 first, then m2
    QCOMPARE(joined->Meshes[0]->Vertices[9], 2.0);
    QVERIFY(!list.at(1)->Visible && list.at(2)->Visible && !list.at(3)->Visible);
    QVERIFY(joined->Visible);
    // Placed as a load places it, not with the zoom of the model it came from.
    QVERIFY(qFuzzyCompare(joined->Transform->Scale, 3.0f / joined->Radius));

    // The preferences' mode 2 keeps the blocks as zones.
    window.view()->State.Config.join = JoinMode::SeveralZones;
    select({1, 2});
    objects->contextMenuJoinSelected();
    QCOMPARE(list.count(), 6);
    QCOMPARE(list.at(5)->Meshes.size(), 2);
}

TESSARON_VIEW_TEST_MAIN(TestPanels)
#include "test_panels.moc"
