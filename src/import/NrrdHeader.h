#pragma once

#include "LabelVolume.h"

#include <QByteArrayView>
#include <QMap>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The fields of a NRRD header that a label map needs.
struct NrrdHeader
{
    enum class Encoding { Raw, Gzip, Text };

    SampleType type = SampleType::UInt8;
    int dimension = 0;
    std::vector<qint64> sizes;
    Encoding encoding = Encoding::Raw;
    bool bigEndian = false;
    // Per axis: the step of one voxel in world space, or none for an axis
    // that is not spatial (the layers of a segmentation).
    std::vector<std::optional<std::array<double, 3>>> directions;
    std::vector<double> spacings;
    std::array<double, 3> origin = {0, 0, 0};
    bool lps = false; // world axes left, posterior, superior (else right, anterior, superior)
    bool las = false; // left, anterior, superior
    QString dataFile; // detached data, relative to the header's folder
    qint64 lineSkip = 0;
    qint64 byteSkip = 0;
    qint64 headerBytes = 0;        // where attached data starts
    QMap<QString, QString> values; // "key:=value" pairs
};

// Reads the header at the start of the bytes. Fails (ImportFailure) on a
// missing magic line, an unknown or missing required field, or values that
// cannot be: negative or zero sizes, zero or not finite spacing.
NrrdHeader parseNrrdHeader(QByteArrayView bytes);
