// A segmentation's frames placed on one grid, then each segment's voxels as
// its own label map, surfaced, named and coloured as every label map is.

#include "DicomSeg.h"

#include "DicomSegFile.h"
#include "DicomSeries.h"
#include "LabelMapImport.h"
#include "LabelNames.h"
#include "formats/FileKinds.h"
#include "model/AnatomyTable.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"
#include "model/Vec3.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace {

using Vec = Vec3;

// Frames nearer than this along the normal lie in one plane.
constexpr double kSamePlane = 0.01;
// A kilometre, in millimetres: no segmentation's spacing or placement comes near it.
constexpr double kFarthest = 1e6;
// The most slices the grid of one file may span.
constexpr qint64 kMostSlices = 100000;
// The most bytes one segment's box of voxels may take, and the most voxel
// faces its surface may have (some two triangles each).
constexpr qint64 kMostSegmentBytes = qint64(512) << 20;
constexpr qint64 kMostSurfaceFaces = 4000000;

Vec positionOf(const SegFrame &f)
{
    return {f.position[0], f.position[1], f.position[2]};
}

// Where every frame lies: its slice in one grid of all frames, and the grid's
// map to our patient frame.
struct SegGrid
{
    std::vector<qint64> slice; // per frame; -1 for a frame left unplaced
    qint64 slices = 0;
    Affine toWorld;
};

struct Axes
{
    Vec row, column, normal;
};

Axes axesOf(const SegFile &seg)
{
    // Direction cosines: anything far outside -1..1 is damage, and would
    // overflow the products below.
    for (double v : seg.orientation)
        if (!(std::fabs(v) <= 2))
            failImport(Import::tr("The segmentation gives no usable plane orientation."));
    Vec r {seg.orientation[0], seg.orientation[1], seg.orientation[2]};
    Vec c {seg.orientation[3], seg.orientation[4], seg.orientation[5]};
    const double lr = std::sqrt(dot(r, r)), lc = std::sqrt(dot(c, c));
    if (!seg.hasOrientation || lr < 0.5 || lc < 0.5 || std::fabs(dot(r, c)) > 0.01 * lr * lc)
        failImport(Import::tr("The segmentation gives no usable plane orientation."));
    r = scaled(r, 1 / lr);
    c = scaled(c, 1 / lc);
    const Vec n = cross(r, c);
    return {r, c, scaled(n, 1 / std::sqrt(dot(n, n)))};
}

void requireSaneMeasures(const SegFile &seg)
{
    for (double s : seg.pixelSpacing)
        if (!(s > 0 && s < kFarthest))
            failImport(Import::tr("The pixel spacing %1 mm is not a usable distance.").arg(s));
    if (!seg.hasPixelSpacing)
        failImport(Import::tr("The segmentation gives no pixel spacing."));
    for (const SegFrame &f : seg.frames)
        for (double p : f.position)
            if (f.hasPosition && !(std::fabs(p) < kFarthest))
                failImport(
                    Import::tr("The frame position %1 mm is out of any scanner's reach.").arg(p));
}

// The distance between slices: the one the file gives, else the least
// between two planes of frames, else the slice thickness, else 1 mm.
// A stated spacing wider than two frames lie apart, or so narrow that no two
// frames lie in neighbouring slices, contradicts the positions, which win:
// taken as written it would fold frames together or shrink the structure.
double sliceStep(const SegFile &seg, const std::vector<double> &planes)
{
    double least = 0;
    for (size_t p = 1; p < planes.size(); ++p)
        if (least == 0 || planes[p] - planes[p - 1] < least)
            least = planes[p] - planes[p - 1];
    const double stated = seg.spacingBetween;
    if (stated > 0 && stated < kFarthest) {
        if (least == 0 || (stated < 1.1 * least && least < 1.5 * stated))
            return stated;
        warnImport(Import::tr("The segmentation's Spacing Between Slices (0018,0088) of %1 mm "
                              "contradicts its frames' positions, %2 mm apart; the positions "
                              "are used.")
                       .arg(stated)
                       .arg(least));
    }
    if (least > 0)
        return least;
    return seg.thickness > 0 && seg.thickness < kFarthest ? seg.thickness : 1.0;
}

// The distinct planes of the placed frames along the normal, ascending.
std::vector<double> planesOf(const SegFile &seg, const Axes &axes)
{
    std::vector<double> along;
    for (const SegFrame &f : seg.frames)
        if (f.hasPosition)
            along.push_back(dot(positionOf(f), axes.normal));
    std::sort(along.begin(), along.end());
    std::vector<double> planes;
    for (double a : along)
        if (planes.empty() || a - planes.back() >= kSamePlane)
            planes.push_back(a);
    return planes;
}

// The voxel-to-world map: DICOM's left-posterior-superior millimetres turned
// into ours (x to the right, y to the front) by negating x and y, as the CT
// reader does, so the segments lie on the CT they were drawn on.
Affine worldMap(const Axes &axes, const SegFile &seg, const Vec &step, const Vec &origin)
{
    const Vec columns[4] = {scaled(axes.row, seg.pixelSpacing[1]),
                            scaled(axes.column, seg.pixelSpacing[0]), step, origin};
    Affine a;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            a.m[r][c] = (r < 2 ? -1.0 : 1.0) * columns[c][size_t(r)];
    return a;
}

SegGrid gridOf(const SegFile &seg)
{
    requireSaneMeasures(seg);
    const Axes axes = axesOf(seg);
    const std::vector<double> planes = planesOf(seg, axes);
    if (planes.empty())
        failImport(Import::tr("The segmentation's frames carry no plane positions, so they cannot "
                              "be placed."));
    const double step = sliceStep(seg, planes);
    SegGrid grid;
    const double span = (planes.back() - planes.front()) / step;
    if (span >= double(kMostSlices))
        failImport(Import::tr("The segmentation's frames span %1 slices of %2 mm.")
                       .arg(span, 0, 'f', 0)
                       .arg(step));
    grid.slices = std::llround(span) + 1;
    grid.slice.assign(seg.frames.size(), -1);
    const SegFrame *first = nullptr;
    int unplaced = 0, offGrid = 0;
    for (size_t f = 0; f < seg.frames.size(); ++f) {
        const SegFrame &frame = seg.frames[f];
        if (!frame.hasPosition) {
            ++unplaced;
            continue;
        }
        const double units = (dot(positionOf(frame), axes.normal) - planes.front()) / step;
        grid.slice[f] = std::llround(units);
        offGrid += std::fabs(units - double(grid.slice[f])) > 0.1;
        if (grid.slice[f] == 0)
            first = &frame;
    }
    if (unplaced)
        warnImport(Import::tr("Frames without a plane position, left out: %1.").arg(unplaced));
    if (offGrid)
        warnImport(Import::tr("Frames off the grid of %1 mm slices, placed on the nearest: %2.")
                       .arg(step)
                       .arg(offGrid));
    grid.toWorld = worldMap(axes, seg, scaled(axes.normal, step), positionOf(*first));
    if (!grid.toWorld.isUsable())
        failImport(Import::tr("The segmentation's frames do not span a volume."));
    return grid;
}

// Calls `inside(p)` for each pixel p of frame `f` that lies inside its segment.
template<class Inside> void forEachInside(const SegFile &seg, qint64 f, Inside inside)
{
    const qint64 n = seg.framePixels();
    const auto *data = reinterpret_cast<const uchar *>(seg.pixels.constData());
    if (seg.fractional) {
        const uchar *frame = data + f * n;
        for (qint64 p = 0; p < n; ++p)
            if (2 * int(frame[p]) >= seg.maxFraction)
                inside(p);
        return;
    }
    // Bits are packed from the lowest bit of each byte up, frames back to back,
    // so a frame may start inside a byte.
    const qint64 firstBit = f * n, endBit = firstBit + n;
    for (qint64 byte = firstBit / 8; byte * 8 < endBit; ++byte) {
        const uchar bits = data[byte];
        if (!bits)
            continue;
        for (int b = 0; b < 8; ++b) {
            const qint64 bit = byte * 8 + b;
            if ((bits >> b & 1) && bit >= firstBit && bit < endBit)
                inside(bit - firstBit);
        }
    }
}

struct Box
{
    qint64 low[3] = {0, 0, 0}, high[3] = {-1, -1, -1}; // inclusive; empty when high < low

    bool isEmpty() const { return high[0] < low[0]; }
    qint64 size(int a) const { return high[a] - low[a] + 1; }
    void add(qint64 i, qint64 j, qint64 k)
    {
        const qint64 at[3] = {i, j, k};
        const bool empty = isEmpty();
        for (int a = 0; a < 3; ++a) {
            low[a] = empty ? at[a] : std::min(low[a], at[a]);
            high[a] = empty ? at[a] : std::max(high[a], at[a]);
        }
    }
};

// A surface has about two triangles per face of a voxel inside that meets
// one outside: a few frames of full planes make millions of them, so they
// are counted before any surface is made.
void requireSurfaceRoom(const std::vector<quint16> &v, const Box &box)
{
    const qint64 nx = box.size(0), ny = box.size(1), nz = box.size(2);
    const auto outside = [&](qint64 i, qint64 j, qint64 k) {
        return i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz
            || v[size_t(i + nx * (j + ny * k))] == 0;
    };
    qint64 faces = 0;
    for (qint64 k = 0; k < nz; ++k)
        for (qint64 j = 0; j < ny; ++j)
            for (qint64 i = 0; i < nx; ++i)
                if (v[size_t(i + nx * (j + ny * k))] != 0)
                    faces += outside(i - 1, j, k) + outside(i + 1, j, k) + outside(i, j - 1, k)
                        + outside(i, j + 1, k) + outside(i, j, k - 1) + outside(i, j, k + 1);
    if (faces > kMostSurfaceFaces)
        failImport(Import::tr("its surface would have %1 million voxel faces; Tessaron makes "
                              "surfaces of up to %2 million")
                       .arg(faces / 1000000)
                       .arg(kMostSurfaceFaces / 1000000));
}

QString segmentTitle(const SegSegment &s)
{
    return s.label.isEmpty() ? Import::tr("Segment %1").arg(s.number)
                             : Import::tr("Segment %1 (%2)").arg(s.number).arg(s.label);
}

// The voxels of one segment as a label map of the box around them, holding
// the segment's number; empty when it has none.
LabelMapData segmentMap(const SegFile &seg, const SegGrid &grid, const std::vector<qint64> &frames,
                        int number)
{
    Box box;
    for (qint64 f : frames)
        forEachInside(seg, f, [&](qint64 p) {
            box.add(p % seg.columns, p / seg.columns, grid.slice[size_t(f)]);
        });
    LabelMapData map;
    if (box.isEmpty())
        return map;
    const qint64 voxels = box.size(0) * box.size(1) * box.size(2);
    const qint64 cap = std::min(dicomVoxelByteCap(), kMostSegmentBytes);
    if (voxels * qint64(sizeof(quint16)) > cap)
        failImport(Import::tr("its voxels would take %1 MB, more than the %2 MB allowed")
                       .arg(voxels * 2 >> 20)
                       .arg(cap >> 20));
    auto samples = std::make_shared<std::vector<quint16>>(size_t(voxels), 0);
    for (qint64 f : frames) {
        const qint64 k = grid.slice[size_t(f)] - box.low[2];
        forEachInside(seg, f, [&](qint64 p) {
            const qint64 i = p % seg.columns - box.low[0], j = p / seg.columns - box.low[1];
            (*samples)[size_t(i + box.size(0) * (j + box.size(1) * k))] = quint16(number);
        });
    }
    requireSurfaceRoom(*samples, box);
    map.grid.data = samples->data();
    map.grid.type = SampleType::UInt16;
    for (int a = 0; a < 3; ++a)
        map.grid.size[a] = box.size(a);
    map.storage = std::move(samples);
    map.toWorld = grid.toWorld;
    double origin[3];
    grid.toWorld.apply(double(box.low[0]), double(box.low[1]), double(box.low[2]), origin);
    for (int r = 0; r < 3; ++r)
        map.toWorld.m[r][3] = origin[r];
    return map;
}

// The side a segment's modifiers give: that of its property type, else that
// of its anatomic region.
anatomy::Side sideOf(const SegSegment &s)
{
    for (const SegCode *code : {&s.typeModifier, &s.regionModifier})
        for (anatomy::Side side : {anatomy::Side::Left, anatomy::Side::Right})
            if (code->value == anatomy::sideCode(side))
                return side;
    return anatomy::Side::None;
}

// The anatomy table's row whose SNOMED CT codes hold `code`.
const anatomy::StructureRow *rowOfCode(const SegCode &code)
{
    if (code.isEmpty())
        return nullptr;
    for (const anatomy::StructureRow &row : anatomy::structureRows())
        if (QString::fromLatin1(row.snomed).split(u' ', Qt::SkipEmptyParts).contains(code.value))
            return &row;
    return nullptr;
}

// The name and colour of a segment. The name is its label as written, else
// the meaning of its coded property type, else "Segment N"; a side its
// modifiers give joins a name that has none. The structure is the label's
// when the anatomy table knows it, else the property type's; a known
// structure takes the table's colour, so that it looks alike from every
// file, another the recommended CIELab colour.
LabelLook segmentLook(const SegSegment &s)
{
    LabelLook look;
    const QString label = s.label.trimmed();
    const std::optional<anatomy::LabelMatch> m =
        label.isEmpty() ? std::nullopt : anatomy::matchLabel(label);
    const anatomy::StructureRow *row = m ? anatomy::rowOf(m->structure) : rowOfCode(s.type);
    const anatomy::Side side = m && m->side != anatomy::Side::None ? m->side
        : row                                                      ? sideOf(s)
                                                                   : anatomy::Side::None;
    if (!label.isEmpty())
        look.name = label;
    else if (row)
        look.name = s.type.meaning.isEmpty() ? QLatin1StringView(row->english) : s.type.meaning;
    else
        look.name = Import::tr("Segment %1").arg(s.number);
    if (row && anatomy::sideIn(look.name) == anatomy::Side::None)
        look.name += sideSuffix(side);
    if (row) {
        // The label-map path gives a known structure the table's colour.
        look.kind = row->structure;
        look.side = side;
    } else if (s.hasLab) {
        const std::array<int, 3> rgb = dicomLabToRgb(s.lab[0], s.lab[1], s.lab[2]);
        std::copy(rgb.begin(), rgb.end(), look.rgb);
        look.hasColor = true;
    }
    return look;
}

QVariantList codesOf(const SegSegment &s)
{
    QVariantList codes;
    const std::pair<const char *, const SegCode *> roles[] = {
        {"category", &s.category},
        {"property_type", &s.type},
        {"property_type_modifier", &s.typeModifier},
        {"anatomic_region", &s.region},
        {"anatomic_region_modifier", &s.regionModifier}};
    for (const auto &[role, code] : roles)
        if (!code->isEmpty())
            codes << QVariantMap {{"role", QString::fromLatin1(role)},
                                  {"scheme", code->scheme},
                                  {"value", code->value},
                                  {"meaning", code->meaning}};
    return codes;
}

// The frames of each segment the file describes; frames naming another are
// left out with a warning naming that segment.
std::map<int, std::vector<qint64>> framesBySegment(const SegFile &seg, const SegGrid &grid)
{
    std::map<int, std::vector<qint64>> frames;
    for (const SegSegment &s : seg.segments)
        frames[s.number];
    std::map<int, int> strays;
    for (size_t f = 0; f < seg.frames.size(); ++f) {
        if (grid.slice[f] < 0)
            continue;
        const auto it = frames.find(seg.frames[f].segment);
        if (it == frames.end())
            ++strays[seg.frames[f].segment];
        else
            it->second.push_back(qint64(f));
    }
    for (const auto &[number, count] : strays)
        warnImport(Import::tr("%1 frames name segment %2, which the segmentation does not "
                              "describe; they are left out.")
                       .arg(count)
                       .arg(number));
    return frames;
}

// One segment's models, appended to `made`; a segment that cannot be made is
// left out with a warning naming it, and why is returned.
QString addSegment(const Recognition &file, const SegFile &seg, const SegGrid &grid,
                   const SegSegment &s, const std::vector<qint64> &frames,
                   const ImportProgress &progress, std::vector<std::unique_ptr<ModelClass>> &made)
{
    const QString title = segmentTitle(s);
    if (frames.empty()) {
        warnImport(Import::tr("%1 has no frames; it is left out.").arg(title));
        return Import::tr("%1 has no frames").arg(title);
    }
    try {
        LabelMapData map = segmentMap(seg, grid, frames, s.number);
        if (!map.storage) {
            warnImport(Import::tr("%1 holds no voxels; it is left out.").arg(title));
            return Import::tr("%1 holds no voxels").arg(title);
        }
        const LabelLook look = segmentLook(s);
        map.segments.push_back({0,
                                s.number,
                                look.name,
                                look.hasColor,
                                {look.rgb[0], look.rgb[1], look.rgb[2]},
                                look.kind,
                                look.side});
        const size_t before = made.size();
        labelMapModels(std::move(map), file, made, progress);
        for (size_t m = before; m < made.size(); ++m)
            made[m]->setProperty(kCodesProperty, codesOf(s));
    } catch (const ImportFailure &failure) {
        warnImport(Import::tr("%1 is left out: %2").arg(title, failure.message));
        return Import::tr("%1: %2").arg(title, failure.message);
    }
    return {};
}

} // namespace

void importDicomSeg(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress)
{
    const SegFile seg = readSegFile(file.path);
    const SegGrid grid = gridOf(seg);
    const std::map<int, std::vector<qint64>> frames = framesBySegment(seg, grid);
    std::vector<std::unique_ptr<ModelClass>> made;
    const qsizetype count = qsizetype(seg.segments.size());
    QString firstReason;
    for (qsizetype n = 0; n < count; ++n) {
        const SegSegment &s = seg.segments[size_t(n)];
        // One share of the bar per segment, the segment's own steps inside it.
        const ImportProgress share = [&](int value, int maximum, const QString &text) {
            const double inside = maximum > 0 ? double(value) / maximum : 0.0;
            return !progress
                || progress(int((n + inside) * 1000), int(count * 1000),
                            Import::tr("%1 (%2 of %3)").arg(segmentTitle(s)).arg(n + 1).arg(count)
                                + "\n" + text);
        };
        const QString reason = addSegment(file, seg, grid, s, frames.at(s.number), share, made);
        if (firstReason.isEmpty())
            firstReason = reason;
    }
    if (made.empty())
        failImport(
            Import::tr("No segment of the segmentation could be read (%1).").arg(firstReason));
    for (auto &model : made)
        models.push_back(std::move(model));
}

std::vector<Recognition> segmentationFilesIn(const QString &folder)
{
    std::vector<Recognition> files;
    QDirIterator it(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        Recognition file = recognise(it.next());
        if (file.kind == FileKind::DicomSeg)
            files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const Recognition &a, const Recognition &b) { return a.path < b.path; });
    return files;
}

std::array<int, 3> dicomLabToRgb(quint16 l, quint16 a, quint16 b)
{
    // Scaled values back to L* 0..100 and a*, b* -128..127.
    const double lightness = l * 100.0 / 65535.0;
    const double aStar = a * 255.0 / 65535.0 - 128.0, bStar = b * 255.0 / 65535.0 - 128.0;
    // CIELab to XYZ under D65.
    const double fy = (lightness + 16.0) / 116.0;
    const double f[3] = {fy + aStar / 500.0, fy, fy - bStar / 200.0};
    const double white[3] = {0.95047, 1.0, 1.08883};
    double xyz[3];
    for (int c = 0; c < 3; ++c) {
        const double cube = f[c] * f[c] * f[c];
        xyz[c] =
            white[c] * (cube > 216.0 / 24389.0 ? cube : (116.0 * f[c] - 16.0) / (24389.0 / 27.0));
    }
    // XYZ to linear sRGB, then the sRGB transfer curve.
    const double m[3][3] = {{3.2404542, -1.5371385, -0.4985314},
                            {-0.9692660, 1.8760108, 0.0415560},
                            {0.0556434, -0.2040259, 1.0572252}};
    std::array<int, 3> rgb {};
    for (int c = 0; c < 3; ++c) {
        const double linear =
            std::clamp(m[c][0] * xyz[0] + m[c][1] * xyz[1] + m[c][2] * xyz[2], 0.0, 1.0);
        const double v =
            linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
        rgb[size_t(c)] = int(std::lround(v * 255.0));
    }
    return rgb;
}
