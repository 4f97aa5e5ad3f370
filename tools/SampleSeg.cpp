// Voxelises implicit shapes on an axial grid and writes them as a binary
// DICOM segmentation, one segment each, coded and coloured as segmentation
// tools do. The identifiers are fixed, so the file is the same on every run.

#include "SampleSeg.h"
#include "SampleDicom.h"

#include <gdcmFile.h>
#include <gdcmWriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The CIELab value of an sRGB colour (D65), scaled as the format stores it:
// L* 0..100 and a*, b* -128..127 onto 0..65535.
std::vector<uint16_t> scaledLab(const std::array<int, 3> &rgb)
{
    double linear[3];
    for (int c = 0; c < 3; ++c) {
        const double v = rgb[size_t(c)] / 255.0;
        linear[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    }
    const double xyz[3] = {(0.4124 * linear[0] + 0.3576 * linear[1] + 0.1805 * linear[2]) / 0.95047,
                           0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2],
                           (0.0193 * linear[0] + 0.1192 * linear[1] + 0.9505 * linear[2])
                               / 1.08883};
    double f[3];
    for (int c = 0; c < 3; ++c)
        f[c] = xyz[c] > 216.0 / 24389.0 ? std::cbrt(xyz[c]) : (24389.0 / 27.0 * xyz[c] + 16) / 116;
    const double lab[3] = {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
    const auto scale = [](double v, double low, double span) {
        return uint16_t(std::lround(std::clamp((v - low) / span, 0.0, 1.0) * 65535));
    };
    return {scale(lab[0], 0, 100), scale(lab[1], -128, 255), scale(lab[2], -128, 255)};
}

gdcm::DataSet code(const std::string &value, const std::string &meaning)
{
    gdcm::DataSet item;
    putText(item, 0x0008, 0x0100, gdcm::VR::SH, value);
    putText(item, 0x0008, 0x0102, gdcm::VR::SH, "SCT");
    putText(item, 0x0008, 0x0104, gdcm::VR::LO, meaning);
    return item;
}

gdcm::DataSet segmentItem(int number, const SegmentedStructure &s)
{
    gdcm::DataSet item;
    putShorts(item, 0x0062, 0x0004, {uint16_t(number)});
    putText(item, 0x0062, 0x0005, gdcm::VR::LO, s.label);
    putText(item, 0x0062, 0x0008, gdcm::VR::CS, "AUTOMATIC");
    putText(item, 0x0062, 0x0009, gdcm::VR::LO, "Tessaron sample");
    putShorts(item, 0x0062, 0x000d, scaledLab(s.colour));
    const bool altered = s.type[0] == "108369006"; // a neoplasm is not a normal structure
    putSequence(item, 0x0062, 0x0003,
                {altered ? code("49755003", "Morphologically Altered Structure")
                         : code("91723000", "Anatomical Structure")});
    gdcm::DataSet type = code(s.type[0], s.type[1]);
    if (!s.modifier[0].empty())
        putSequence(type, 0x0062, 0x0011, {code(s.modifier[0], s.modifier[1])});
    putSequence(item, 0x0062, 0x000f, {type});
    return item;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", v);
    return text;
}

// The grid: voxel (i, j, k) is our (high x - i h, high y - j h, low z + k h),
// so rows run along the patient's left and columns to the back, as on axial
// slices.
struct Grid
{
    std::array<double, 3> low, high;
    double h;
    int columns, rows, slices;
    std::array<double, 3> at(int i, int j, int k) const
    {
        return {high[0] - i * h, high[1] - j * h, low[2] + k * h};
    }
};

Grid gridOf(const std::vector<SegmentedStructure> &structures, double pixel)
{
    Grid g {structures.front().low, structures.front().high, pixel, 0, 0, 0};
    for (const SegmentedStructure &s : structures)
        for (int c = 0; c < 3; ++c) {
            g.low[size_t(c)] = std::min(g.low[size_t(c)], s.low[size_t(c)]);
            g.high[size_t(c)] = std::max(g.high[size_t(c)], s.high[size_t(c)]);
        }
    g.columns = int(std::ceil((g.high[0] - g.low[0]) / pixel)) + 1;
    g.rows = int(std::ceil((g.high[1] - g.low[1]) / pixel)) + 1;
    g.slices = int(std::ceil((g.high[2] - g.low[2]) / pixel)) + 1;
    return g;
}

// One frame of a segment, as bits appended to `bits`; false when it holds none.
bool appendFrame(const Grid &g, const SegmentedStructure &s, int k, std::vector<bool> &bits)
{
    std::vector<bool> frame(size_t(g.columns) * size_t(g.rows));
    bool any = false;
    for (int j = 0; j < g.rows; ++j)
        for (int i = 0; i < g.columns; ++i) {
            const auto p = g.at(i, j, k);
            const bool inside = s.field(p[0], p[1], p[2]) < 0;
            frame[size_t(j) * size_t(g.columns) + size_t(i)] = inside;
            any = any || inside;
        }
    if (any)
        bits.insert(bits.end(), frame.begin(), frame.end());
    return any;
}

// Bits packed eight to a byte, the first in the lowest bit; frames follow
// each other without padding.
std::string packed(const std::vector<bool> &bits)
{
    std::string bytes((bits.size() + 7) / 8, '\0');
    for (size_t b = 0; b < bits.size(); ++b)
        if (bits[b])
            bytes[b / 8] = char(bytes[b / 8] | (1 << (b % 8)));
    return bytes;
}

void putHeader(gdcm::DataSet &top, const Grid &g, int frames)
{
    putText(top, 0x0008, 0x0016, gdcm::VR::UI, "1.2.840.10008.5.1.4.1.1.66.4");
    putText(top, 0x0008, 0x0018, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4243.1");
    putText(top, 0x0008, 0x0060, gdcm::VR::CS, "SEG");
    putText(top, 0x0010, 0x0010, gdcm::VR::PN, "Sample^Kidney");
    putText(top, 0x0020, 0x000d, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4242.2");
    putText(top, 0x0020, 0x000e, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4243.3");
    putText(top, 0x0020, 0x0052, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4242.4");
    putText(top, 0x0028, 0x0004, gdcm::VR::CS, "MONOCHROME2");
    putText(top, 0x0028, 0x0008, gdcm::VR::IS, std::to_string(frames));
    putShorts(top, 0x0028, 0x0002, {1});
    putShorts(top, 0x0028, 0x0010, {uint16_t(g.rows)});
    putShorts(top, 0x0028, 0x0011, {uint16_t(g.columns)});
    putShorts(top, 0x0028, 0x0100, {1});
    putShorts(top, 0x0028, 0x0101, {1});
    putShorts(top, 0x0028, 0x0102, {0});
    putShorts(top, 0x0028, 0x0103, {0});
    putText(top, 0x0062, 0x0001, gdcm::VR::CS, "BINARY");
    gdcm::DataSet orientation, measures, shared;
    putText(orientation, 0x0020, 0x0037, gdcm::VR::DS, "1\\0\\0\\0\\1\\0");
    putText(measures, 0x0028, 0x0030, gdcm::VR::DS, number(g.h) + "\\" + number(g.h));
    putText(measures, 0x0018, 0x0050, gdcm::VR::DS, number(g.h));
    putText(measures, 0x0018, 0x0088, gdcm::VR::DS, number(g.h));
    putSequence(shared, 0x0020, 0x9116, {orientation});
    putSequence(shared, 0x0028, 0x9110, {measures});
    putSequence(top, 0x5200, 0x9229, {shared});
}

} // namespace

int writeSampleSeg(const std::filesystem::path &file,
                   const std::vector<SegmentedStructure> &structures, double pixel)
{
    const Grid g = gridOf(structures, pixel);
    std::vector<bool> bits;
    std::vector<gdcm::DataSet> segments, frames;
    for (size_t s = 0; s < structures.size(); ++s) {
        segments.push_back(segmentItem(int(s + 1), structures[s]));
        for (int k = 0; k < g.slices; ++k) {
            if (!appendFrame(g, structures[s], k, bits))
                continue;
            // The first voxel's centre in left-posterior-superior millimetres.
            const auto p = g.at(0, 0, k);
            gdcm::DataSet place, ident, item;
            putText(place, 0x0020, 0x0032, gdcm::VR::DS,
                    number(-p[0]) + "\\" + number(-p[1]) + "\\" + number(p[2]));
            putShorts(ident, 0x0062, 0x000b, {uint16_t(s + 1)});
            putSequence(item, 0x0020, 0x9113, {place});
            putSequence(item, 0x0062, 0x000a, {ident});
            frames.push_back(item);
        }
    }
    gdcm::Writer writer;
    gdcm::DataSet &top = writer.GetFile().GetDataSet();
    putHeader(top, g, int(frames.size()));
    putSequence(top, 0x0062, 0x0002, segments);
    putSequence(top, 0x5200, 0x9230, frames);
    putBytes(top, 0x7fe0, 0x0010, gdcm::VR::OB, packed(bits));
    writer.GetFile().GetHeader().SetDataSetTransferSyntax(
        gdcm::TransferSyntax::ExplicitVRLittleEndian);
    writer.SetFileName(file.string().c_str());
    return writer.Write() ? int(frames.size()) : -1;
}
