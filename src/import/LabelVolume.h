#pragma once

#include "model/Affine.h"

#include <QtGlobal>

#include <vector>

// Voxel value types of the label-map files.
enum class SampleType {
    UInt8,
    Int8,
    UInt16,
    Int16,
    UInt32,
    Int32,
    UInt64,
    Int64,
    Float32,
    Float64
};

int sampleBytes(SampleType type);

// Calls fn with a value-initialised sample of the type's C++ type, so one
// template serves every voxel type: fn(quint8()), fn(float()), ...
template<class Fn> decltype(auto) withSampleType(SampleType type, Fn &&fn)
{
    switch (type) {
    case SampleType::UInt8:
        return fn(quint8());
    case SampleType::Int8:
        return fn(qint8());
    case SampleType::UInt16:
        return fn(quint16());
    case SampleType::Int16:
        return fn(qint16());
    case SampleType::UInt32:
        return fn(quint32());
    case SampleType::Int32:
        return fn(qint32());
    case SampleType::UInt64:
        return fn(quint64());
    case SampleType::Int64:
        return fn(qint64());
    case SampleType::Float32:
        return fn(float());
    case SampleType::Float64:
    default:
        return fn(double());
    }
}

// The voxel values of a file, in native byte order: voxel (i, j, k) is
// sample `offset + stride * (i + nx * (j + ny * k))`. A NRRD file with
// several segmentation layers interleaves them, hence stride and offset.
// Values are value * slope + intercept when slope is not 0.
struct SampleGrid
{
    const void *data = nullptr;
    SampleType type = SampleType::UInt8;
    qint64 size[3] = {0, 0, 0};
    qint64 stride = 1;
    qint64 offset = 0;
    double slope = 0;
    double intercept = 0;
};

// The most labels a map may have: a file with more distinct values is an
// image of intensities, not a segmentation.
constexpr int kMaxLabels = 1000;

// A label map ready for surfacing. Only the box around the non-zero voxels
// is kept, with one voxel of background on every side, so every surface is
// closed, also where a structure touches the edge of the scan. Label numbers
// are compact (1..count) and `values` gives each one's value in the file.
struct LabelVolume
{
    qint64 size[3] = {0, 0, 0};
    std::vector<quint16> labels; // x fastest; 0 is background
    std::vector<qint64> values;  // values[0] is 0
    Affine toWorld;              // of the kept box's indices

    int count() const { return int(values.size()) - 1; }
    quint16 at(qint64 i, qint64 j, qint64 k) const
    {
        return labels[size_t(i + size[0] * (j + size[1] * k))];
    }
};

// Scans the samples and builds the label volume. Fails (ImportFailure) on a
// fractional or not finite value, on more than kMaxLabels distinct non-zero
// values (the message gives their count). A map without labels gives an
// empty volume (no voxels, count 0).
LabelVolume makeLabelVolume(const SampleGrid &grid, const Affine &indexToWorld);
