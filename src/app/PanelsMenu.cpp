// The Panels menu of the full interface: one entry for every panel kind,
// whether the panel exists or not. An entry of a shown panel hides it, of a
// hidden one shows it again; a panel that does not exist yet is opened by
// the command that makes it (a display mode, the measurements), so that it
// starts with what it belongs to.

#include "Tessaron.h"
#include "view/GLWidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMenu>

namespace {

struct PanelEntry
{
    PanelKind kind;
    const char *context; // the panel's class: its title's translation
    const char *title;
    const char *command; // the action that opens the panel; null: created directly
};

const PanelEntry kEntries[] = {
    {PanelKind::Objects, "ObjectsControl", "Objects", nullptr},
    {PanelKind::Measurements, "MeasurementsControl", "Measurements", "actionMeasurements"},
    {PanelKind::Slice, "SliceControl", "Slice", nullptr},
    {PanelKind::Intersect, "IntersectControl", "Intersection", "actionViewCubeIntersect"},
    {PanelKind::Opacity, "OpacityControl", "Opacity", "actionViewTransparent"},
    {PanelKind::Function, "FunctionControl", "Functions", "actionViewFacesFunction"},
    {PanelKind::ColorSize, "ColorSizeControl", "Color size control", "actionViewFacesFunction"},
    {PanelKind::Gradient, "GradientControl", "Gradient", "actionViewFacesFunction"},
    {PanelKind::Iso, "IsoControl", "Isosurfaces control", "actionViewIsoIntersect"},
    {PanelKind::Materials, "MaterialsControl", "Materials", "actionViewFacesMaterial"},
    {PanelKind::Point, "PointControl", "Point control", "actionEditPoint"},
    {PanelKind::Stereo3D, "Stereo3DControl", "Stereo 3D settings", "actionShowIn3D"},
};

} // namespace

void Tessaron::buildPanelsMenu()
{
    QMenu *panels = menu("menuPanels");
    for (const PanelEntry &entry : kEntries) {
        auto *act = new QAction(panels);
        act->setObjectName(QStringLiteral("panelEntry_%1").arg(int(entry.kind)));
        act->setCheckable(true);
        connect(act, &QAction::triggered, this,
                [this, kind = entry.kind](bool on) { panelEntryTriggered(kind, on); });
        panels->addAction(act);
    }
    connect(panels, &QMenu::aboutToShow, this, &Tessaron::updatePanelsMenu);
    updatePanelsMenu();
}

void Tessaron::updatePanelsMenu()
{
    const QList<QAction *> entries = menu("menuPanels")->actions();
    const bool models = View->ModelList.count() > 1;
    for (size_t i = 0; i < std::size(kEntries) && qsizetype(i) < entries.size(); ++i) {
        const PanelEntry &entry = kEntries[i];
        QAction *act = entries.at(qsizetype(i));
        act->setText(QCoreApplication::translate(entry.context, entry.title));
        const QDockWidget *dock = panel(entry.kind);
        act->setChecked(dock && dock->isVisible());
        // The panels of display modes need a model to show.
        act->setEnabled(dock || models || entry.kind == PanelKind::Objects
                        || entry.kind == PanelKind::Measurements || entry.kind == PanelKind::Slice);
    }
}

void Tessaron::panelEntryTriggered(PanelKind kind, bool on)
{
    const auto *entry = std::find_if(std::begin(kEntries), std::end(kEntries),
                                     [kind](const PanelEntry &e) { return e.kind == kind; });
    if (QDockWidget *dock = panel(kind)) {
        dock->setVisible(on);
        if (on)
            dock->raise();
    } else if (!entry->command) {
        createPanel(kind);
    } else if (QAction *command = action(entry->command)) {
        // A mode switch is turned on, never off, from here.
        if (!command->isCheckable() || !command->isChecked())
            command->trigger();
        if (!panel(kind))
            View->showNotice(tr("The panel \"%1\" has nothing to show for the current model.")
                                 .arg(QCoreApplication::translate(entry->context, entry->title)));
    }
    updatePanelsMenu();
}
