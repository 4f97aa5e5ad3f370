#pragma once

#include "LabelMapData.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// Reads a NRRD label map (.nrrd, .seg.nrrd) from the bytes of its header
// file: three spatial axes, or four where one end axis holds the layers of
// a segmentation; raw, gzip or text data, attached or in one file named by
// "data file" relative to `folder` (an empty folder refuses detached data).
// World coordinates follow the header's space origin and directions (or
// spacings), turned into right-anterior-superior axes when the header's
// space is left-posterior-superior. Segment names, colours, label values and
// layers come from the key-value pairs of a .seg.nrrd header.
// Fails (ImportFailure) with the reason; the sizes are checked against the
// data before anything is allocated.
LabelMapData readNrrd(QByteArrayView bytes, const QString &folder,
                      const std::function<void(double)> &progress = {});
