// The window's measuring commands: the Measurements panel and the closest
// gap between two models chosen in the Objects tree.

#include "Tessaron.h"

#include "measure/MeasureReport.h"
#include "panels/MeasurementsControl.h"
#include "panels/ObjectsControl.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"

void Tessaron::showMeasurements()
{
    if (auto *measurements = static_cast<MeasurementsControl *>(panel(PanelKind::Measurements))) {
        measurements->show();
        measurements->raise();
        measurements->refresh();
        return;
    }
    createPanel(PanelKind::Measurements);
    static_cast<MeasurementsControl *>(panel(PanelKind::Measurements))->setImage(State.Image.get());
    // Wide enough for the model table's six columns beside the view.
    resizeDocks({panel(PanelKind::Measurements)}, {600}, Qt::Horizontal);
}

void Tessaron::closestGap()
{
    const auto *objects = static_cast<ObjectsControl *>(panel(PanelKind::Objects));
    const QList<ModelClass *> chosen = objects ? objects->selectedModels() : QList<ModelClass *>();
    if (chosen.size() != 2) {
        Dialogs::current().warning(this, tr("Warning"),
                                   tr("Select two models in the Objects tree to measure the "
                                      "closest gap between them."));
        return;
    }
    showClosestGap(chosen[0], chosen[1]);
}

bool Tessaron::showClosestGap(ModelClass *first, ModelClass *second)
{
    const measure::ModelSnapshot a = measure::snapshotModel(*first);
    const measure::ModelSnapshot b = measure::snapshotModel(*second);
    for (const measure::ModelSnapshot *shot : {&a, &b})
        if (!shot->refusal.isEmpty() || shot->surface.triangleCount() == 0) {
            Dialogs::current().warning(
                this, tr("Warning"),
                tr("%1 cannot be measured: %2")
                    .arg(shot->name,
                         shot->refusal.isEmpty() ? tr("it has no triangles") : shot->refusal));
            return false;
        }
    measure::Gap gap;
    if (!View->runResponsive(tr("Measuring the closest gap..."),
                             [&] { gap = measure::measureGap(a, b); }))
        return false;
    // The gap's label names the structures in the interface language.
    const auto shown = [](const measure::ModelSnapshot &shot) {
        return measure::shownName(shot.name, shot.anatomy);
    };
    View->setMeasureMark(gapMark(gap, first, second, shown(a), shown(b)));
    // The gap drawn now is this one, not the panel's row shown before.
    ClosestPair = std::pair {first->Name, second->Name};
    if (auto *measurements = static_cast<MeasurementsControl *>(panel(PanelKind::Measurements)))
        measurements->forgetShownGap();
    return true;
}
