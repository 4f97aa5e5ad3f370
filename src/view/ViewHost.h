#pragma once

#include "ViewState.h"
#include "model/ModelListClass.h"

#include <QString>

class QMenu;

// The dock panel kinds the main window creates and removes for the view.
enum class PanelKind {
    Objects,
    Gradient,
    Opacity,
    Stereo3D,
    Function,
    ColorSize,
    Iso,
    Intersect,
    Materials,
    Point,
    Measurements,
    Slice,
};

// What the view asks of an existing panel.
enum class PanelCommand {
    Apply,          // run the panel's apply (its ChangeView)
    Refresh,        // re-read the current model (its initFields)
    RemoveSelected, // objects panel: delete the selected models
};

// The view's window onto the main window: the document it shows (the model
// list and the view's state, which the window owns and its menus and panels
// edit), status texts, the dock panels, the current folder, the load path and
// the objects tree. The application implements it; tests and the
// command-line tool use HeadlessHost, which has no window.
class ViewHost
{
public:
    virtual ~ViewHost() = default;

    virtual ModelListClass &models() = 0;
    virtual ViewState &viewState() = 0;
    // The view or its commands changed a toggle of the state: the menus show it.
    virtual void showState() = 0;

    // Status bar texts are shown without time-out and restored afterwards.
    virtual void showStatus(const QString &text) = 0;
    virtual QString statusText() const = 0;
    virtual void clearStatus() = 0;

    // The Light menu the view fills with its light sources, or null.
    virtual QMenu *lightMenu() const = 0;

    virtual bool hasPanel(PanelKind kind) const = 0;
    virtual void createPanel(PanelKind kind) = 0;
    virtual void removePanel(PanelKind kind) = 0;
    virtual void panelCommand(PanelKind kind, PanelCommand command) = 0;
    // Width of the first docked, non-floating panel on the left or right.
    virtual int dockedPanelWidth(bool left) const = 0;

    // The intersection panel: plane-edit mode is on while its "Draw clipping
    // rectangle" box exists and is ticked; the view writes the plane there.
    virtual bool planeEditMode() const = 0;
    virtual void setPlaneFields(const double point[3], const double normal[3]) = 0;
    // The point panel shows a picked vertex for editing.
    virtual void setPointFields(double x, double y, double z) = 0;

    virtual QString currentFolder() const = 0;
    // A file or folder dropped on the view goes through the window's load path.
    virtual void openDroppedPath(const QString &path) = 0;

    // Marks the model as the one selected in the objects tree.
    virtual void selectModel(ModelClass *model) = 0;
    virtual void applyCompactLayout() = 0;
};

// A host without a window: it keeps the models, the state and the status;
// everything else is absent.
class HeadlessHost : public ViewHost
{
public:
    ModelListClass &models() override { return list; }
    ViewState &viewState() override { return state; }
    void showState() override { }
    void showStatus(const QString &text) override { status = text; }
    QString statusText() const override { return status; }
    void clearStatus() override { status.clear(); }
    QMenu *lightMenu() const override { return nullptr; }
    bool hasPanel(PanelKind) const override { return false; }
    void createPanel(PanelKind) override { }
    void removePanel(PanelKind) override { }
    void panelCommand(PanelKind, PanelCommand) override { }
    int dockedPanelWidth(bool) const override { return 0; }
    bool planeEditMode() const override { return false; }
    void setPlaneFields(const double *, const double *) override { }
    void setPointFields(double, double, double) override { }
    QString currentFolder() const override { return QString(); }
    void openDroppedPath(const QString &) override { }
    void selectModel(ModelClass *) override { }
    void applyCompactLayout() override { }

    QString status;
    ModelListClass list;
    ViewState state;
};
