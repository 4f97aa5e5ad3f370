// Model-level commands of the view: adding and placing models, the model
// operations of the menus, the cutting plane, pick-related commands, axes,
// stereo and the background colour.

#include "Dialogs.h"
#include "DisplayLists.h"
#include "GLWidget.h"
#include "ViewHost.h"
#include "model/ModelInfo.h"
#include "model/PlaneCut.h"
#include "model/Topology.h"

#include <QAction>
#include <QGuiApplication>

#include <memory>

namespace {

bool hasSelection(const ModelClass &model)
{
    for (const MeshClass *mesh : model.Meshes)
        if (mesh->CellSelected)
            for (int t = 0; t < kTypeSlots; ++t)
                if (const quint8 *flags = mesh->CellSelected[t])
                    for (qint32 c = 0; c < mesh->CountOfCells[t]; ++c)
                        if (flags[c])
                            return true;
    return false;
}

} // namespace

// ---- adding models ----

void GLWidget::assignDisplayLists(ModelClass &model)
{
    if (UseDisplayLists && model.DisplayListBase == 0)
        model.DisplayListBase =
            reserveDisplayLists(5 * qint32(std::max<qsizetype>(1, model.Meshes.size())));
    const quint32 base = UseDisplayLists ? model.DisplayListBase : 0;
    for (qsizetype b = 0; b < model.Meshes.size(); ++b)
        model.Meshes.at(b)->DisplayLists = base ? base + 5 * quint32(b) : 0;
}

void GLWidget::addModel(ModelClass *model, bool centre)
{
    ensureContext();
    assignDisplayLists(*model);
    ModelList.append(model);
    applyColors(*model);
    const bool functions = model->Settings.ColorMode == 5
        && (!model->FunctionNames.isEmpty() || !model->CellFunctionNames.isEmpty());
    if (functions)
        settleFunctionLocation(*model);
    model->prepareDraw();
    ModelList.ActiveIndex = qint32(ModelList.count() - 1);
    Host->selectModel(model);
    // A model that comes in coloured by function shows its function and range.
    if (functions)
        showFunctionPanels();
    if (centre && Config.autocenter && !Config.tmatrix)
        moveCenter();
    Host->applyCompactLayout();
}

void GLWidget::placeNewModel(ModelClass *model)
{
    QAction *contour = Host->action("actionViewContourEdges");
    QAction *surface = Host->action("actionViewSurfaceEdges");
    if (contour || surface)
        model->setEdgesMode(contour && contour->isChecked()       ? 1
                                : surface && surface->isChecked() ? 2
                                                                  : 0);
    if (QAction *points = Host->action("actionViewPoint"))
        model->setShowPoints(points->isChecked());
    Host->showStatus(tr("Drawing..."));
    ensureContext();
    assignDisplayLists(*model);
    model->prepareData();
    assignDisplayLists(*model);
    if (Config.visOnlyOneModel)
        forEveryModel([](ModelClass &m) { m.Visible = 0; });
    const ModelClass *current = userModel(ModelList.ActiveIndex);
    const float radius = treeRadius(model);
    if ((ModelList.count() < 2 || Config.scaleToScreen) && radius > 0)
        model->Transform->zoom(3.0f / radius);
    else if (current)
        model->Transform->zoom(current->Transform->Scale);
    if (Config.tmatrix && current)
        model->Transform->copyMatrixFrom(*current->Transform);
    model->ClipPlane.fitToBox(model->BoxMin, model->BoxMax);
    addModel(model, true);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    updateProjection();
    update();
}

// ---- model operations ----

namespace {

// A point or cell pick names vertex and triangle numbers that an in-place
// rewrite of the blocks may have changed.
void forgetPick(ModelClass &model)
{
    model.PickKind = model.PickBlock = model.PickIndex = model.PickMode = -1;
    model.RulerKind = model.RulerBlock = model.RulerIndex = model.RulerMode = -1;
}

// Derived models are made without display lists (base 0): the view reserves
// them when it adds the model. Each is prepared and its cutting plane fitted
// to its box; models of another form than their source (surface, merged
// hexahedra, converted functions) are centred as loads are.
void addDerived(GLWidget &view, ModelClass *model, bool conversion)
{
    if (!model)
        return;
    model->prepareData();
    model->ClipPlane.fitToBox(model->BoxMin, model->BoxMax);
    view.addModel(model, conversion);
    view.update();
}

} // namespace

void GLWidget::getCloneFullModel()
{
    if (const ModelClass *model = userModel(ModelList.ActiveIndex))
        addDerived(*this, cloneFull(*model, 0), false);
}

void GLWidget::getModelFromSelection()
{
    const ModelClass *model = userModel(ModelList.ActiveIndex);
    if (!model)
        return;
    if (!hasSelection(*model)) {
        Dialogs::current().warning(this, tr("Warning"), tr("There is no selected elements."));
        return;
    }
    addDerived(*this, cloneFlagged(*model, 0, false), false);
}

void GLWidget::getModelFromVisible()
{
    if (const ModelClass *model = userModel(ModelList.ActiveIndex))
        addDerived(*this, cloneFlagged(*model, 0, true), false);
}

// The conversion rewrites the current model's blocks in place: its cells get
// vertices of their own, so the pick and the drawing data are made anew.
void GLWidget::convert6CellFuncsTo2VertFuncs()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (!model || convertCellFuncsToVertFuncs(*model) != 0)
        return;
    forgetPick(*model);
    model->prepareData();
    model->ClipPlane.fitToBox(model->BoxMin, model->BoxMax);
    rebuild(*model);
    if (model->Settings.ColorMode == 5)
        showFunctionPanels(); // the new vertex functions join the lists
    update();
}

void GLWidget::actionCreateSurfaceOfModel()
{
    if (const ModelClass *model = userModel(ModelList.ActiveIndex))
        addDerived(*this, createSurface(*model, 0), true);
}

void GLWidget::actionTopologyMergeVertices()
{
    if (const ModelClass *model = userModel(ModelList.ActiveIndex))
        addDerived(*this, makeTopologyMergeVertices(*model, 0), true);
}

void GLWidget::getSplice()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    double eps = 0;
    if (!model
        || !Dialogs::current().getDouble(this, tr("Splice vertices"), tr("Input Eps:"), 0.001, 0,
                                         1e9, 10, eps))
        return;
    if (splice(*model, eps) != 0)
        return;
    forgetPick(*model);
    update();
}

void GLWidget::fmzcm()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (!model)
        return;
    model->fillMaterialZeros();
    model->updateMaterials();
    rebuild(*model);
    update();
}

void GLWidget::findBorderEdges()
{
    if (ModelClass *model = userModel(ModelList.ActiveIndex))
        model->findBorderEdges();
    update();
}

void GLWidget::findBorderMaterialEdges()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    // The material of the picked cell names the region.
    if (!model || model->pickedMaterial() < 0)
        return;
    model->findBorderMaterialEdges(model->pickedMaterial());
    update();
}

void GLWidget::removeMesh()
{
    Host->panelCommand(PanelKind::Objects, PanelCommand::RemoveSelected);
    update();
}

// ---- the cutting plane ----

bool GLWidget::planeEditMode() const
{
    return Host->planeEditMode();
}

void GLWidget::applyIntersection(const double point[3], const double normal[3], bool include,
                                 bool invert)
{
    const QString saved = saveStatus(tr("Building model..."));
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (model) {
        std::copy_n(point, 3, model->ClipPlane.Point);
        std::copy_n(normal, 3, model->ClipPlane.Normal);
        clipMeshes(*model, point, normal, include, invert);
        Host->applyCompactLayout();
    }
    Host->showStatus(saved);
    if (actionChecked("actionViewColorLines", false))
        Host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
    else
        update();
}

void GLWidget::changeViewCubeIntersect()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (model && model->Settings.ClipState == 2) {
        removeClip(*model);
        Host->panelCommand(PanelKind::Materials, PanelCommand::Refresh);
        if (actionChecked("actionViewColorLines", false))
            Host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
        update();
    } else if (Host->hasPanel(PanelKind::Intersect)) {
        Host->panelCommand(PanelKind::Intersect, PanelCommand::Apply);
    } else {
        changeViewFaces(7);
    }
}

// ---- picks, selection, ruler, point edit ----

void GLWidget::massSelectClick(bool on)
{
    MassSelect = on;
}

void GLWidget::massSelectCheckClick(bool on)
{
    if (ModelClass *model = userModel(ModelList.ActiveIndex))
        model->setSelectEnabled(on);
}

void GLWidget::massSelectClearClick()
{
    setActionEnabled("actionMassSelectClean", false);
    if (ModelClass *model = userModel(ModelList.ActiveIndex)) {
        for (MeshClass *mesh : std::as_const(model->Meshes))
            mesh->clearSelection();
        setActionEnabled("actionEditSelectMaterial", false);
        relist(*model);
    }
    update();
}

void GLWidget::massSelectEditMaterialClick()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    int material = 0;
    if (!model || !hasSelection(*model)
        || !Dialogs::current().getInt(this, tr("Change Materil Number"),
                                      tr("Input new material number:"), 1, 0, kMaxMaterialNumber, 1,
                                      material))
        return;
    changeMaterial(*model, 3, 0, material);
    if (!model->Materials.contains(material))
        model->Materials.append(material);
    Host->panelCommand(PanelKind::Materials, PanelCommand::Refresh);
    update();
}

void GLWidget::rulerClick()
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (!model || actionChecked("actionRuler", true))
        return;
    model->resetPick();
    update();
}

void GLWidget::pointEditClick()
{
    const ModelClass *model = userModel(ModelList.ActiveIndex);
    const MeshClass *mesh = model ? model->Meshes.value(model->PickBlock) : nullptr;
    if (!mesh || model->PickKind <= 0 || model->PickMode != 1 || model->PickIndex < 0
        || model->PickIndex >= mesh->CountOfVertices) {
        Host->removePanel(PanelKind::Point);
        return;
    }
    if (!Host->hasPanel(PanelKind::Point))
        Host->createPanel(PanelKind::Point);
    const _DREAL *v = mesh->Vertices + 3 * qint64(model->PickIndex);
    Host->setPointFields(v[0], v[1], v[2]);
}

void GLWidget::changePointAttr(_DREAL x, _DREAL y, _DREAL z)
{
    ModelClass *model = userModel(ModelList.ActiveIndex);
    MeshClass *mesh = model ? model->Meshes.value(model->PickBlock) : nullptr;
    if (!mesh || model->PickIndex < 0 || model->PickIndex >= mesh->CountOfVertices)
        return;
    _DREAL *v = mesh->Vertices + 3 * qint64(model->PickIndex);
    v[0] = x;
    v[1] = y;
    v[2] = z;
    model->prepareData();
    rebuild(*model);
    update();
}

// ---- axes, stereo, background ----

void GLWidget::changeShowAxes()
{
    ModelClass *model = ModelList.count() < 3 ? currentModel() : ModelList.at(1);
    if (!model)
        return;
    model->Settings.ShowAxes = !model->Settings.ShowAxes;
    update();
}

void GLWidget::changeShowIn3D()
{
    ModelClass *model = currentModel();
    if (!model)
        return;
    model->Settings.Stereo = !model->Settings.Stereo;
    if (model->Settings.Stereo) {
        Host->createPanel(PanelKind::Stereo3D);
    } else {
        model->Orthographic = 1;
        Host->removePanel(PanelKind::Stereo3D);
    }
    updateProjection();
    update();
}

void GLWidget::changeBackgroundColor()
{
    const QColor colour = Dialogs::current().getColor(QColor(Config.background), this);
    if (!colour.isValid())
        return;
    Config.background = colour.name();
    colorFromName(Config.background, ClearColor);
    update();
}

void GLWidget::modelInfo(QString &title, QString &text)
{
    ::modelInfo(ModelList, title, text);
}
