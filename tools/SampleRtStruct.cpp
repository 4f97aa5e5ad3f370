// Traces the outlines of implicit shapes on axial planes by marching
// squares and writes them as the closed planar contours of a structure set.
// The identifiers are fixed, so the file is the same on every run.

#include "SampleRtStruct.h"
#include "SampleDicom.h"

#include <gdcmFile.h>
#include <gdcmWriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

using Loop = std::vector<std::array<double, 2>>;

// The closed outlines of {field < 0} on one plane. Each cell's segments run
// with the inside on their left, so every crossing point has one segment in
// and one out, and following them gives closed loops. A saddle cell is
// resolved by the value at its centre.
std::vector<Loop> outlines(const std::function<double(double, double)> &f, double x0, double y0,
                           int nx, int ny, double h)
{
    std::vector<double> v(size_t(nx * ny));
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            v[size_t(j * nx + i)] = f(x0 + i * h, y0 + j * h);
    // A crossing is named by its grid edge: 2 * node + 0 along x, + 1 along y.
    std::map<long, std::array<double, 2>> at;
    std::map<long, long> next;
    const auto cross = [&](int i, int j, int axis) {
        const long id = 2L * (j * nx + i) + axis;
        const double a = v[size_t(j * nx + i)];
        const double b = v[size_t((j + axis) * nx + i + 1 - axis)];
        const double t = a / (a - b);
        at[id] = {x0 + (i + (axis ? 0 : t)) * h, y0 + (j + (axis ? t : 0)) * h};
        return id;
    };
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            // Corners counter-clockwise: (i,j) (i+1,j) (i+1,j+1) (i,j+1); edges between them.
            const double c[4] = {v[size_t(j * nx + i)], v[size_t(j * nx + i + 1)],
                                 v[size_t((j + 1) * nx + i + 1)], v[size_t((j + 1) * nx + i)]};
            const std::array<std::array<int, 3>, 4> edges {
                {{i, j, 0}, {i + 1, j, 1}, {i, j + 1, 0}, {i, j, 1}}};
            std::vector<int> out, in; // edges where the outline leaves or enters the inside
            for (int e = 0; e < 4; ++e) {
                const bool a = c[e] < 0, b = c[(e + 1) % 4] < 0;
                if (a && !b)
                    out.push_back(e);
                else if (!a && b)
                    in.push_back(e);
            }
            const auto id = [&](int e) { return cross(edges[e][0], edges[e][1], edges[e][2]); };
            if (out.size() == 1) {
                next[id(in[0])] = id(out[0]);
            } else if (out.size() == 2) {
                const bool joined = (c[0] + c[1] + c[2] + c[3]) < 0;
                // Inside corners 0 and 2, or 1 and 3: pair each entry with an exit.
                for (int k = 0; k < 2; ++k) {
                    const int enter = in[size_t(k)];
                    int leave = joined ? (enter + 3) % 4 : (enter + 1) % 4;
                    if (std::find(out.begin(), out.end(), leave) == out.end())
                        leave = out[size_t(k)];
                    next[id(enter)] = id(leave);
                }
            }
        }
    std::vector<Loop> loops;
    while (!next.empty()) {
        Loop loop;
        const long first = next.begin()->first;
        long p = first;
        do {
            loop.push_back(at[p]);
            const auto n = next.find(p);
            if (n == next.end())
                break;
            p = n->second;
            next.erase(n);
        } while (p != first);
        if (loop.size() >= 3)
            loops.push_back(std::move(loop));
    }
    return loops;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

} // namespace

int writeSampleRtStruct(const std::filesystem::path &file,
                        const std::vector<ContouredStructure> &structures, double planeStep,
                        double pixel)
{
    const std::string sopClass = "1.2.840.10008.5.1.4.1.1.481.3";
    const std::string instance = "1.2.826.0.1.3680043.8.498.4242.1";
    gdcm::Writer writer;
    gdcm::DataSet &top = writer.GetFile().GetDataSet();
    putText(top, 0x0008, 0x0016, gdcm::VR::UI, sopClass);
    putText(top, 0x0008, 0x0018, gdcm::VR::UI, instance);
    putText(top, 0x0008, 0x0060, gdcm::VR::CS, "RTSTRUCT");
    putText(top, 0x0010, 0x0010, gdcm::VR::PN, "Sample^Kidney");
    putText(top, 0x0020, 0x000d, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4242.2");
    putText(top, 0x0020, 0x000e, gdcm::VR::UI, "1.2.826.0.1.3680043.8.498.4242.3");
    putText(top, 0x3006, 0x0002, gdcm::VR::SH, "sample kidney");
    std::vector<gdcm::DataSet> listed, contoured;
    int count = 0;
    for (size_t s = 0; s < structures.size(); ++s) {
        const ContouredStructure &st = structures[s];
        const std::string roiNumber = std::to_string(s + 1);
        gdcm::DataSet roi;
        putText(roi, 0x3006, 0x0022, gdcm::VR::IS, roiNumber);
        putText(roi, 0x3006, 0x0026, gdcm::VR::LO, st.name);
        listed.push_back(roi);
        std::vector<gdcm::DataSet> contours;
        const int nx = int(std::ceil((st.high[0] - st.low[0]) / pixel)) + 3;
        const int ny = int(std::ceil((st.high[1] - st.low[1]) / pixel)) + 3;
        for (double z = std::ceil(st.low[2] / planeStep) * planeStep; z <= st.high[2];
             z += planeStep) {
            const auto plane = [&](double x, double y) { return st.field(x, y, z); };
            for (const Loop &loop :
                 outlines(plane, st.low[0] - pixel, st.low[1] - pixel, nx, ny, pixel)) {
                std::string data;
                for (const auto &p : loop) // our frame to left-posterior-superior
                    data += number(-p[0]) + "\\" + number(-p[1]) + "\\" + number(z) + "\\";
                data.pop_back();
                gdcm::DataSet c;
                putText(c, 0x3006, 0x0042, gdcm::VR::CS, "CLOSED_PLANAR");
                putText(c, 0x3006, 0x0046, gdcm::VR::IS, std::to_string(loop.size()));
                putText(c, 0x3006, 0x0050, gdcm::VR::DS, data);
                contours.push_back(c);
                ++count;
            }
        }
        gdcm::DataSet entry;
        putText(entry, 0x3006, 0x002a, gdcm::VR::IS,
                std::to_string(st.colour[0]) + "\\" + std::to_string(st.colour[1]) + "\\"
                    + std::to_string(st.colour[2]));
        putSequence(entry, 0x3006, 0x0040, contours);
        putText(entry, 0x3006, 0x0084, gdcm::VR::IS, roiNumber);
        contoured.push_back(entry);
    }
    putSequence(top, 0x3006, 0x0020, listed);
    putSequence(top, 0x3006, 0x0039, contoured);
    gdcm::FileMetaInformation &meta = writer.GetFile().GetHeader();
    meta.SetDataSetTransferSyntax(gdcm::TransferSyntax::ExplicitVRLittleEndian);
    writer.SetFileName(file.string().c_str());
    if (!writer.Write())
        return -1;
    return count;
}
