// Display modes of the view: faces, edges, points, isolines, box, inner
// edges, transparency, colours from the settings and the function palette.

#include "GLWidget.h"
#include "ViewHost.h"

#include <QAction>
#include <QOpenGLContext>
#include <QSettings>

#include <GL/gl.h>

namespace {

const char *const kFaceActions[] = {"actionViewFacesNormal",   "actionViewFacesSurface",
                                    "actionViewFacesHidden",   "actionViewFacesMaterial",
                                    "actionViewFacesFunction", "actionViewIsoIntersect"};

bool hasFunctions(const ModelClass &model)
{
    return !model.FunctionNames.isEmpty() || !model.CellFunctionNames.isEmpty();
}

} // namespace

// ---- helpers ----

void GLWidget::setActionChecked(const char *name, bool on)
{
    if (QAction *action = Host->action(name))
        action->setChecked(on);
}

bool GLWidget::actionChecked(const char *name, bool absent) const
{
    const QAction *action = Host->action(name);
    return action ? action->isChecked() : absent;
}

void GLWidget::setActionEnabled(const char *name, bool on)
{
    if (QAction *action = Host->action(name))
        action->setEnabled(on);
}

QString GLWidget::saveStatus(const QString &text)
{
    const QString saved = Host->statusText();
    Host->showStatus(text);
    return saved;
}

void GLWidget::forTargets(const std::function<void(ModelClass &)> &f)
{
    if (ModelList.ActiveIndex == 0)
        forEveryModel(f);
    else if (ModelClass *current = currentModel())
        f(*current);
}

void GLWidget::relist(ModelClass &model)
{
    model.prepareDraw();
}

void GLWidget::rebuild(ModelClass &model)
{
    model.NeedsRebuild = 1;
    model.prepareDraw();
}

// ---- settings and colours ----

void GLWidget::applySettings(QSettings &settings)
{
    settings.sync();
    Config.read(settings);
    colorFromName(Config.background, ClearColor);
    applyColors();
    rebuildPalette();
    Host->applyCompactLayout();
    update();
}

void GLWidget::applyColors()
{
    for (ModelClass *model : std::as_const(ModelList.Models))
        applyColors(*model);
}

void GLWidget::applyColors(ModelClass &model)
{
    float rgba[4];
    auto colour = [&rgba](const QString &name) {
        colorFromName(name, rgba);
        return Rgba {rgba[0], rgba[1], rgba[2], rgba[3]};
    };
    const bool surf = model.FileName.contains(QLatin1String(".surf"));
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        if (!surf) {
            mesh->BackColor = colour(Config.backFaces);
            mesh->FrontColor = colour(Config.frontFaces);
        }
        mesh->MarkedEdgeColor = colour(Config.boundaryEdges);
        mesh->PointColor = mesh->FrontColor;
        mesh->EdgeColor = mesh->FrontColor;
        mesh->SelectionColor = colour(Config.selection);
        mesh->IsolineColor = colour(Config.isolines);
    }
    model.AxisColor = colour(Config.axis);
    model.PickColor = colour(Config.selection);
    model.PlaneColor = colour(Config.clipPlane);
}

void GLWidget::rebuildPalette()
{
    Palette.buildTexels(Config.isoline_V, Config.grayScaleTexture);
    if (!context() || !context()->isValid())
        return; // initializeGL uploads it
    makeCurrent();
    Palette.upload();
    doneCurrent();
}

// ---- faces ----

void GLWidget::settleFunctionLocation(ModelClass &model)
{
    const bool vertex = !model.FunctionNames.isEmpty(), cells = !model.CellFunctionNames.isEmpty();
    if ((model.FunctionLocation == 1 && vertex) || (model.FunctionLocation == 2 && cells)
        || !(vertex || cells))
        return;
    model.FunctionLocation = vertex ? 1 : 2;
    model.CurrentFunction = 0;
    model.NeedsRebuild = 1;
}

void GLWidget::showFacePanels(ModelClass &model)
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
        showFunctionPanels();
    } else {
        Host->removePanel(PanelKind::Gradient);
        Host->removePanel(PanelKind::ColorSize);
        setActionEnabled("actionViewColorLines", false);
        setActionChecked("actionViewColorLines", false);
    }
}

void GLWidget::showFunctionPanels()
{
    if (Host->hasPanel(PanelKind::Function))
        Host->panelCommand(PanelKind::Function, PanelCommand::Refresh);
    else
        Host->createPanel(PanelKind::Function);
    if (!Host->hasPanel(PanelKind::ColorSize))
        Host->createPanel(PanelKind::ColorSize);
    if (!Palette.White && !Host->hasPanel(PanelKind::Gradient))
        Host->createPanel(PanelKind::Gradient);
    Host->panelCommand(PanelKind::Gradient, PanelCommand::Refresh);
    setActionEnabled("actionViewColorLines", true);
}

void GLWidget::applyFaceMode(ModelClass *model, int mode)
{
    if (!model)
        return;
    if (model->Settings.ShowIsolines && mode != 5) {
        model->setShowIsolines(false);
        model->clearIsolines();
        setActionChecked("actionViewColorLines", false);
    }
    if (mode != 6 && mode != 7) {
        if (mode == model->Settings.ColorMode) {
            model->setColorMode(0);
            for (const char *name : kFaceActions)
                setActionChecked(name, false);
        } else {
            model->setColorMode(mode);
        }
    }
    if (model->Settings.ColorMode == 5)
        settleFunctionLocation(*model);
    if (mode != 6) {
        model->updateMaterials();
        showFacePanels(*model);
    }
    if (mode == 7) {
        if (!Host->hasPanel(PanelKind::Intersect)) {
            Host->createPanel(PanelKind::Intersect);
            Host->panelCommand(PanelKind::Intersect, PanelCommand::Apply);
        }
        Host->panelCommand(PanelKind::Intersect, PanelCommand::Refresh);
    }
}

void GLWidget::changeViewFaces(int mode)
{
    const QString saved = saveStatus(tr("Building model..."));
    forTargets([&](ModelClass &m) { applyFaceMode(&m, mode); });
    // One isosurface request, which covers every model when the scene is current.
    if (mode == 6) {
        if (Host->hasPanel(PanelKind::Iso))
            Host->panelCommand(PanelKind::Iso, PanelCommand::Refresh);
        else
            Host->createPanel(PanelKind::Iso);
        Host->panelCommand(PanelKind::Iso, PanelCommand::Apply);
    }
    updateProjection();
    update();
    Host->showStatus(saved);
}

void GLWidget::changeViewFacesNormal()
{
    changeViewFaces(1);
}

void GLWidget::changeViewFacesSurface()
{
    changeViewFaces(2);
}

void GLWidget::changeViewFacesHidden()
{
    changeViewFaces(3);
}

void GLWidget::changeViewFacesMaterial()
{
    changeViewFaces(4);
}

void GLWidget::changeViewFacesFunction()
{
    changeViewFaces(5);
}

void GLWidget::changeViewIso()
{
    changeViewFaces(6);
}

// ---- points and edges ----

void GLWidget::changeViewPoint(bool on)
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(on);
        relist(m);
    });
    update();
}

void GLWidget::changeViewEdges(int mode)
{
    const char *own = mode == 1 ? "actionViewContourEdges" : "actionViewSurfaceEdges";
    const char *other = mode == 1 ? "actionViewSurfaceEdges" : "actionViewContourEdges";
    forTargets([&](ModelClass &m) {
        // Without a menu the command toggles the mode.
        const bool on = actionChecked(own, m.Settings.EdgesMode != mode);
        m.setEdgesMode(on ? mode : 0);
        relist(m);
    });
    if (actionChecked(own, false)) {
        setActionChecked(other, false);
    } else {
        setActionChecked(own, false);
        setActionChecked(other, false);
    }
    updateProjection();
    update();
}

void GLWidget::changeViewEdgesContour()
{
    changeViewEdges(1);
}

void GLWidget::changeViewEdgesSurface()
{
    changeViewEdges(2);
}

// The quick modes show one kind of primitive of the current model.
void GLWidget::changeLightPoints()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(true);
        m.setEdgesMode(0);
        m.setColorMode(0);
        rebuild(m);
    });
    update();
}

void GLWidget::changeLightEdges()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(false);
        m.setEdgesMode(1);
        m.setColorMode(0);
        rebuild(m);
    });
    update();
}

void GLWidget::changeLightFaces()
{
    forTargets([&](ModelClass &m) {
        m.setShowPoints(false);
        m.setEdgesMode(0);
        m.setColorMode(1);
        rebuild(m);
    });
    update();
}

// ---- isolines, box, inner edges ----

void GLWidget::changeViewColorLines()
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
            if (m.Settings.ColorMode == 5)
                m.generateIsolines(Palette.Size, Palette.Period, float(Palette.Alpha),
                                   float(Palette.IsoValue));
            relist(m);
        });
    }
    update();
}

void GLWidget::changeViewBBox()
{
    ModelClass *model = currentModel();
    if (!model)
        return;
    model->Settings.ShowBox = !model->Settings.ShowBox;
    for (MeshClass *mesh : std::as_const(model->Meshes))
        mesh->Settings.ShowBox = model->Settings.ShowBox;
    update();
}

void GLWidget::changeViewInnerEdges()
{
    ModelClass *model = currentModel();
    if (!model)
        return;
    model->Settings.ShowInnerEdges = !model->Settings.ShowInnerEdges;
    for (MeshClass *mesh : std::as_const(model->Meshes))
        mesh->Settings.ShowInnerEdges = model->Settings.ShowInnerEdges;
    model->prepareData();
    rebuild(*model);
    update();
}

// ---- transparency ----

void GLWidget::changeViewTransparent(bool on)
{
    if (on) {
        Host->createPanel(PanelKind::Opacity);
    } else {
        Host->removePanel(PanelKind::Opacity);
        changeOpacity(255);
    }
}

void GLWidget::changeOpacity(int value)
{
    Opacity = std::clamp(value, 0, 255);
    Palette.Alpha = Opacity;
    rebuildPalette();
    const bool transparent = Opacity != 255 && actionChecked("actionViewTransparent", true);
    const double alpha = transparent ? std::clamp(Opacity / 255.0, 0.0, 1.0) : 1.0;
    forTargets([&](ModelClass &m) { m.setTransparency(transparent, alpha); });
    update();
}
