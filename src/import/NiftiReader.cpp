#include "NiftiReader.h"

#include "ImportTypes.h"
#include "Inflate.h"
#include "LabelTables.h"

#include <nifti2_io.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

// A kilometre, in millimetres: no scan's spacing or placement comes near it.
constexpr double kFarthest = 1e6;

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
                failImport(Import::tr("The volume's voxel spacing is zero or not a number."));
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
        failImport(Import::tr("The volume's voxel spacing is zero or not a number."));
    for (const auto &row : a.m)
        for (double v : row)
            if (std::fabs(v) > kFarthest)
                failImport(Import::tr("The volume puts its voxels %1 mm apart or away; its "
                                      "spacing or placement is damaged.")
                               .arg(v, 0, 'g', 3));
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

// The fields of either header version that decide how the file is read.
struct RawHeader
{
    int version = 0;
    int64_t dims[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    double voxOffset = 0;
    bool magic = false; // "n+1", "n+2" (one file) or "ni1", "ni2" (a pair)
    bool pair = false;
};

RawHeader rawHeader(const QString &path)
{
    RawHeader h;
    void *raw = nifti_read_header(QFile::encodeName(path).constData(), &h.version, 0);
    if (raw && h.version == 1) {
        const auto *n1 = static_cast<nifti_1_header *>(raw);
        std::copy(std::begin(n1->dim), std::end(n1->dim), h.dims);
        h.voxOffset = n1->vox_offset;
        h.magic = !std::memcmp(n1->magic, "n+1", 4) || !std::memcmp(n1->magic, "ni1", 4);
        h.pair = n1->magic[1] == 'i';
    } else if (raw && h.version == 2) {
        const auto *n2 = static_cast<nifti_2_header *>(raw);
        std::copy(std::begin(n2->dim), std::end(n2->dim), h.dims);
        h.voxOffset = double(n2->vox_offset);
        h.magic = !std::memcmp(n2->magic, "n+2", 4) || !std::memcmp(n2->magic, "ni2", 4);
        h.pair = n2->magic[1] == 'i';
    }
    std::free(raw);
    return h;
}

// The header's own fields checked before the library reads the file, which
// would otherwise read a file of another kind as an old-style header, move a
// negative data offset to 0 and turn a dimension below 1 into 1: each reads
// a different map than the file describes.
void requireSoundHeader(const QString &path)
{
    const RawHeader h = rawHeader(path);
    if (h.version == 0 || !h.magic)
        failImport(Import::tr("This is not a NIfTI file: its header lacks the NIfTI mark."));
    if (!h.pair && !(h.voxOffset >= (h.version == 1 ? 348.0 : 540.0) && h.voxOffset < 9e15))
        failImport(Import::tr("The header says the voxels start at byte %1, which is not after the "
                              "header.")
                       .arg(h.voxOffset));
    for (int a = 1; a <= std::clamp<int64_t>(h.dims[0], 0, 7); ++a)
        if (h.dims[a] < 1)
            failImport(
                Import::tr("The volume's dimensions must be positive; one is %1.").arg(h.dims[a]));
}

// Puts NaN back into the voxels of floating-point data that hold no number
// (NaN or an infinity), which the library turns into 0, a value they do not
// have. Read from the file itself, after the library's load.
template<class T> void restoreNonNumbers(const nifti_image &nim)
{
    znzFile file = znzopen(nim.iname, "rb", nifti_is_gzfile(nim.iname));
    if (znz_isnull(file) || znzseek(file, znz_off_t(nim.iname_offset), SEEK_SET) < 0) {
        if (!znz_isnull(file))
            znzclose(file);
        failImport(Import::tr("The voxel data of the file ends early or cannot be read."));
    }
    const bool swap = nim.byteorder != nifti_short_order();
    T *data = static_cast<T *>(nim.data);
    std::vector<T> chunk(size_t(1) << 16);
    for (qint64 at = 0; at < qint64(nim.nvox);) {
        const size_t n = size_t(std::min<qint64>(qint64(chunk.size()), qint64(nim.nvox) - at));
        if (znzread(chunk.data(), sizeof(T), n, file) != n)
            break;
        if (swap)
            sizeof(T) == 4 ? nifti_swap_4bytes(qint64(n), chunk.data())
                           : nifti_swap_8bytes(qint64(n), chunk.data());
        for (size_t i = 0; i < n; ++i)
            if (!std::isfinite(chunk[i]))
                data[at + qint64(i)] = std::numeric_limits<T>::quiet_NaN();
        at += qint64(n);
    }
    znzclose(file);
}

// The names and colours the file carries itself: an XML label table in one
// of its header extensions (the library has checked their sizes against the
// header). The first extension holding one is read.
std::vector<SegmentInfo> extensionLabels(const nifti_image &nim, const QString &path)
{
    std::vector<SegmentInfo> segments;
    for (int e = 0; e < nim.num_ext && nim.ext_list; ++e) {
        const nifti1_extension &ext = nim.ext_list[e];
        if (!ext.edata || ext.esize <= 8)
            continue;
        QByteArrayView text(ext.edata, qsizetype(ext.esize) - 8);
        while (!text.isEmpty() && text.back() == '\0')
            text.chop(1); // the padding to a multiple of 16 bytes
        if (!text.contains("<LabelTable"))
            continue;
        const LabelTable table = parseXmlLabelTable(
            text, Import::tr("%1 (its header's label table)").arg(QFileInfo(path).fileName()));
        for (auto label = table.begin(); label != table.end(); ++label) {
            SegmentInfo segment;
            segment.value = label.key();
            segment.name = label->name;
            segment.hasColor = label->hasColor;
            std::copy_n(label->rgb, 3, segment.rgb);
            segments.push_back(segment);
        }
        break;
    }
    return segments;
}

struct ImageDeleter
{
    void operator()(nifti_image *nim) const { nifti_image_free(nim); }
};

} // namespace

LabelMapData readNifti(const QString &path)
{
    nifti_set_debug_level(0); // the library's own complaints go to our messages instead
    requireSoundHeader(path);
    std::shared_ptr<nifti_image> nim(nifti_image_read(QFile::encodeName(path).constData(), 0),
                                     ImageDeleter());
    if (!nim)
        failImport(Import::tr("This is not a NIfTI file, or its header is damaged."));
    qint64 volumes = 1;
    for (int a = 4; a <= std::min<int64_t>(nim->dim[0], 7); ++a)
        volumes *= std::max<int64_t>(nim->dim[a], 1);
    if (volumes > 1)
        failImport(
            Import::tr("The file holds %1 volumes; a label map or an image is one.").arg(volumes));
    const std::optional<SampleType> type = typeOf(nim->datatype);
    if (!type)
        failImport(Import::tr("The voxel type %1 is not one a label map or an image has.")
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
    if (*type == SampleType::Float32)
        restoreNonNumbers<float>(*nim);
    else if (*type == SampleType::Float64)
        restoreNonNumbers<double>(*nim);

    map.grid.data = nim->data;
    map.grid.type = *type;
    for (int a = 0; a < 3; ++a)
        map.grid.size[a] = sizes[a];
    map.grid.slope = std::isfinite(nim->scl_slope) ? nim->scl_slope : 0.0;
    map.grid.intercept = nim->scl_inter;
    map.segments = extensionLabels(*nim, path);
    map.storage = nim;
    return map;
}
