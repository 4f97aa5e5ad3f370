// The frames of a multi-frame file: each frame's plane position from its own
// functional groups, the orientation, pixel measures and rescale from its own
// groups or from the shared ones, else from the file's top level.

#include "DicomDataSet.h"
#include "DicomFrames.h"
#include "DicomTags.h"
#include "ImportTypes.h"

#include <gdcmReader.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

using namespace dicomtag;

namespace {

// The smallest a frame of encapsulated data can take: its item's header.
constexpr qint64 kSmallestFrameBytes = 8;

// A macro the file has must hold an item whose element gives `count`
// numbers: the library stops the program on a file whose groups lack them.
void requireWhole(const DicomFrame &f, const gdcm::DataSet *groups, const gdcm::Tag &macro,
                  const gdcm::Tag &element, size_t count)
{
    if (!groups || !groups->FindDataElement(macro))
        return;
    const gdcm::DataSet *first = firstItem(groups, macro);
    if (!first || dicomNumbers(elementText(first, element), count).empty())
        failImport(Import::tr("The functional groups of %1 are damaged.").arg(f.file));
}

void requireWholeGroups(const DicomFrame &f, const gdcm::DataSet *groups)
{
    requireWhole(f, groups, kPlanePosition, kPosition, 3);
    requireWhole(f, groups, kPlaneOrientation, kOrientation, 6);
    requireWhole(f, groups, kPixelMeasures, kPixelSpacing, 2);
}

void placeFrame(DicomFrame &f, const gdcm::DataSet *own, const gdcm::DataSet *shared)
{
    // Without a plane position of its own, a frame of several shares the
    // file's one position, which places none of them.
    if (const gdcm::DataSet *p = functionalGroup(own, shared, kPlanePosition))
        f.hasPosition = takeNumbers(p, kPosition, f.position);
    else if (f.frames > 1)
        f.hasPosition = false;
    if (const gdcm::DataSet *o = functionalGroup(own, shared, kPlaneOrientation))
        f.hasOrientation = takeNumbers(o, kOrientation, f.orientation) || f.hasOrientation;
    if (const gdcm::DataSet *m = functionalGroup(own, shared, kPixelMeasures)) {
        f.hasPixelSpacing = takeNumbers(m, kPixelSpacing, f.pixelSpacing) || f.hasPixelSpacing;
        double one[1];
        if (takeNumbers(m, kThickness, one))
            f.thickness = one[0];
        if (takeNumbers(m, kBetween, one))
            f.spacingBetween = one[0];
    }
    if (const gdcm::DataSet *t = functionalGroup(own, shared, kValueTransform)) {
        takeRescale(f, elementText(t, kSlope), "(0028,1053)", f.slope);
        takeRescale(f, elementText(t, kIntercept), "(0028,1052)", f.intercept);
        if (const QString type = elementText(t, kRescaleType); !type.isEmpty())
            f.rescaleType = type;
    }
}

// A dose grid's frames lie along the normal of its planes at its frame
// offsets from the first: relative offsets start at zero, and absolute ones
// at the first plane's own place, so the difference serves both.
void placeByOffsets(DicomFrame &f, int frame)
{
    const double *o = f.orientation;
    const double normal[3] = {o[1] * o[5] - o[2] * o[4], o[2] * o[3] - o[0] * o[5],
                              o[0] * o[4] - o[1] * o[3]};
    const double length =
        std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    if (length < 0.5)
        return;
    const double along = f.frameOffsets[size_t(frame)] - f.frameOffsets[0];
    for (int a = 0; a < 3; ++a)
        f.position[a] += normal[a] / length * along;
    f.hasPosition = true;
}

void requireOffsets(const DicomFrame &base)
{
    if (base.frameOffsets.empty() || base.frameOffsets.size() == size_t(base.frames))
        return;
    failImport(Import::tr("The Grid Frame Offset Vector (3004,000C) of %1 holds %2 offsets for "
                          "its %3 frames.")
                   .arg(QFileInfo(base.file).fileName())
                   .arg(base.frameOffsets.size())
                   .arg(base.frames));
}

} // namespace

void addMultiFrames(const DicomFrame &base, std::vector<DicomFrame> &out)
{
    if (base.frames < 1 || base.frames > base.fileBytes / kSmallestFrameBytes)
        failImport(Import::tr("%1 says it holds %2 frames, more than its %3 bytes can hold.")
                       .arg(base.file)
                       .arg(base.frames)
                       .arg(base.fileBytes));
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(base.file).constData());
    if (!reader.ReadUpToTag(kPixelData))
        failImport(Import::tr("The header of %1 cannot be read.").arg(base.file));
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    const gdcm::DataSet *shared = firstItem(&set, kShared);
    const DicomItems perFrame = dicomSequence(&set, kPerFrame);
    if ((set.FindDataElement(kShared) && !shared) || (set.FindDataElement(kPerFrame) && !perFrame))
        failImport(Import::tr("The functional groups of %1 are damaged.").arg(base.file));
    requireWholeGroups(base, shared);
    requireOffsets(base);
    const bool byOffsets = !base.frameOffsets.empty() && base.hasPosition && base.hasOrientation;
    for (int i = 0; i < base.frames; ++i) {
        DicomFrame f = base;
        f.frame = i;
        requireWholeGroups(base, dicomItem(perFrame, size_t(i) + 1));
        placeFrame(f, dicomItem(perFrame, size_t(i) + 1), shared);
        if (byOffsets && !f.hasPosition) {
            std::copy(base.position, base.position + 3, f.position);
            placeByOffsets(f, i);
        }
        out.push_back(f);
    }
}
