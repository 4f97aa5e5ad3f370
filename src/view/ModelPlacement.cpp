// Models coming into the view: their display lists, colours and place, and
// the objects tree and panels told of them.

#include "DisplayLists.h"
#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewCommands.h"
#include "ViewHost.h"
#include "geometry/PhaseTrace.h"

#include <QGuiApplication>

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
    applyColors(*model, State.Config);
    const bool functions = model->Settings.ColorMode == 5
        && (!model->FunctionNames.isEmpty() || !model->CellFunctionNames.isEmpty());
    if (functions)
        settleShownFunctions(*model);
    model->prepareDraw();
    ModelList.ActiveIndex = qint32(ModelList.count() - 1);
    Host->selectModel(model);
    // A model that comes in coloured by function shows its function and range.
    if (functions) {
        showFunctionPanels(*Host, State);
        Host->showState();
    }
    if (centre && State.Config.autocenter && !State.Config.tmatrix)
        moveCenter();
    Host->applyCompactLayout();
}

void GLWidget::placeNewModel(ModelClass *model)
{
    // A new model shows the edges and vertices the menus show.
    if (State.Menus) {
        model->setEdgesMode(qint32(State.Edges));
        model->setShowPoints(State.Points);
    }
    Host->showStatus(tr("Drawing..."));
    ensureContext();
    assignDisplayLists(*model);
    PhaseTrace trace("place");
    model->prepareData();
    trace.mark("prepare data");
    assignDisplayLists(*model);
    const ViewConfig &config = State.Config;
    if (config.visOnlyOneModel)
        forEveryModel(ModelList, [](ModelClass &m) { m.Visible = 0; });
    const ModelClass *current = userModel(ModelList, ModelList.ActiveIndex);
    const float radius = treeRadius(model);
    if ((ModelList.count() < 2 || config.scaleToScreen) && radius > 0)
        model->Transform->zoom(3.0f / radius);
    else if (current)
        model->Transform->zoom(current->Transform->Scale);
    if (config.tmatrix && current)
        model->Transform->copyMatrixFrom(*current->Transform);
    model->ClipPlane.fitToBox(model->BoxMin, model->BoxMax);
    addModel(model, true);
    trace.mark("drawing data and lists");
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    updateProjection();
    update();
}
