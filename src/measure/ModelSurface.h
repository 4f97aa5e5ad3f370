#pragma once

#include "Anatomy.h"
#include "Surface.h"

#include <QString>
#include <QVariantList>

#include <array>
#include <optional>

class ModelClass;

namespace measure {

// A model's surface copied out of its blocks, with what the tables say of
// the model: taken on the GUI thread, measured anywhere.
struct ModelSnapshot
{
    QString name;     // as the Objects tree shows it
    QString fileName; // the loaded path, empty for derived models
    std::array<int, 3> colour {255, 255, 255};
    bool visible = true;
    Anatomy anatomy = Anatomy::Other;
    anatomy::Side side = anatomy::Side::None; // the importer's, else its name's
    std::optional<double> voxelVolume;        // of the label the model was made from
    QVariantList codes; // coded terms of a segmentation's segment (model/ModelFacts.h)
    TriangleSurface surface;
    // Why nothing can be measured, when something is wrong with the
    // blocks: coordinates that are not numbers, cells naming missing
    // vertices. Empty otherwise.
    QString refusal;
};

// The surface of every block: its polygons split into fans of triangles,
// and the outer faces of its volume cells (faces no other cell shares).
ModelSnapshot snapshotModel(const ModelClass &model);

// The structure a model shows: the one its importer read (a label's, a
// segment's, a structure set's ROI), else the one the words of its file's
// and its own name give.
Anatomy anatomyOfModel(const ModelClass &model);
// Its name as panels, gaps and the sheet show it: the structure's name in
// the interface language with the model's own, "Kidney (kidney_left)".
QString shownNameOf(const ModelClass &model);

} // namespace measure
