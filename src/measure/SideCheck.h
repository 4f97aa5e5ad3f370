#pragma once

#include "ModelSurface.h"
#include "model/BodyMidline.h"

#include <vector>

struct ImageVolume;

namespace measure {

// Models whose name says one side of the patient but whose centre lies on
// the other side of the body's midline.

struct SideWarning
{
    std::size_t model = 0; // into the snapshots checked
    anatomy::Side named = anatomy::Side::None;
    double centreX = 0;
    QString text; // in the interface language
};

struct SideCheck
{
    body::Midline midline; // not found: the sides were not checked
    std::vector<SideWarning> warnings;
    bool checked() const { return midline.found(); }
};

// The x of the centre of a surface (its area's centroid); NaN for none.
double centreX(const TriangleSurface &surface);

// The body's midline for the models: from the CT when one is given and it
// shows one, else from the models themselves (a spine model, or paired
// organs); not found otherwise.
body::Midline sceneMidline(const std::vector<ModelSnapshot> &models, const ImageVolume *image);

// Every sided model whose centre lies kSideMargin or more on the other side
// of `midline`; none when the midline is not found.
SideCheck checkSides(const std::vector<ModelSnapshot> &models, const body::Midline &midline);

// "kidney_left is named left but lies on the patient's right of the body's midline."
QString sideWarningText(const QString &model, anatomy::Side named);

} // namespace measure
