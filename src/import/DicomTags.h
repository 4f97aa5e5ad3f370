#pragma once

// The DICOM elements the reader looks at, by (group, element), in one place
// for the scan, the pixel reading and the multi-frame groups.

#include <gdcmTag.h>

namespace dicomtag {

inline const gdcm::Tag kSyntax(0x0002, 0x0010);
inline const gdcm::Tag kDirectoryRecords(0x0004, 0x1220);
inline const gdcm::Tag kReferencedFile(0x0004, 0x1500);
inline const gdcm::Tag kImageType(0x0008, 0x0008);
inline const gdcm::Tag kStudyDate(0x0008, 0x0020);
inline const gdcm::Tag kSeriesDate(0x0008, 0x0021);
inline const gdcm::Tag kModality(0x0008, 0x0060);
inline const gdcm::Tag kDescription(0x0008, 0x103e);
inline const gdcm::Tag kPatient(0x0010, 0x0010);
inline const gdcm::Tag kThickness(0x0018, 0x0050);
inline const gdcm::Tag kBetween(0x0018, 0x0088);
inline const gdcm::Tag kSeriesUid(0x0020, 0x000e);
inline const gdcm::Tag kPosition(0x0020, 0x0032);
inline const gdcm::Tag kOrientation(0x0020, 0x0037);
inline const gdcm::Tag kPlanePosition(0x0020, 0x9113);
inline const gdcm::Tag kPlaneOrientation(0x0020, 0x9116);
inline const gdcm::Tag kSamples(0x0028, 0x0002);
inline const gdcm::Tag kFrames(0x0028, 0x0008);
inline const gdcm::Tag kFrameIncrement(0x0028, 0x0009);
inline const gdcm::Tag kRows(0x0028, 0x0010);
inline const gdcm::Tag kColumns(0x0028, 0x0011);
inline const gdcm::Tag kPixelSpacing(0x0028, 0x0030);
inline const gdcm::Tag kBitsAllocated(0x0028, 0x0100);
inline const gdcm::Tag kBitsStored(0x0028, 0x0101);
inline const gdcm::Tag kRepresentation(0x0028, 0x0103);
inline const gdcm::Tag kIntercept(0x0028, 0x1052);
inline const gdcm::Tag kSlope(0x0028, 0x1053);
inline const gdcm::Tag kRescaleType(0x0028, 0x1054);
inline const gdcm::Tag kPixelMeasures(0x0028, 0x9110);
inline const gdcm::Tag kValueTransform(0x0028, 0x9145);
inline const gdcm::Tag kDoseUnits(0x3004, 0x0002);
inline const gdcm::Tag kFrameOffsets(0x3004, 0x000c);
inline const gdcm::Tag kDoseScaling(0x3004, 0x000e);
inline const gdcm::Tag kUnits(0x0054, 0x1001);
inline const gdcm::Tag kMosaicImages(0x0019, 0x100a);
inline const gdcm::Tag kShared(0x5200, 0x9229);
inline const gdcm::Tag kPerFrame(0x5200, 0x9230);
inline const gdcm::Tag kPixelData(0x7fe0, 0x0010);

} // namespace dicomtag
