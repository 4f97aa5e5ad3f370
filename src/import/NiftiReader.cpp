#include "NiftiReader.h"

#include "ImportTypes.h"
#include "Inflate.h"

#include <nifti2_io.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

std::optional<SampleType> typeOf(int datatype)
{
    switch (datatype) {
    case DT_UINT8:
        return SampleType::UInt8;
    case DT_INT8:
        return SampleType::Int8;
    case DT_UINT16:
        return SampleType::UInt16;
    case DT_INT16:
        return SampleType::Int16;
    case DT_UINT32:
        return SampleType::UInt32;
    case DT_INT32:
        return SampleType::Int32;
    case DT_UINT64:
        return SampleType::UInt64;
    case DT_INT64:
        return SampleType::Int64;
    case DT_FLOAT32:
        return SampleType::Float32;
    case DT_FLOAT64:
        return SampleType::Float64;
    default:
        return std::nullopt;
    }
}

Affine fromMatrix(const nifti_dmat44 &m)
{
    Affine a;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            a.m[r][c] = m.m[r][c];
    return a;
}

// The sform, else the qform, else the spacing: the order the format gives.
Affine worldOf(const nifti_image &nim)
{
    const bool spacingUsed = nim.sform_code <= 0;
    if (spacingUsed) {
        for (double d : {nim.dx, nim.dy, nim.dz})
            if (!std::isfinite(d) || d == 0)
                failImport(Import::tr("The label map's voxel spacing is zero or not a number."));
    }
    Affine a;
    if (nim.sform_code > 0) {
        a = fromMatrix(nim.sto_xyz);
    } else if (nim.qform_code > 0) {
        a = fromMatrix(nim.qto_xyz);
    } else {
        a.m[0][0] = std::fabs(nim.dx);
        a.m[1][1] = std::fabs(nim.dy);
        a.m[2][2] = std::fabs(nim.dz);
    }
    if (!a.isUsable())
        failImport(Import::tr("The label map's voxel spacing is zero or not a number."));
    return a;
}

// The most data bytes the file can hold: its size after the data offset, or
// the limit of what its compressed bytes can inflate to.
qint64 dataLimit(const nifti_image &nim)
{
    const qint64 fileBytes = QFileInfo(QFile::decodeName(nim.iname)).size();
    if (nifti_is_gzfile(nim.iname))
        return inflatedLimit(fileBytes);
    return fileBytes - nim.iname_offset;
}

// The dimensions as the header gives them. niftilib turns a dimension below
// 1 into 1, which would read a different map than the file describes; such
// a file is refused here, before the library reads it.
void requirePositiveDimensions(const QString &path)
{
    int version = 0;
    void *raw = nifti_read_header(QFile::encodeName(path).constData(), &version, 0);
    int64_t dims[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    if (raw && version == 1)
        std::copy(std::begin(static_cast<nifti_1_header *>(raw)->dim),
                  std::end(static_cast<nifti_1_header *>(raw)->dim), dims);
    else if (raw && version == 2)
        std::copy(std::begin(static_cast<nifti_2_header *>(raw)->dim),
                  std::end(static_cast<nifti_2_header *>(raw)->dim), dims);
    std::free(raw);
    for (int a = 1; a <= std::clamp<int64_t>(dims[0], 0, 7); ++a)
        if (dims[a] < 1)
            failImport(
                Import::tr("The label map's dimensions must be positive; one is %1.").arg(dims[a]));
}

struct ImageDeleter
{
    void operator()(nifti_image *nim) const { nifti_image_free(nim); }
};

} // namespace

LabelMapData readNifti(const QString &path)
{
    nifti_set_debug_level(0); // the library's own complaints go to our messages instead
    requirePositiveDimensions(path);
    std::shared_ptr<nifti_image> nim(nifti_image_read(QFile::encodeName(path).constData(), 0),
                                     ImageDeleter());
    if (!nim)
        failImport(Import::tr("This is not a NIfTI file, or its header is damaged."));
    qint64 volumes = 1;
    for (int a = 4; a <= std::min<int64_t>(nim->dim[0], 7); ++a)
        volumes *= std::max<int64_t>(nim->dim[a], 1);
    if (volumes > 1)
        failImport(Import::tr("The file holds %1 volumes; a label map is one.").arg(volumes));
    const std::optional<SampleType> type = typeOf(nim->datatype);
    if (!type)
        failImport(Import::tr("The voxel type %1 is not one a label map has.")
                       .arg(QString::fromLatin1(nifti_datatype_string(nim->datatype))));

    LabelMapData map;
    map.toWorld = worldOf(*nim);
    const qint64 sizes[3] = {qint64(nim->nx), qint64(nim->ny), qint64(nim->nz)};
    const qint64 need = sampleDataBytes(sizes, 3, sampleBytes(*type));
    const qint64 limit = dataLimit(*nim);
    if (need > limit)
        failImport(Import::tr("The dimensions times the voxel size (%1 bytes) are more than the "
                              "file holds (%2 bytes).")
                       .arg(need)
                       .arg(std::max<qint64>(limit, 0)));
    if (nifti_image_load(nim.get()) != 0 || !nim->data)
        failImport(Import::tr("The voxel data of the file ends early or cannot be read."));

    map.grid.data = nim->data;
    map.grid.type = *type;
    for (int a = 0; a < 3; ++a)
        map.grid.size[a] = sizes[a];
    map.grid.slope = std::isfinite(nim->scl_slope) ? nim->scl_slope : 0.0;
    map.grid.intercept = nim->scl_inter;
    map.storage = nim;
    return map;
}
