#include "Tessaron.h"

#include "ActionTable.h"
#include "BuildInfo.h"
#include "StoneFinding.h"
#include "formats/FileKinds.h"
#include "panels/ColorSizeControl.h"
#include "panels/FunctionControl.h"
#include "panels/GradientControl.h"
#include "panels/IntersectControl.h"
#include "panels/IsoControl.h"
#include "panels/MaterialsControl.h"
#include "panels/MeasurementsControl.h"
#include "panels/ObjectsControl.h"
#include "panels/OpacityControl.h"
#include "panels/PointControl.h"
#include "panels/SliceControl.h"
#include "panels/Stereo3DControl.h"
#include "preferences/ConfigDialog.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/SettingsFile.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

// The dock area of every panel kind, in the order of PanelKind.
Qt::DockWidgetArea panelArea(PanelKind kind)
{
    static const Qt::DockWidgetArea areas[] = {
        Qt::LeftDockWidgetArea,  Qt::LeftDockWidgetArea,  Qt::LeftDockWidgetArea,
        Qt::LeftDockWidgetArea,  Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
        Qt::RightDockWidgetArea, Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
        Qt::RightDockWidgetArea, Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
    };
    return areas[size_t(kind)];
}

QString trMain(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

} // namespace

Tessaron::Tessaron(QWidget *parent)
    : QMainWindow(parent)
{
    Q_INIT_RESOURCE(icons);
    State.Menus = true;
    lastFolder = QDir::currentPath();
    if (objectName().isEmpty())
        setObjectName("MainWindow");
    move(50, 50);
    resize(640, 480);
    setMinimumSize(640, 480);
    createActions();
    readInterfaceChoice();
    createWidgets();
    buildInitialLayout();
    connectToggles();
    connectActions();
    showSliceState(); // no image yet
    retranslateUi();
    resizeSlot();
    for (int i = 0; i < MaxRecentFiles; ++i) {
        auto *act = new QAction(QString::number(i), this);
        act->setVisible(false);
        connect(act, &QAction::triggered, this, &Tessaron::openRecentFile);
        menu("menuRecentFiles")->insertAction(RecentSeparator, act);
        recentFileActs.append(act);
    }
    menu("menuRecentFiles")->setEnabled(false);
    buildPanelsMenu();
    createStoneFinding();
    createPanel(PanelKind::Objects);
}

Tessaron::~Tessaron()
{
    for (size_t k = 0; k < Panels.size(); ++k)
        removePanel(PanelKind(k));
    Stones.reset(); // waits for a search still running
    // The view gives its models' display lists back while the list lives.
    Commands.reset();
    delete View;
}

QString Tessaron::settingsPath()
{
    return SettingsFile::path();
}

QString Tessaron::windowTitleText()
{
    return QCoreApplication::translate("MainWindow", "Tessaron v1.1.256");
}

void Tessaron::createActions()
{
    LightsGroup = new QActionGroup(this);
    FacesGroup = new QActionGroup(this);
    for (int i = 0; i < kActionRowCount; ++i) {
        const ActionRow &row = kActionRows[i];
        auto *act = new QAction(this);
        act->setObjectName(row.name);
        if (row.icon)
            act->setIcon(QIcon(row.icon));
        if (row.standardKey != QKeySequence::UnknownKey)
            act->setShortcuts(row.standardKey);
        else if (row.keys)
            act->setShortcut(QKeySequence(row.keys));
        act->setCheckable(row.checkable);
        if (row.group == ActionRow::Lights)
            LightsGroup->addAction(act);
        else if (row.group == ActionRow::Faces)
            FacesGroup->addAction(act);
    }
}

void Tessaron::createWidgets()
{
    auto *central = new QWidget(this);
    central->setObjectName("centralwidget");
    ViewWidget = new QWidget(central);
    ViewWidget->setObjectName("viewwidget");
    View = new GLWidget(ViewWidget, this);
    Commands = std::make_unique<ViewCommands>(*View);
    setCentralWidget(central);
    central->installEventFilter(this);
    auto *bar = new QMenuBar(this);
    bar->setObjectName("menubar");
    setMenuBar(bar);
    auto *status = new QStatusBar(this);
    status->setObjectName("statusbar");
    setStatusBar(status);
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName("toolBar");
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(32, 32));
    addToolBar(Qt::TopToolBarArea, ToolBar);
    for (const char *name :
         {"menuFile", "menuSaveAs", "menuExport", "menuRecentFiles", "menuView", "menuOptions",
          "menuPanels", "menuHelp", "menuCloneModel", "menuOperations", "menuSlices"}) {
        auto *m = new QMenu(this);
        m->setObjectName(name);
    }
    LightMenu = new QMenu; // no parent widget and no object name
}

QMenu *Tessaron::menu(const char *objectName) const
{
    return findChild<QMenu *>(objectName, Qt::FindDirectChildrenOnly);
}

QAction *Tessaron::action(const char *objectName) const
{
    return findChild<QAction *>(objectName, Qt::FindDirectChildrenOnly);
}

void Tessaron::connectActions()
{
    for (int i = 0; i < kActionRowCount; ++i) {
        const ActionRow &row = kActionRows[i];
        QObject *receiver = row.receiver == ActionRow::View ? static_cast<QObject *>(View)
            : row.receiver == ActionRow::Commands           ? static_cast<QObject *>(Commands.get())
                                                            : this;
        connect(action(row.name), row.boolSignal ? SIGNAL(triggered(bool)) : SIGNAL(triggered()),
                receiver, row.slot);
    }
}

namespace {

// The menus' plain toggles and the fields of the view state they set.
const std::pair<const char *, bool ViewState::*> kToggles[] = {
    {"actionViewTransparent", &ViewState::Transparent},
    {"actionRuler", &ViewState::Ruler},
    {"actionViewColorLines", &ViewState::ColorLines},
    {"actionMassSelect", &ViewState::MassSelect},
    {"actionViewPoint", &ViewState::Points},
};

// The face modes' entries.
const std::pair<const char *, FaceEntry> kFaceActions[] = {
    {"actionViewFacesNormal", FaceEntry::Normal},
    {"actionViewFacesSurface", FaceEntry::Surface},
    {"actionViewFacesHidden", FaceEntry::Hidden},
    {"actionViewFacesMaterial", FaceEntry::Material},
    {"actionViewFacesFunction", FaceEntry::Function},
    {"actionViewIsoIntersect", FaceEntry::Isosurfaces}};

// The edge modes' entries.
const std::pair<const char *, EdgeEntry> kEdgeActions[] = {
    {"actionViewContourEdges", EdgeEntry::Contour}, {"actionViewSurfaceEdges", EdgeEntry::Surface}};

} // namespace

void Tessaron::connectToggles()
{
    // Toggled comes before triggered: the state is set when the command runs.
    for (const auto &[name, field] : kToggles)
        connect(action(name), &QAction::toggled, this,
                [this, field](bool on) { State.*field = on; });
    for (const auto &[name, mode] : kEdgeActions)
        connect(action(name), &QAction::toggled, this, [this, mode](bool on) {
            if (on)
                State.Edges = mode;
            else if (State.Edges == mode)
                State.Edges = EdgeEntry::None;
        });
}

void Tessaron::showState()
{
    QAction *lines = action("actionViewColorLines");
    lines->setEnabled(State.ColorLinesEnabled);
    lines->setChecked(State.ColorLines);
    action("actionMassSelect")->setChecked(State.MassSelect);
    for (const auto &[name, mode] : kEdgeActions)
        action(name)->setChecked(State.Edges == mode);
    for (const auto &[name, mode] : kFaceActions)
        if (State.Faces == FaceEntry::None || State.Faces == mode)
            action(name)->setChecked(State.Faces == mode);
    action("actionEditSelectMaterial")->setEnabled(State.CanEditSelection);
    action("actionMassSelectClean")->setEnabled(State.CanClearSelection);
    action("actionMoveCenter")->setEnabled(State.CanCentreOnPoint);
    action("actionMoveAllToSelect")->setEnabled(State.CanCentreAllOnPoint);
    showSliceState();
    refreshSlicePanel();
    // The Measurements panel measures the HU inside the models in the open image.
    if (auto *measurements = static_cast<MeasurementsControl *>(panel(PanelKind::Measurements)))
        if (measurements->image() != State.Image.get())
            measurements->setImage(State.Image.get());
}

void Tessaron::refreshSlicePanel()
{
    auto *slice = static_cast<SliceControl *>(panel(PanelKind::Slice));
    if (!slice) {
        if (!State.Image)
            return;
        createPanel(PanelKind::Slice);
        // Under the Objects panel, so the 3-D view keeps its width in a
        // window of any size.
        QDockWidget *objects = panel(PanelKind::Objects);
        if (objects && objects->isVisible() && !objects->isFloating())
            splitDockWidget(objects, panel(PanelKind::Slice), Qt::Vertical);
        return;
    }
    if (slice->refresh()) {
        slice->show();
        slice->raise();
    }
}

void Tessaron::retranslateUi()
{
    setWindowTitle(documentTitle());
    for (int i = 0; i < kActionRowCount; ++i)
        action(kActionRows[i].name)->setText(trMain(kActionRows[i].text));
    // The web page's entry names its files' pattern, which the registry spells.
    QAction *page = action("actionExportWebPage");
    page->setText(page->text().arg(webPageFilter()));
    const std::pair<const char *, const char *> titles[] = {
        {"menuFile", QT_TRANSLATE_NOOP("MainWindow", "File")},
        {"menuSaveAs", QT_TRANSLATE_NOOP("MainWindow", "SaveAs")},
        {"menuExport", QT_TRANSLATE_NOOP("MainWindow", "Export")},
        {"menuRecentFiles", QT_TRANSLATE_NOOP("MainWindow", "Recent files...")},
        {"menuView", QT_TRANSLATE_NOOP("MainWindow", "View")},
        {"menuOptions", QT_TRANSLATE_NOOP("MainWindow", "Options")},
        {"menuPanels", QT_TRANSLATE_NOOP("MainWindow", "Panels")},
        {"menuHelp", QT_TRANSLATE_NOOP("MainWindow", "Help")},
        {"menuCloneModel", QT_TRANSLATE_NOOP("MainWindow", "Clone model")},
        {"menuOperations", QT_TRANSLATE_NOOP("MainWindow", "Operations")},
        {"menuSlices", QT_TRANSLATE_NOOP("MainWindow", "Slices")},
    };
    for (const auto &[name, title] : titles)
        menu(name)->setTitle(trMain(title));
    // The standard views by the side of the patient they look from.
    const std::pair<const char *, const char *> anatomical[] = {
        {"actionSetPlaneXY",
         QT_TRANSLATE_NOOP("MainWindow",
                           "Set Plane XY: the superior view (from the head, the "
                           "front up, the patient's right on the right)")},
        {"actionSetPlaneXZ",
         QT_TRANSLATE_NOOP("MainWindow",
                           "Set Plane XZ: the posterior view (from behind, head "
                           "up, the patient's right on the right)")},
        {"actionSetPlaneYZ",
         QT_TRANSLATE_NOOP("MainWindow",
                           "Set Plane YZ: the right lateral view (from the "
                           "patient's right, head up, the front on the right)")},
        {"actionStartPosition",
         QT_TRANSLATE_NOOP("MainWindow",
                           "Start Position: the whole scene back to the start "
                           "view (from the head, the front up)")},
    };
    for (const auto &[name, tip] : anatomical)
        action(name)->setToolTip(trMain(tip));
    LightMenu->setTitle(QCoreApplication::translate("MainWindow", "Light"));
    ToolBar->setWindowTitle(QCoreApplication::translate("MainWindow", "toolBar"));
}

void Tessaron::syncViewActions()
{
    const ModelClass *active = View->ModelList.active();
    const bool points = active && active->Settings.ShowPoints;
    const EdgeEntry edges = active ? EdgeEntry(active->Settings.EdgesMode) : EdgeEntry::None;
    action("actionViewPoint")->setChecked(points);
    action("actionShowFullScreen")->setChecked(false);
    for (const auto &[name, mode] : kEdgeActions)
        action(name)->setChecked(edges == mode);
}

void Tessaron::resizeSlot()
{
    // The main window's layout gives the central area its place between the
    // bars and the docked panels; the view fills it exactly. The area itself
    // reports every change of its size (eventFilter), after the layout has
    // settled, which a panel's own signals come too early for.
    const QRect area = centralWidget()->rect();
    ViewWidget->setGeometry(area);
    View->setGeometry(area);
}

bool Tessaron::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        resizeSlot();
    return QMainWindow::eventFilter(watched, event);
}

void Tessaron::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    resizeSlot();
}

void Tessaron::closeEvent(QCloseEvent *event)
{
    // A close that arrives while files are opened (a box of a failed one is
    // up) stops the opening: no further file, no further box.
    Closing = true;
    Failures.silence();
    writeSettings();
    event->accept();
}

void Tessaron::about()
{
    const QString name = QCoreApplication::applicationName();
    const QString version = QCoreApplication::applicationVersion();
    const QString text = tr("The <b>%1</b> is 3d viewer.<br/>").arg(name)
        + tr("Current version %2<br/>").arg(version)
        + tr("Build #%1, build time %2<br/>").arg(kBuildNumber, kBuildTime)
        + tr("Commit #%1, commit time %2<br/>").arg(kCommitId, kCommitTime)
        + tr("Compiled in %3 %4.").arg(QStringLiteral(__DATE__), QStringLiteral(__TIME__));
    Dialogs::current().about(this, tr("About %1 v %2").arg(name, version), text);
}

void Tessaron::preferences()
{
    auto *dialog = new ConfigDialog(*this);
    Dialogs::current().exec(*dialog);
    delete dialog;
}

void Tessaron::applyViewSettings()
{
    View->applyConfig();
    // Every model takes the drawing options and rebuilds its drawing data,
    // in the colours just given.
    for (ModelClass *model : std::as_const(Models.Models)) {
        model->UseAllVertices = State.Config.drawAllPoints;
        model->SmoothNormals = State.Config.shade_type;
        model->ColoredIsolines = State.Config.func_isolines;
        model->NeedsRebuild = 1;
        model->prepareDraw();
    }
    // Shown colour lines are drawn again with the new width and brightness.
    if (State.ColorLines)
        panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
}

void Tessaron::restartProgram()
{
    close();
}

void Tessaron::model_info()
{
    QString title, text;
    Commands->modelInfo(title, text);
    Dialogs::current().about(this, title, text);
}

void Tessaron::changeShowFullScreen()
{
    if (action("actionShowFullScreen")->isChecked())
        showFullScreen();
    else
        showMaximized();
}

// ---- ViewHost -------------------------------------------------------------

void Tessaron::showStatus(const QString &text)
{
    statusBar()->showMessage(Dialogs::elided(text, 200));
}

QString Tessaron::statusText() const
{
    return statusBar()->currentMessage();
}

void Tessaron::clearStatus()
{
    statusBar()->clearMessage();
}

QDockWidget *Tessaron::makeObjectsPanel()
{
    auto *objects = new ObjectsControl(this, Models, *this,
                                       {action("actionClosestGap"), action("actionMeasurements")});
    connect(objects, &ObjectsControl::modelMade, View, &GLWidget::placeNewModel);
    return objects;
}

QDockWidget *Tessaron::makePanel(PanelKind kind)
{
    switch (kind) {
    case PanelKind::Objects:
        return makeObjectsPanel();
    case PanelKind::Opacity:
        return new OpacityControl(this, View, Commands.get());
    case PanelKind::Function:
        return new FunctionControl(this, View);
    case PanelKind::Gradient:
        return new GradientControl(this, View);
    case PanelKind::ColorSize:
        return new ColorSizeControl(this, View);
    case PanelKind::Iso:
        return new IsoControl(this, View);
    case PanelKind::Stereo3D:
        return new Stereo3DControl(this, View);
    case PanelKind::Intersect:
        return new IntersectControl(this, View, Commands.get());
    case PanelKind::Materials:
        return new MaterialsControl(this, View);
    case PanelKind::Point:
        return new PointControl(this, View, Commands.get());
    case PanelKind::Measurements:
        return new MeasurementsControl(this, View);
    case PanelKind::Slice:
        return new SliceControl(
            this, *this,
            [this] {
                View->update();
                showState();
            },
            Stones.get());
    default:
        return nullptr;
    }
}

void Tessaron::createPanel(PanelKind kind)
{
    removePanel(kind);
    QDockWidget *dock = makePanel(kind);
    if (!dock)
        return;
    Panels[size_t(kind)] = dock;
    connect(dock, &QDockWidget::dockLocationChanged, this, &Tessaron::resizeSlot);
    connect(dock, &QDockWidget::visibilityChanged, this, &Tessaron::resizeSlot);
    if (kind == PanelKind::Function)
        connect(dock, &QDockWidget::featuresChanged, this, &Tessaron::resizeSlot);
    addDockWidget(panelArea(kind), dock);
}

void Tessaron::removePanel(PanelKind kind)
{
    QDockWidget *dock = Panels[size_t(kind)];
    if (!dock)
        return;
    disconnect(dock, nullptr, this, nullptr);
    removeDockWidget(dock);
    Panels[size_t(kind)] = nullptr;
    delete dock;
}

void Tessaron::panelCommand(PanelKind kind, PanelCommand command)
{
    QDockWidget *dock = panel(kind);
    if (!dock)
        return;
    const bool refresh = command == PanelCommand::Refresh;
    switch (kind) {
    case PanelKind::Objects:
        if (command == PanelCommand::RemoveSelected)
            static_cast<ObjectsControl *>(dock)->contextMenuDeleteElement();
        break;
    case PanelKind::Opacity:
        if (command == PanelCommand::Apply)
            static_cast<OpacityControl *>(dock)->ChangeView();
        break;
    case PanelKind::Function:
        if (refresh)
            static_cast<FunctionControl *>(dock)->refresh();
        break;
    case PanelKind::ColorSize:
        if (command == PanelCommand::Apply)
            static_cast<ColorSizeControl *>(dock)->ChangeView();
        break;
    case PanelKind::Iso:
        if (command == PanelCommand::Apply)
            static_cast<IsoControl *>(dock)->ChangeView();
        else if (refresh)
            static_cast<IsoControl *>(dock)->initFields();
        break;
    case PanelKind::Gradient:
        if (refresh)
            dock->widget()->update(); // the legend is painted from the palette and the model
        break;
    case PanelKind::Materials:
        if (refresh)
            static_cast<MaterialsControl *>(dock)->initFields();
        else
            static_cast<MaterialsControl *>(dock)->ChangeView();
        break;
    case PanelKind::Intersect:
        if (refresh)
            static_cast<IntersectControl *>(dock)->initialize();
        else
            static_cast<IntersectControl *>(dock)->ChangeView();
        break;
    case PanelKind::Stereo3D:
        static_cast<Stereo3DControl *>(dock)->ChangeView();
        break;
    default:
        break;
    }
}

int Tessaron::dockedPanelWidth(bool left) const
{
    const Qt::DockWidgetArea wanted = left ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea;
    for (PanelKind kind :
         {PanelKind::Function, PanelKind::ColorSize, PanelKind::Iso, PanelKind::Objects}) {
        QDockWidget *dock = panel(kind);
        if (dock && !dock->isFloating() && dockWidgetArea(dock) == wanted)
            return dock->width();
    }
    return 0;
}

bool Tessaron::planeEditMode() const
{
    const auto *intersect = static_cast<IntersectControl *>(panel(PanelKind::Intersect));
    return intersect && intersect->planeEditMode();
}

void Tessaron::setPlaneFields(const double point[3], const double normal[3])
{
    if (auto *intersect = static_cast<IntersectControl *>(panel(PanelKind::Intersect))) {
        intersect->set_point({point[0], point[1], point[2]});
        intersect->set_normal({normal[0], normal[1], normal[2]});
    }
}

void Tessaron::setPointFields(double x, double y, double z)
{
    if (auto *point = static_cast<PointControl *>(panel(PanelKind::Point)))
        point->setPoint(x, y, z);
}

void Tessaron::selectModel(ModelClass *model)
{
    if (auto *objects = static_cast<ObjectsControl *>(panel(PanelKind::Objects))) {
        objects->updateFields(); // the current model's row turns bold
        objects->selectModel(model);
    }
}
