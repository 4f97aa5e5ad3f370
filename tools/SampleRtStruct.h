#pragma once

// The sample structure set: the sample structures' outlines on axial planes
// as a DICOM structure set, kidney_rtstruct.dcm, written with GDCM.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct ContouredStructure
{
    std::string name;                                    // the ROI name
    std::array<int, 3> colour;                           // its display colour
    std::function<double(double, double, double)> field; // negative inside, our frame (mm)
    std::array<double, 3> low, high;                     // a box holding it
};

// Outlines every structure on planes `planeStep` mm apart, traced on a
// square grid of `pixel` mm, and writes them in patient left-posterior-
// superior millimetres. Returns the number of contours written.
int writeSampleRtStruct(const std::filesystem::path &file,
                        const std::vector<ContouredStructure> &structures, double planeStep,
                        double pixel);
