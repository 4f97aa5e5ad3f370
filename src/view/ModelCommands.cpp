// The model operations of the menus, the cutting plane, pick-related
// commands, axes, stereo and the background colour.

#include "Dialogs.h"
#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewCommands.h"
#include "ViewHost.h"
#include "model/PlaneCut.h"
#include "model/Topology.h"

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

// ---- model operations ----

namespace {

// A point or cell pick names vertex and triangle numbers that an in-place
// rewrite of the blocks may have changed.
void forgetPick(ModelClass &model)
{
    model.resetPick();
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

void ViewCommands::getCloneFullModel()
{
    if (const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        addDerived(View, cloneFull(*model, 0), false);
}

void ViewCommands::getModelFromSelection()
{
    const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (!model)
        return;
    if (!hasSelection(*model)) {
        Dialogs::current().warning(&View, tr("Warning"), tr("There is no selected elements."));
        return;
    }
    addDerived(View, cloneFlagged(*model, 0, false), false);
}

void ViewCommands::getModelFromVisible()
{
    if (const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        addDerived(View, cloneFlagged(*model, 0, true), false);
}

// The conversion rewrites the current model's blocks in place: its cells get
// vertices of their own, so the pick and the drawing data are made anew.
void ViewCommands::convert6CellFuncsTo2VertFuncs()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (!model || convertCellFuncsToVertFuncs(*model) != 0)
        return;
    forgetPick(*model);
    model->prepareData();
    model->ClipPlane.fitToBox(model->BoxMin, model->BoxMax);
    rebuild(*model);
    if (model->Settings.ColorMode == 5)
        showFunctionPanels(*Host, State); // the new vertex functions join the lists
    View.update();
}

void ViewCommands::actionCreateSurfaceOfModel()
{
    if (const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        addDerived(View, createSurface(*model, 0), true);
}

void ViewCommands::actionTopologyMergeVertices()
{
    if (const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        addDerived(View, makeTopologyMergeVertices(*model, 0), true);
}

void ViewCommands::getSplice()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    double eps = 0;
    if (!model
        || !Dialogs::current().getDouble(&View, tr("Splice vertices"), tr("Input Eps:"), 0.001, 0,
                                         1e9, 10, eps))
        return;
    if (splice(*model, eps) != 0)
        return;
    forgetPick(*model);
    View.update();
}

void ViewCommands::fmzcm()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (!model)
        return;
    model->fillMaterialZeros();
    model->updateMaterials();
    rebuild(*model);
    View.update();
}

void ViewCommands::findBorderEdges()
{
    if (ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        model->findBorderEdges();
    View.update();
}

void ViewCommands::findBorderMaterialEdges()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    // The material of the picked cell names the region.
    if (!model || model->pickedMaterial() < 0)
        return;
    model->findBorderMaterialEdges(model->pickedMaterial());
    View.update();
}

void ViewCommands::removeMesh()
{
    Host->panelCommand(PanelKind::Objects, PanelCommand::RemoveSelected);
    View.update();
}

// ---- the cutting plane ----

void ViewCommands::applyIntersection(const double point[3], const double normal[3], bool include,
                                     bool invert)
{
    const QString saved = saveStatus(tr("Building model..."));
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (model) {
        std::copy_n(point, 3, model->ClipPlane.Point);
        std::copy_n(normal, 3, model->ClipPlane.Normal);
        clipMeshes(*model, point, normal, include, invert);
        Host->applyCompactLayout();
    }
    Host->showStatus(saved);
    if (State.ColorLines)
        Host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
    else
        View.update();
}

void ViewCommands::changeViewCubeIntersect()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (model && model->Settings.ClipState == PlaneClip::InPlace) {
        removeClip(*model);
        Host->panelCommand(PanelKind::Materials, PanelCommand::Refresh);
        if (State.ColorLines)
            Host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
        View.update();
    } else if (Host->hasPanel(PanelKind::Intersect)) {
        Host->panelCommand(PanelKind::Intersect, PanelCommand::Apply);
    } else {
        changeViewFaces(FaceEntry::Cut);
    }
}

// ---- picks, selection, ruler, point edit ----

void ViewCommands::massSelectClick(bool on)
{
    State.MassSelect = on;
}

void ViewCommands::massSelectCheckClick(bool on)
{
    if (ModelClass *model = userModel(ModelList, ModelList.ActiveIndex))
        model->setSelectEnabled(on);
}

void ViewCommands::massSelectClearClick()
{
    State.CanClearSelection = false;
    if (ModelClass *model = userModel(ModelList, ModelList.ActiveIndex)) {
        for (MeshClass *mesh : std::as_const(model->Meshes))
            mesh->clearSelection();
        State.CanEditSelection = false;
        relist(*model);
    }
    Host->showState();
    View.update();
}

void ViewCommands::massSelectEditMaterialClick()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    int material = 0;
    if (!model || !hasSelection(*model)
        || !Dialogs::current().getInt(&View, tr("Change Materil Number"),
                                      tr("Input new material number:"), 1, 0, kMaxMaterialNumber, 1,
                                      material))
        return;
    changeMaterial(*model, MaterialChange::Selected, 0, material);
    if (!model->Materials.contains(material))
        model->Materials.append(material);
    Host->panelCommand(PanelKind::Materials, PanelCommand::Refresh);
    View.update();
}

void ViewCommands::rulerClick()
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    // The menu's toggle has set State.Ruler; switched off, the ruler's pick goes.
    if (!model || !State.Menus || State.Ruler)
        return;
    model->resetPick();
    View.update();
}

void ViewCommands::pointEditClick()
{
    const ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    const MeshClass *mesh = model ? model->Meshes.value(model->PickBlock) : nullptr;
    if (!mesh || model->PickKind <= 0 || model->PickMode != PickTarget::Point
        || model->PickIndex < 0 || model->PickIndex >= mesh->CountOfVertices) {
        Host->removePanel(PanelKind::Point);
        return;
    }
    if (!Host->hasPanel(PanelKind::Point))
        Host->createPanel(PanelKind::Point);
    const _DREAL *v = mesh->Vertices + 3 * qint64(model->PickIndex);
    Host->setPointFields(v[0], v[1], v[2]);
}

void ViewCommands::changePointAttr(_DREAL x, _DREAL y, _DREAL z)
{
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    MeshClass *mesh = model ? model->Meshes.value(model->PickBlock) : nullptr;
    if (!mesh || model->PickIndex < 0 || model->PickIndex >= mesh->CountOfVertices)
        return;
    _DREAL *v = mesh->Vertices + 3 * qint64(model->PickIndex);
    v[0] = x;
    v[1] = y;
    v[2] = z;
    model->prepareData();
    rebuild(*model);
    View.update();
}

// ---- axes, stereo, background ----

void ViewCommands::changeShowAxes()
{
    ModelClass *model = ModelList.count() < 3 ? View.currentModel() : ModelList.at(1);
    if (!model)
        return;
    model->Settings.ShowAxes = !model->Settings.ShowAxes;
    View.update();
}

void ViewCommands::changeShowIn3D()
{
    ModelClass *model = View.currentModel();
    if (!model)
        return;
    model->Settings.Stereo = !model->Settings.Stereo;
    if (model->Settings.Stereo) {
        Host->createPanel(PanelKind::Stereo3D);
    } else {
        model->Orthographic = 1;
        Host->removePanel(PanelKind::Stereo3D);
    }
    View.updateProjection();
    View.update();
}

void ViewCommands::changeBackgroundColor()
{
    const QColor colour = Dialogs::current().getColor(QColor(State.Config.background), &View);
    if (!colour.isValid())
        return;
    State.Config.background = colour.name();
    colorFromName(State.Config.background, State.ClearColor);
    View.update();
}
