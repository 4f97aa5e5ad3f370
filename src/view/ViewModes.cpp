// Display modes of the view: faces, edges, points, isolines, box, inner
// edges, transparency, colours from the settings and the function palette.

#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewCommands.h"
#include "ViewHost.h"
#include "formats/FileKinds.h"

#include <QOpenGLContext>
#include <QSettings>

namespace {

bool hasFunctions(const ModelClass &model)
{
    return !model.FunctionNames.isEmpty() || !model.CellFunctionNames.isEmpty();
}

} // namespace

// ---- helpers ----

ViewCommands::ViewCommands(GLWidget &view)
    : View(view)
    , ModelList(view.ModelList)
    , State(view.State)
    , Host(view.host())
{ }

QString ViewCommands::saveStatus(const QString &text)
{
    const QString saved = Host->statusText();
    Host->showStatus(text);
    return saved;
}

void ViewCommands::forTargets(const std::function<void(ModelClass &)> &f)
{
    if (ModelList.ActiveIndex == 0)
        forEveryModel(ModelList, f);
    else if (ModelClass *current = View.currentModel())
        f(*current);
}

void relist(ModelClass &model)
{
    model.prepareDraw();
}

void rebuild(ModelClass &model)
{
    model.NeedsRebuild = 1;
    model.prepareDraw();
}

// ---- settings and colours ----

void GLWidget::applySettings(QSettings &settings)
{
    settings.sync();
    State.Config.read(settings);
    applyConfig();
    Host->applyCompactLayout();
}

void GLWidget::applyConfig()
{
    colorFromName(State.Config.background, State.ClearColor);
    for (ModelClass *model : std::as_const(ModelList.Models))
        applyColors(*model, State.Config);
    rebuildPalette();
    update();
}

void applyColors(ModelClass &model, const ViewConfig &config)
{
    float rgba[4];
    auto colour = [&rgba](const QString &name) {
        colorFromName(name, rgba);
        return Rgba {rgba[0], rgba[1], rgba[2], rgba[3]};
    };
    const bool surf = model.FileName.contains(kindEnding(FileKind::Surface)) || model.OwnColors;
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        if (!surf) {
            mesh->BackColor = colour(config.backFaces);
            mesh->FrontColor = colour(config.frontFaces);
        }
        mesh->MarkedEdgeColor = colour(config.boundaryEdges);
        mesh->PointColor = mesh->FrontColor;
        mesh->EdgeColor = mesh->FrontColor;
        mesh->SelectionColor = colour(config.selection);
        mesh->IsolineColor = colour(config.isolines);
    }
    model.AxisColor = colour(config.axis);
    model.PickColor = colour(config.selection);
    model.PlaneColor = colour(config.clipPlane);
}

void GLWidget::rebuildPalette()
{
    State.Palette.buildTexels(State.Config.isoline_V, State.Config.grayScaleTexture);
    if (!context() || !context()->isValid())
        return; // initializeGL uploads it
    makeCurrent();
    State.Palette.upload();
    doneCurrent();
}

// ---- faces ----

void settleShownFunctions(ModelClass &model)
{
    const bool vertex = !model.FunctionNames.isEmpty(), cells = !model.CellFunctionNames.isEmpty();
    if ((model.FunctionLocation == 1 && vertex) || (model.FunctionLocation == 2 && cells)
        || !(vertex || cells))
        return;
    model.FunctionLocation = vertex ? 1 : 2;
    model.CurrentFunction = 0;
    model.NeedsRebuild = 1;
}

void ViewCommands::showFacePanels(ModelClass &model)
{
    if (model.Settings.ColorMode != 4) {
        rebuild(model);
        Host->removePanel(PanelKind::Materials);
    } else if (Host->hasPanel(PanelKind::Materials)) {
        rebuild(model);
        Host->panelCommand(PanelKind::Materials, PanelCommand::Refresh);
    } else {
        Host->createPanel(PanelKind::Materials);
        if (!Host->hasPanel(PanelKind::Materials))
            rebuild(model); // no panel to apply the materials
    }
    if (model.Settings.ColorMode == 5 && hasFunctions(model)) {
        showFunctionPanels(*Host, State);
    } else {
        Host->removePanel(PanelKind::Gradient);
        Host->removePanel(PanelKind::ColorSize);
        State.ColorLinesEnabled = false;
        State.ColorLines = false;
    }
}

void showFunctionPanels(ViewHost &host, ViewState &state)
{
    if (host.hasPanel(PanelKind::Function))
        host.panelCommand(PanelKind::Function, PanelCommand::Refresh);
    else
        host.createPanel(PanelKind::Function);
    if (!host.hasPanel(PanelKind::ColorSize))
        host.createPanel(PanelKind::ColorSize);
    if (!state.Palette.White && !host.hasPanel(PanelKind::Gradient))
        host.createPanel(PanelKind::Gradient);
    host.panelCommand(PanelKind::Gradient, PanelCommand::Refresh);
    state.ColorLinesEnabled = true;
}

void ViewCommands::applyFaceMode(ModelClass *model, FaceEntry entry)
{
    if (!model)
        return;
    if (model->Settings.ShowIsolines && entry != FaceEntry::Function) {
        model->setShowIsolines(false);
        model->clearIsolines();
        State.ColorLines = false;
    }
    // The entries up to Function are colour modes of their own number.
    if (entry != FaceEntry::Isosurfaces && entry != FaceEntry::Cut) {
        const qint32 mode = qint32(entry);
        if (mode == model->Settings.ColorMode) {
            model->setColorMode(0);
            State.Faces = FaceEntry::None; // no face entry stays checked
        } else {
            model->setColorMode(mode);
        }
    }
    if (model->Settings.ColorMode == qint32(FaceEntry::Function))
        settleShownFunctions(*model);
    if (entry != FaceEntry::Isosurfaces) {
        model->updateMaterials();
        showFacePanels(*model);
    }
    if (entry == FaceEntry::Cut) {
        if (!Host->hasPanel(PanelKind::Intersect)) {
            Host->createPanel(PanelKind::Intersect);
            Host->panelCommand(PanelKind::Intersect, PanelCommand::Apply);
        }
        Host->panelCommand(PanelKind::Intersect, PanelCommand::Refresh);
    }
}

void ViewCommands::changeViewFaces(FaceEntry entry)
{
    const QString saved = saveStatus(tr("Building model..."));
    if (entry != FaceEntry::Cut)
        State.Faces = entry; // the entry chosen; switching a mode off clears it
    forTargets([&](ModelClass &m) { applyFaceMode(&m, entry); });
    // One isosurface request, which covers every model when the scene is current.
    if (entry == FaceEntry::Isosurfaces) {
        if (Host->hasPanel(PanelKind::Iso))
            Host->panelCommand(PanelKind::Iso, PanelCommand::Refresh);
        else
            Host->createPanel(PanelKind::Iso);
        Host->panelCommand(PanelKind::Iso, PanelCommand::Apply);
    }
    View.updateProjection();
    View.update();
    Host->showStatus(saved);
    Host->showState();
}

void ViewCommands::changeViewFacesNormal()
{
    changeViewFaces(FaceEntry::Normal);
}

void ViewCommands::changeViewFacesSurface()
{
    changeViewFaces(FaceEntry::Surface);
}

void ViewCommands::changeViewFacesHidden()
{
    changeViewFaces(FaceEntry::Hidden);
}

void ViewCommands::changeViewFacesMaterial()
{
    changeViewFaces(FaceEntry::Material);
}

void ViewCommands::changeViewFacesFunction()
{
    changeViewFaces(FaceEntry::Function);
}

void ViewCommands::changeViewIso()
{
    changeViewFaces(FaceEntry::Isosurfaces);
}

// ---- points and edges ----

void ViewCommands::changeViewPoint(bool on)
{
    State.Points = on;
    forTargets([&](ModelClass &m) {
        m.setShowPoints(on);
        relist(m);
    });
    View.update();
}

void ViewCommands::changeViewEdges(EdgeEntry entry)
{
    // The menus set State.Edges to the entry that is checked; without menus
    // the command toggles each model's mode.
    const bool chosen = State.Menus && State.Edges == entry;
    const qint32 mode = qint32(entry);
    forTargets([&](ModelClass &m) {
        const bool on = State.Menus ? chosen : m.Settings.EdgesMode != mode;
        m.setEdgesMode(on ? mode : 0);
        relist(m);
    });
    if (State.Menus) {
        State.Edges = chosen ? entry : EdgeEntry::None; // one edge entry at most stays checked
        Host->showState();
    }
    View.updateProjection();
    View.update();
}

void ViewCommands::changeViewEdgesContour()
{
    changeViewEdges(EdgeEntry::Contour);
}

void ViewCommands::changeViewEdgesSurface()
{
    changeViewEdges(EdgeEntry::Surface);
}

// The quick modes show one kind of primitive of the current model.
void ViewCommands::changeLightPoints()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(true);
        m.setEdgesMode(0);
        m.setColorMode(0);
        rebuild(m);
    });
    View.update();
}

void ViewCommands::changeLightEdges()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(false);
        m.setEdgesMode(1);
        m.setColorMode(0);
        rebuild(m);
    });
    View.update();
}

void ViewCommands::changeLightFaces()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(false);
        m.setEdgesMode(0);
        m.setColorMode(1);
        rebuild(m);
    });
    View.update();
}

// ---- isolines, box, inner edges ----

void ViewCommands::changeViewColorLines()
{
    bool on = false;
    forTargets([&](ModelClass &m) {
        on = !m.Settings.ShowIsolines;
        m.setShowIsolines(on);
        if (!on) {
            m.clearIsolines();
            relist(m);
        }
    });
    if (on && Host->hasPanel(PanelKind::ColorSize)) {
        Host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
    } else if (on) {
        // Without the palette panel the lines follow the palette as it is.
        forTargets([&](ModelClass &m) {
            const PaletteTexture &palette = State.Palette;
            if (m.Settings.ColorMode == 5)
                m.generateIsolines(palette.Size, palette.Period, float(palette.Alpha),
                                   float(palette.IsoValue));
            relist(m);
        });
    }
    View.update();
}

void ViewCommands::changeViewBBox()
{
    ModelClass *model = View.currentModel();
    if (!model)
        return;
    model->Settings.ShowBox = !model->Settings.ShowBox;
    View.update();
}

void ViewCommands::changeViewInnerEdges()
{
    ModelClass *model = View.currentModel();
    if (!model)
        return;
    model->Settings.ShowInnerEdges = !model->Settings.ShowInnerEdges;
    for (MeshClass *mesh : std::as_const(model->Meshes))
        mesh->Settings.ShowInnerEdges = model->Settings.ShowInnerEdges;
    model->prepareData();
    rebuild(*model);
    View.update();
}

// ---- transparency ----

void ViewCommands::changeViewTransparent(bool on)
{
    if (on) {
        Host->createPanel(PanelKind::Opacity);
    } else {
        Host->removePanel(PanelKind::Opacity);
        changeOpacity(255);
    }
}

void ViewCommands::changeOpacity(int value)
{
    State.Opacity = std::clamp(value, 0, 255);
    State.Palette.Alpha = State.Opacity;
    View.rebuildPalette();
    const bool transparent = State.Opacity != 255 && (State.Transparent || !State.Menus);
    const double alpha = transparent ? std::clamp(State.Opacity / 255.0, 0.0, 1.0) : 1.0;
    forTargets([&](ModelClass &m) { m.setTransparency(transparent, alpha); });
    View.update();
}
