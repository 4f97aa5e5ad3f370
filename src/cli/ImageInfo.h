#pragma once

#include "import/DicomSeries.h"
#include "model/ImageVolume.h"

#include <QJsonObject>
#include <QString>

// What `tessaron-cli info IMAGE` says of an image: its grid, its place in
// the patient frame and the range of its values.

// The object "image": size, spacing, origin, direction (the unit vectors of
// the i, j and k axes in world x, y, z, nine numbers), modality, unit, min,
// max and mean of the values, and the warnings. When the image's path holds
// several DICOM series, "series" lists them, the one read marked "read".
QJsonObject imageJson(const ImageVolume &image, const std::vector<DicomSeriesInfo> &series = {});

// The series the DICOM path `image` was read from holds, as its reading
// found them (the path is not scanned again); empty for a path of another kind.
std::vector<DicomSeriesInfo> seriesOf(const QString &path, const ImageVolume &image);

// The same, as readable lines.
QString imageText(const ImageVolume &image, const std::vector<DicomSeriesInfo> &series = {});
