#pragma once

// The sample segmentation: the sample structures as the segments of a
// binary DICOM segmentation, kidney_seg.dcm, written with GDCM.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct SegmentedStructure
{
    std::string label;                                   // the Segment Label
    std::array<std::string, 2> type;                     // SNOMED CT value and meaning
    std::array<std::string, 2> modifier;                 // its side, or two empty texts
    std::array<int, 3> colour;                           // sRGB 0..255
    std::function<double(double, double, double)> field; // negative inside, our frame (mm)
    std::array<double, 3> low, high;                     // a box holding it
};

// Samples every structure on one axial grid of `pixel` mm cubes over the box
// holding them all and writes the frames that hold any of it, placed in
// patient left-posterior-superior millimetres. Returns the number of frames
// written, or -1 when the file cannot be written.
int writeSampleSeg(const std::filesystem::path &file,
                   const std::vector<SegmentedStructure> &structures, double pixel);
