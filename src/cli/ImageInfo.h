#pragma once

#include "model/ImageVolume.h"

#include <QJsonObject>
#include <QString>

// What `tessaron-cli info IMAGE` says of an image: its grid, its place in
// the patient frame and the range of its values.

// The object "image": size, spacing, origin, direction (the unit vectors of
// the i, j and k axes in world x, y, z, nine numbers), modality, unit, min,
// max and mean of the values, and the warnings.
QJsonObject imageJson(const ImageVolume &image);

// The same, as readable lines.
QString imageText(const ImageVolume &image);
