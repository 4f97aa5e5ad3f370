#pragma once

#include "LabelVolume.h"
#include "model/AnatomyTable.h"

#include <QString>

#include <memory>
#include <vector>

// A segment a .seg.nrrd header or a NIfTI header's label table names: the
// label value it has in its layer, its name and, when given, its colour.
// An importer that knows the structure from elsewhere than the name (a DICOM
// segment's codes) gives it and its side; otherwise the name tells them.
struct SegmentInfo
{
    int layer = 0;
    qint64 value = 1;
    QString name;
    bool hasColor = false;
    int rgb[3] = {0, 0, 0};
    anatomy::Structure kind = anatomy::Structure::Other;
    anatomy::Side side = anatomy::Side::None;
};

// The voxels of a label-map file as read, before they become label volumes:
// one or more layers of samples (a segmentation whose segments overlap keeps
// them in layers), the map from voxel indices to world millimetres and the
// segments the file names.
struct LabelMapData
{
    std::shared_ptr<void> storage; // owns the samples
    SampleGrid grid;               // layer 0
    int layers = 1;
    qint64 layerOffset = 0; // samples from one layer's voxel to the next layer's
    Affine toWorld;
    std::vector<SegmentInfo> segments;

    SampleGrid layer(int l) const
    {
        SampleGrid g = grid;
        g.offset += l * layerOffset;
        return g;
    }
};

// Bytes of `count` samples of `bytes` each; fails when the product does not
// fit in 63 bits, so no size check can overflow.
qint64 sampleDataBytes(const qint64 *sizes, int axes, int bytes);
