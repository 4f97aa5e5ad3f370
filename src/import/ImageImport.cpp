#include "ImageImport.h"

#include "ImportTypes.h"
#include "NiftiReader.h"
#include "NrrdReader.h"
#include "formats/FileBytes.h"
#include "formats/FileKinds.h"

#include <nifti2_io.h>

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <type_traits>
#include <unordered_set>
#include <vector>

LabelMapData readVolumeData(const Recognition &file, const std::function<void(double)> &progress)
{
    if (file.kind == FileKind::Nifti)
        return readNifti(file.path);
    FileBytes bytes;
    if (bytes.open(file.path) != 0)
        failImport(Import::tr("The file cannot be opened."));
    return readNrrd(bytes.bytes(), QFileInfo(file.path).absolutePath(), progress);
}

int niftiIntentOf(const Recognition &file)
{
    if (file.kind != FileKind::Nifti)
        return NIFTI_INTENT_NONE;
    const QString &path = file.path;
    int version = 0;
    void *raw = nifti_read_header(QFile::encodeName(path).constData(), &version, 0);
    int intent = NIFTI_INTENT_NONE;
    if (raw && version == 1)
        intent = static_cast<nifti_1_header *>(raw)->intent_code;
    else if (raw && version == 2)
        intent = static_cast<nifti_2_header *>(raw)->intent_code;
    std::free(raw);
    return intent;
}

namespace {

// The value of a sample after the file's scaling (none when slope is 0).
struct Scaling
{
    double slope = 0, intercept = 0;

    bool scales() const { return slope != 0 && (slope != 1 || intercept != 0); }
    template<class T> double operator()(T raw) const
    {
        return scales() ? double(raw) * slope + intercept : double(raw);
    }
};

// Visits every voxel's sample in index order: fn(sample, index).
template<class T, class Fn> void forEachSample(const SampleGrid &grid, Fn &&fn)
{
    const T *data = static_cast<const T *>(grid.data) + grid.offset;
    const qint64 count = grid.size[0] * grid.size[1] * grid.size[2];
    for (qint64 n = 0; n < count; ++n)
        if (!fn(data[n * grid.stride], n))
            return;
}

// The label test for unscaled samples of 8 or 16 bits, which are whole numbers
// by their type: every byte value is a label, and 16-bit values are counted
// in a table of all of them instead of through doubles and a hash set.
template<class T> bool narrowLabelValues(const SampleGrid &grid)
{
    if constexpr (std::is_unsigned_v<T> && sizeof(T) == 1)
        return true;
    std::vector<bool> seen(size_t(1) << (8 * sizeof(T)));
    int distinct = 0;
    bool labels = true;
    forEachSample<T>(grid, [&](T raw, qint64) {
        if constexpr (std::is_signed_v<T>) {
            if (raw < 0)
                return labels = false;
        }
        if (raw != 0 && !seen[size_t(raw)]) {
            seen[size_t(raw)] = true;
            labels = ++distinct <= kMaxLabels;
        }
        return labels;
    });
    return labels;
}

// Whether the samples could be labels: whole, finite, not negative (no label
// is, while every CT in HU holds air below -900) and at most kMaxLabels
// distinct non-zero values. Stops at the first value that says otherwise,
// so an image is told apart in its first slices.
template<class T> bool labelValues(const SampleGrid &grid)
{
    const Scaling scale {grid.slope, grid.intercept};
    if constexpr (std::is_integral_v<T> && sizeof(T) <= 2) {
        if (!scale.scales())
            return narrowLabelValues<T>(grid);
    }
    std::unordered_set<double> seen;
    double last = 0;
    bool labels = true;
    forEachSample<T>(grid, [&](T raw, qint64) {
        const double v = scale(raw);
        if (!std::isfinite(v) || v != std::floor(v) || v < 0)
            return labels = false;
        if (v != 0 && v != last) {
            last = v;
            seen.insert(v);
            labels = seen.size() <= size_t(kMaxLabels);
        }
        return labels;
    });
    return labels;
}

// Whether every scaled value is a whole number in the range of 16 bits.
template<class T> bool fitsShorts(const SampleGrid &grid)
{
    const Scaling scale {grid.slope, grid.intercept};
    if constexpr (std::is_integral_v<T> && sizeof(T) == 1) {
        if (!scale.scales())
            return true;
    }
    bool fits = true;
    forEachSample<T>(grid, [&](T raw, qint64) {
        const double v = scale(raw);
        return fits = v == std::floor(v) && v >= std::numeric_limits<qint16>::min()
            && v <= std::numeric_limits<qint16>::max();
    });
    return fits;
}

template<class Out, class T> void copyValues(const SampleGrid &grid, VoxelArray<Out> &out)
{
    const Scaling scale {grid.slope, grid.intercept};
    forEachSample<T>(grid, [&](T raw, qint64 n) {
        out[size_t(n)] = Out(scale(raw));
        return true;
    });
}

template<class Out> void allocate(VoxelArray<Out> &values, qint64 count)
{
    try {
        values.resize(size_t(count));
    } catch (const std::bad_alloc &) {
        failImport(Import::tr("There is not enough memory for the image (%1 voxels).").arg(count));
    }
}

// Voxels that hold no number (NaN, or an infinity, also one that a double
// turns into on becoming a float) are kept as NaN, which shows black and
// counts in no statistic, so that every reader of the image needs only the
// one test. Returns how many there are.
qint64 markNonNumbers(VoxelArray<float> &values)
{
    qint64 count = 0;
    for (float &v : values)
        if (!std::isfinite(v)) {
            v = std::numeric_limits<float>::quiet_NaN();
            ++count;
        }
    return count;
}

} // namespace

bool holdsLabels(const LabelMapData &data, int niftiIntent)
{
    if (niftiIntent == NIFTI_INTENT_LABEL || niftiIntent == NIFTI_INTENT_NEURONAME)
        return true;
    if (niftiIntent != NIFTI_INTENT_NONE)
        return false;
    if (data.layers > 1 || !data.segments.empty())
        return true;
    return withSampleType(data.grid.type,
                          [&](auto sample) { return labelValues<decltype(sample)>(data.grid); });
}

ImageVolume imageOf(LabelMapData data, const QString &path)
{
    if (data.layers > 1)
        failImport(Import::tr("The file holds %1 segmentation layers; an image has one.")
                       .arg(data.layers));
    const SampleGrid &grid = data.grid;
    if (grid.slope != 0 && !(std::isfinite(grid.slope) && std::isfinite(grid.intercept)))
        failImport(Import::tr("The image's value scaling is not a finite number."));
    ImageVolume image;
    std::copy_n(grid.size, 3, image.size);
    image.toWorld = data.toWorld;
    image.description = QFileInfo(path).fileName();
    withSampleType(grid.type, [&](auto sample) {
        using T = decltype(sample);
        if (fitsShorts<T>(grid)) {
            allocate(image.shorts, image.voxelCount());
            copyValues<qint16, T>(grid, image.shorts);
        } else {
            allocate(image.floats, image.voxelCount());
            copyValues<float, T>(grid, image.floats);
        }
    });
    if (const qint64 empty = markNonNumbers(image.floats))
        image.warnings << Import::tr("%1 voxels hold no number; they show black and count in no "
                                     "statistic.")
                              .arg(empty);
    return image;
}

ImageVolume readImageFile(const Recognition &file)
{
    return imageOf(readVolumeData(file), file.path);
}
