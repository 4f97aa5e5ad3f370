// Writes the sample scene: synthetic surfaces of a left kidney and its
// neighbours as binary .surf files, and scene.hx, which loads them all; and
// the same structures as a label map to import, kidney_labels.nii with its
// label table kidney_labels.txt; and a small synthetic CT of the same body,
// kidney_ct.nii, in Hounsfield units and in the same world frame; and their
// outlines as a DICOM structure set, kidney_rtstruct.dcm, and their voxels as
// a DICOM segmentation, kidney_seg.dcm.
// Each shape is an implicit function (negative inside, in millimetres)
// sampled on a grid and polygonised by marching tetrahedra, so vertices are
// shared between triangles and every surface is closed and oriented outward,
// like a surface extracted from a segmentation. The output is the same, byte
// for byte, on every run.
//
// Usage: make_samples OUTPUT_FOLDER

#include "SampleRtStruct.h"
#include "SampleSeg.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Vec3
{
    double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(double s, Vec3 a)
{
    return {s * a.x, s * a.y, s * a.z};
}
double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec3 a)
{
    return std::sqrt(dot(a, a));
}

using Field = std::function<double(Vec3)>;

// Union with a rounded seam of width k, as where a branch leaves a vessel.
double smoothMin(double a, double b, double k)
{
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b + (a - b) * h - k * h * (1.0 - h);
}

// ---------------------------------------------------------------- tubes

struct TubePoint
{
    Vec3 at;
    double radius;
};
using Tube = std::vector<TubePoint>;

// Distance to a tube whose radius changes linearly along each segment.
double tubeDistance(const Tube &tube, Vec3 p)
{
    double best = 1e9;
    for (size_t i = 0; i + 1 < tube.size(); ++i) {
        const Vec3 ab = tube[i + 1].at - tube[i].at;
        const double t = std::clamp(dot(p - tube[i].at, ab) / dot(ab, ab), 0.0, 1.0);
        const double r = tube[i].radius + t * (tube[i + 1].radius - tube[i].radius);
        best = std::min(best, length(p - (tube[i].at + t * ab)) - r);
    }
    return best;
}

// A curved vessel: a quadratic Bezier curve from a through control c to b,
// its radius tapering from ra to rb.
Tube curve(Vec3 a, Vec3 c, Vec3 b, double ra, double rb, int segments = 10)
{
    Tube tube;
    for (int i = 0; i <= segments; ++i) {
        const double t = double(i) / segments;
        const Vec3 p = ((1 - t) * (1 - t)) * a + (2 * t * (1 - t)) * c + (t * t) * b;
        tube.push_back({p, ra + t * (rb - ra)});
    }
    return tube;
}

Field vesselTree(std::vector<Tube> tubes, double seam)
{
    return [tubes = std::move(tubes), seam](Vec3 p) {
        double f = tubeDistance(tubes[0], p);
        for (size_t i = 1; i < tubes.size(); ++i)
            f = smoothMin(f, tubeDistance(tubes[i], p), seam);
        return f;
    };
}

// ---------------------------------------------------------------- shapes

double ellipsoid(Vec3 p, Vec3 centre, Vec3 radii, double scale)
{
    const Vec3 q = p - centre;
    const double e = std::sqrt(q.x * q.x / (radii.x * radii.x) + q.y * q.y / (radii.y * radii.y)
                               + q.z * q.z / (radii.z * radii.z));
    return (e - 1.0) * scale;
}

double gaussian(Vec3 p, Vec3 centre, Vec3 width)
{
    const Vec3 q = p - centre;
    return std::exp(-(q.x * q.x / (width.x * width.x) + q.y * q.y / (width.y * width.y)
                      + q.z * q.z / (width.z * width.z)));
}

// A bean: an ellipsoid bent so that the poles turn medially (towards +x, the
// patient's right, for this left kidney), with the hilum pressed into the
// middle of the medial border and shallow lobes on the surface.
double kidney(Vec3 p)
{
    const Vec3 bent {p.x - 0.004 * p.z * p.z, p.y, p.z};
    double f = ellipsoid(bent, {}, {28, 22, 55}, 25);
    f += 14 * gaussian(p, {30, 0, 0}, {10, 9, 16});
    f += 0.8 * std::sin(0.25 * p.x) * std::sin(0.3 * p.y) * std::sin(0.2 * p.z);
    return f;
}

// The collecting system: a funnel-shaped pelvis in the hilum, three calyces
// reaching into the kidney, each ending in a cup, and the ureter going down.
double pelvis(Vec3 p)
{
    double f = ellipsoid(p, {30, 0, -2}, {11, 7, 13}, 9);
    const std::array<Tube, 4> branches = {
        curve({30, 0, 2}, {24, 0, 18}, {12, 0, 30}, 4.5, 3),
        curve({30, 0, -4}, {24, 0, -20}, {13, 0, -30}, 4.5, 3),
        curve({28, 0, 0}, {20, 1, 1}, {9, 1, 2}, 4, 2.8),
        curve({33, 0, -10}, {40, 0, -30}, {39, -2, -72}, 6, 2.5, 14),
    };
    for (const Tube &branch : branches)
        f = smoothMin(f, tubeDistance(branch, p), 3);
    for (Vec3 cup : {Vec3 {11, 0, 31}, Vec3 {12, 0, -31}, Vec3 {8, 1, 2}})
        f = smoothMin(f, length(p - cup) - 4.5, 2);
    return f;
}

// Stones lodged in the pelvis and two calyces, rough on the surface.
double stones(Vec3 p)
{
    const std::array<std::pair<Vec3, double>, 3> stones = {
        {{{29, 1, 1}, 4.2}, {{13, 0, 28}, 2.6}, {{14, 1, -27}, 3.1}}};
    double f = 1e9;
    for (const auto &[centre, radius] : stones) {
        const Vec3 q = p - centre;
        const double lumps =
            0.16 * std::sin(2.1 * q.x + 1) * std::sin(1.7 * q.y + 2) * std::sin(1.9 * q.z + 3)
            + 0.08 * std::sin(4.3 * q.x) * std::cos(3.7 * q.z);
        f = std::min(f, length(q) - radius * (1 + lumps));
    }
    return f;
}

// A nodule growing out of the lateral (the patient's left) upper half of the
// kidney.
double tumour(Vec3 p)
{
    const Vec3 q = p - Vec3 {-24, 4, 27};
    const double lumps = 0.07 * std::sin(0.45 * q.x + 0.3) * std::sin(0.5 * q.y)
        + 0.05 * std::sin(0.6 * q.z + 1.1) * std::cos(0.4 * q.x);
    return ellipsoid(q, {}, {13, 11, 14}, 12) - 12 * lumps;
}

// A patch of the back skin behind the kidney: a slab 6 mm thick that curves
// forward at the flank, with soft folds and rounded borders.
double skin(Vec3 p)
{
    const double surface = -78 + 0.0035 * (p.x - 60) * (p.x - 60) + 1.5 * std::sin(p.z / 17)
        + 0.8 * std::sin(p.x / 11);
    const double slab = std::abs(p.y - surface) - 3;
    const double border = std::max(std::abs(p.x - 35) - 60, std::abs(p.z) - 65);
    return -smoothMin(-slab, -border, 4);
}

Field renalArtery()
{
    return vesselTree({curve({78, 8, 6}, {58, 8, 4}, {38, 5, 3}, 3.2, 2.8),
                       curve({38, 5, 3}, {26, 7, 22}, {9, 4, 40}, 2.2, 1.4),
                       curve({38, 5, 3}, {25, 6, -18}, {9, 4, -38}, 2.2, 1.4),
                       curve({38, 5, 3}, {25, -5, 4}, {8, -8, 10}, 1.9, 1.3),
                       curve({58, 8, 4}, {52, 6, 22}, {40, 3, 44}, 1.5, 1.2)},
                      1.2);
}

Field renalVein()
{
    return vesselTree({curve({88, 16, 0}, {62, 15, -2}, {40, 11, 0}, 5.5, 4.5),
                       curve({40, 11, 0}, {28, 12, 20}, {12, 9, 36}, 3.4, 1.8),
                       curve({40, 11, 0}, {28, 11, -22}, {12, 9, -36}, 3.4, 1.8),
                       curve({40, 11, 0}, {27, 0, -2}, {10, -5, -4}, 2.8, 1.6),
                       curve({66, 15, -2}, {68, 12, -25}, {70, 10, -44}, 2.2, 1.8)},
                      2.0);
}

// ---------------------------------------------------------------- meshing

struct Surface
{
    std::vector<float> xyz;
    std::vector<int32_t> triangles; // vertex numbers from 0
};

// The six tetrahedra of a grid cell around its diagonal from corner 0 to 7
// (corner bits: 1 = +x, 2 = +y, 4 = +z). Neighbouring cells cut their
// common faces the same way, so the surface closes across cells.
constexpr int kTetrahedra[6][4] = {{0, 1, 3, 7}, {0, 1, 5, 7}, {0, 2, 3, 7},
                                   {0, 2, 6, 7}, {0, 4, 5, 7}, {0, 4, 6, 7}};

class Polygoniser
{
public:
    Polygoniser(const Field &field, Vec3 low, Vec3 high, double step)
        : low(low)
        , step(step)
        , nx(int((high.x - low.x) / step) + 2)
        , ny(int((high.y - low.y) / step) + 2)
        , nz(int((high.z - low.z) / step) + 2)
    {
        values.resize(size_t(nx) * ny * nz);
        for (int k = 0; k < nz; ++k)
            for (int j = 0; j < ny; ++j)
                for (int i = 0; i < nx; ++i) {
                    const double v = field(node(i, j, k));
                    values[index(i, j, k)] = v == 0 ? 1e-9 : v; // no vertex on a node
                }
    }

    Surface run()
    {
        for (int k = 0; k + 1 < nz; ++k)
            for (int j = 0; j + 1 < ny; ++j)
                for (int i = 0; i + 1 < nx; ++i)
                    cell(i, j, k);
        return std::move(out);
    }

private:
    Vec3 node(int i, int j, int k) const
    {
        return {low.x + i * step, low.y + j * step, low.z + k * step};
    }
    size_t index(int i, int j, int k) const { return (size_t(k) * ny + j) * nx + i; }
    Vec3 position(size_t n) const
    {
        return node(int(n % nx), int(n / nx % ny), int(n / (size_t(nx) * ny)));
    }

    void cell(int i, int j, int k)
    {
        std::array<size_t, 8> corner;
        for (int c = 0; c < 8; ++c)
            corner[c] = index(i + (c & 1), j + (c >> 1 & 1), k + (c >> 2 & 1));
        for (const auto &tet : kTetrahedra)
            tetrahedron({corner[tet[0]], corner[tet[1]], corner[tet[2]], corner[tet[3]]});
    }

    // Cuts one tetrahedron. Inside corners come first, then the corners are
    // put in positive order (the determinant of their edges from n0 is
    // positive), which decides the winding: normals point away from the
    // inside whatever the shape of the cut, and neighbours always agree.
    void tetrahedron(std::array<size_t, 4> n)
    {
        std::stable_partition(n.begin(), n.end(), [&](size_t c) { return values[c] < 0; });
        const int inside =
            int(std::count_if(n.begin(), n.end(), [&](size_t c) { return values[c] < 0; }));
        if (inside == 0 || inside == 4)
            return;
        const Vec3 a = position(n[0]);
        if (dot(cross(position(n[1]) - a, position(n[2]) - a), position(n[3]) - a) < 0) {
            // Swapping two corners on the same side makes the order positive.
            if (inside == 3)
                std::swap(n[0], n[1]);
            else
                std::swap(n[2], n[3]);
        }
        // With positive order the face n1 n2 n3 faces away from n0 and the
        // face n0 n1 n2 towards n3; each cut keeps the winding of that face.
        if (inside == 1) {
            addTriangle(edge(n[0], n[1]), edge(n[0], n[2]), edge(n[0], n[3]));
        } else if (inside == 3) {
            addTriangle(edge(n[3], n[0]), edge(n[3], n[1]), edge(n[3], n[2]));
        } else {
            const int ac = edge(n[0], n[2]), ad = edge(n[0], n[3]);
            const int bd = edge(n[1], n[3]), bc = edge(n[1], n[2]);
            addTriangle(ac, ad, bd);
            addTriangle(ac, bd, bc);
        }
    }

    void addTriangle(int a, int b, int c) { out.triangles.insert(out.triangles.end(), {a, b, c}); }

    // The vertex where the surface crosses the grid edge a-b, made once and
    // shared by every triangle that meets that edge.
    int edge(size_t a, size_t b)
    {
        if (a > b)
            std::swap(a, b); // the same rounding whichever tetrahedron comes first
        const uint64_t key = uint64_t(a) * values.size() + b;
        const auto [it, added] = vertices.try_emplace(key, int(out.xyz.size() / 3));
        if (added) {
            const double t = values[a] / (values[a] - values[b]);
            const Vec3 p = position(a) + t * (position(b) - position(a));
            out.xyz.insert(out.xyz.end(), {float(p.x), float(p.y), float(p.z)});
        }
        return it->second;
    }

    Vec3 low;
    double step;
    int nx, ny, nz;
    std::vector<double> values;
    std::unordered_map<uint64_t, int> vertices;
    Surface out;
};

// ---------------------------------------------------------------- files

void putBigEndian(std::string &bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(char(value >> shift & 0xff));
}

std::string surfHeader(const std::string &material, const std::array<double, 3> &colour)
{
    char colourText[64];
    std::snprintf(colourText, sizeof colourText, "%.3f %.3f %.3f", colour[0], colour[1], colour[2]);
    return "# HyperSurface 0.1 BINARY\n\nParameters {\n    Materials {\n        Exterior {\n"
           "            Id 1\n        }\n        "
        + material + " {\n            Id 2,\n            Color " + colourText
        + "\n        }\n    }\n    BoundaryIds {\n        Name \"BoundaryConditions\"\n    "
          "}\n}\n\n";
}

void writeSurf(const std::filesystem::path &path, const Surface &surface,
               const std::string &material, const std::array<double, 3> &colour)
{
    std::string bytes = surfHeader(material, colour);
    bytes += "Vertices " + std::to_string(surface.xyz.size() / 3) + "\n";
    for (float v : surface.xyz)
        putBigEndian(bytes, std::bit_cast<uint32_t>(v));
    bytes += "NBranchingPoints 0\nNVerticesOnCurves 0\nBoundaryCurves 0\nPatches 1\n{\n"
             "InnerRegion "
        + material + "\nOuterRegion Exterior\nBoundaryID 0\nBranchingPoints 0\n\n";
    bytes += "Triangles " + std::to_string(surface.triangles.size() / 3) + "\n";
    for (int32_t v : surface.triangles)
        putBigEndian(bytes, uint32_t(v + 1));
    bytes += "}\n";
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A label map of the same structures, as automatic segmentation writes one:
// a NIfTI-1 file of one byte per 1 mm voxel whose sform (and qform) turns
// the voxel axes round in x and y, as scanners store their slices, and a
// label table beside it with the names of the structures.
struct Label
{
    int value;
    const char *name;
    Field field;
};

void putLittle(std::string &bytes, size_t at, const void *value, size_t size)
{
    std::memcpy(bytes.data() + at, value, size);
}

template<class T> void put(std::string &bytes, size_t at, T value)
{
    putLittle(bytes, at, &value, sizeof value);
}

// What a NIfTI file's voxels are: the type code, bits per voxel, the
// voxel size and a description.
struct VoxelKind
{
    int16_t code = 2; // unsigned bytes
    int16_t bits = 8;
    float spacing[3] = {1, 1, 1};
    const char *description = "Tessaron sample label map";
};

std::string niftiHeader(int nx, int ny, int nz, const double srow[3][4], const VoxelKind &kind)
{
    std::string h(352, '\0'); // the header and an empty extension flag
    put<int32_t>(h, 0, 348);
    const int16_t dims[8] = {3, int16_t(nx), int16_t(ny), int16_t(nz), 1, 1, 1, 1};
    putLittle(h, 40, dims, sizeof dims);
    put<int16_t>(h, 70, kind.code);
    put<int16_t>(h, 72, kind.bits);
    const float pixdim[8] = {1, kind.spacing[0], kind.spacing[1], kind.spacing[2], 1, 1, 1, 1};
    putLittle(h, 76, pixdim, sizeof pixdim); // qfac 1
    put<float>(h, 108, 352);
    h[123] = 2; // millimetres
    putLittle(h, 148, kind.description, std::strlen(kind.description) + 1);
    put<int16_t>(h, 252, 1); // qform: scanner
    put<int16_t>(h, 254, 1); // sform: scanner
    put<float>(h, 264, 1);   // quaternion (0, 0, 1): a half turn about z
    for (int r = 0; r < 3; ++r) {
        put<float>(h, size_t(268 + 4 * r), float(srow[r][3]));
        for (int c = 0; c < 4; ++c)
            put<float>(h, size_t(280 + 16 * r + 4 * c), float(srow[r][c]));
    }
    putLittle(h, 344, "n+1", 4);
    return h;
}

void writeLabelMap(const std::filesystem::path &folder, const std::vector<Label> &labels)
{
    const Vec3 low {-40, -30, -80}, high {95, 30, 62};
    const int nx = int(high.x - low.x) + 1, ny = int(high.y - low.y) + 1,
              nz = int(high.z - low.z) + 1;
    // Voxel (i, j, k) lies at (high.x - i, high.y - j, low.z + k).
    const double srow[3][4] = {{-1, 0, 0, high.x}, {0, -1, 0, high.y}, {0, 0, 1, low.z}};
    std::string bytes = niftiHeader(nx, ny, nz, srow, VoxelKind());
    std::vector<int> counts(labels.size(), 0);
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                const Vec3 p {high.x - i, high.y - j, low.z + k};
                char value = 0;
                for (size_t l = 0; l < labels.size() && !value; ++l)
                    if (labels[l].field(p) < 0) {
                        value = char(labels[l].value);
                        ++counts[l];
                    }
                bytes.push_back(value);
            }
    std::ofstream(folder / "kidney_labels.nii", std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
    std::ofstream table(folder / "kidney_labels.txt", std::ios::binary);
    table << "# value name: the structures of kidney_labels.nii\n";
    for (size_t l = 0; l < labels.size(); ++l) {
        table << labels[l].value << ' ' << labels[l].name << '\n';
        std::printf("kidney_labels.nii: label %d %s, %d voxels\n", labels[l].value, labels[l].name,
                    counts[l]);
    }
}

// The body's midline: the plane between the patient's right and left, at
// the spine. The left kidney lies 85 mm to the patient's left of it; its
// artery ends short of the midline (the aorta lies left of it) and its vein
// crosses it (the vena cava lies right of it).
constexpr double kMidline = 85;

// A lumbar vertebra below every slice of the sample: a body of cancellous
// bone in a cortical shell, with a spinous process reaching to the back.
// Returns its Hounsfield number, or 0 outside the bone.
double spine(Vec3 p)
{
    const double dx = p.x - kMidline;
    const double body = std::sqrt(dx * dx / (20.0 * 20) + (p.y + 40) * (p.y + 40) / (15.0 * 15));
    if (body <= 1)
        return body > 0.85 ? 900 : 250;
    const bool process = std::abs(dx) < 4 && p.y < -52 && p.y > -70;
    const double canal = std::sqrt(dx * dx + (p.y + 62) * (p.y + 62)); // the spinal canal
    return process && canal > 8 ? 700 : 0;
}

// The Hounsfield number of a point of the sample body: air behind the back
// and beyond the body's outline, fat under the skin and around the kidney,
// soft tissue elsewhere; the kidney's cortex brighter than its medulla,
// urine in the collecting system, the stones as dense as calcium stones are,
// and the spine on the midline.
double hounsfield(Vec3 p, const Field &artery, const Field &vein)
{
    const double back = -81 + 0.0035 * (p.x - 60) * (p.x - 60) + 1.5 * std::sin(p.z / 17)
        + 0.8 * std::sin(p.x / 11);
    const double outline =
        (p.x - kMidline) * (p.x - kMidline) / (150.0 * 150) + (p.y - 5) * (p.y - 5) / (90.0 * 90);
    if (p.y < back || outline > 1)
        return -1000;
    if (const double bone = spine(p); bone > 0)
        return bone;
    if (stones(p) < 0)
        return 1000;
    if (pelvis(p) < 0)
        return 10;
    if (tumour(p) < 0)
        return 35;
    const double k = kidney(p);
    if (k < 0) // cortex about 150 at the surface, medulla about 30 deep inside
        return 30 + 120 * std::clamp(1 + k / 6, 0.0, 1.0);
    if (artery(p) < 0 || vein(p) < 0)
        return 45;
    if (k < 10 || p.y < back + 14) // perirenal and subcutaneous fat (the skin is 6 mm)
        return p.y < back + 6 ? 40 : -100;
    return 40;
}

// The sample CT: 1 mm in-plane, 2.5 mm slices over the sample scene and the
// spine, int16 HU with a little noise; voxel (i, j, k) lies at (high.x - i,
// high.y - j, low.z + 2.5 k), the label map's axes.
void writeCt(const std::filesystem::path &folder)
{
    const Vec3 low {-75, -90, -80}, high {115, 30, 75};
    const double slice = 2.5;
    const int nx = int(high.x - low.x) + 1, ny = int(high.y - low.y) + 1,
              nz = int((high.z - low.z) / slice) + 1;
    const double srow[3][4] = {{-1, 0, 0, high.x}, {0, -1, 0, high.y}, {0, 0, slice, low.z}};
    VoxelKind kind;
    kind.code = 4; // signed 16-bit
    kind.bits = 16;
    kind.spacing[2] = float(slice);
    kind.description = "Tessaron sample CT";
    std::string bytes = niftiHeader(nx, ny, nz, srow, kind);
    const Field artery = renalArtery(), vein = renalVein();
    uint32_t noise = 12345; // a fixed sequence: the file is the same on every run
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                const Vec3 p {high.x - i, high.y - j, low.z + slice * k};
                noise = noise * 1664525u + 1013904223u;
                const double jitter = double(noise >> 24) / 255.0 * 16 - 8; // +-8 HU
                const double hu = hounsfield(p, artery, vein);
                const auto value = int16_t(std::lround(hu == -1000 ? hu : hu + jitter));
                bytes.resize(bytes.size() + 2);
                put<int16_t>(bytes, bytes.size() - 2, value);
            }
    std::ofstream(folder / "kidney_ct.nii", std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size()));
    std::printf("kidney_ct.nii: %d x %d x %d voxels, %zu bytes\n", nx, ny, nz, bytes.size());
}

struct Model
{
    const char *file;
    const char *material;
    std::array<double, 3> colour;
    Field field;
    Vec3 low, high;
    double step;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples OUTPUT_FOLDER\n");
        return 64;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::vector<Model> models = {
        {"parenhima.surf",
         "Parenchyma",
         {1, 0.75, 0.84},
         kidney,
         {-36, -28, -62},
         {48, 28, 62},
         1.7},
        {"lokhanki.surf", "Pelvis", {0.81, 0.61, 0.19}, pelvis, {2, -12, -80}, {49, 12, 40}, 1.2},
        {"kamni.surf", "Stones", {1, 1, 1}, stones, {8, -6, -33}, {36, 7, 34}, 0.7},
        {"krov_renalis.surf",
         "Artery",
         {0.78, 0.12, 0.1},
         renalArtery(),
         {5, -12, -42},
         {83, 14, 48},
         0.9},
        {"vena_renalis.surf",
         "Vein",
         {0.42, 0.62, 0.93},
         renalVein(),
         {7, -10, -50},
         {95, 24, 42},
         1.2},
        {"opukhol.surf", "Tumour", {0.64, 0.02, 0.81}, tumour, {-40, -10, 10}, {-8, 18, 44}, 1.2},
        {"skin.surf", "Skin", {1, 0.9, 0.73}, skin, {-30, -90, -75}, {100, -45, 75}, 2.4},
    };
    std::string scene = "# Sample scene of Tessaron: a left kidney with its collecting system,\n"
                        "# vessels, stones, a tumour and a patch of the back skin.\n"
                        "# Written by make_samples; every surface lies beside this file.\n\n";
    for (const Model &model : models) {
        const Surface surface = Polygoniser(model.field, model.low, model.high, model.step).run();
        writeSurf(folder / model.file, surface, model.material, model.colour);
        scene +=
            std::string("[ load ${SCRIPTDIR}/") + model.file + " ] setLabel {" + model.file + "}\n";
        std::printf("%s: %zu vertices, %zu triangles\n", model.file, surface.xyz.size() / 3,
                    surface.triangles.size() / 3);
    }
    std::ofstream(folder / "scene.hx", std::ios::binary) << scene;
    // Where structures overlap, the first in this list has the voxel.
    writeLabelMap(folder,
                  {{3, "kidney_stones", stones},
                   {2, "renal_pelvis", pelvis},
                   {6, "kidney_tumor", tumour},
                   {1, "kidney_left", kidney},
                   {4, "renal_artery", renalArtery()},
                   {5, "renal_vein", renalVein()}});
    writeCt(folder);
    std::vector<ContouredStructure> outlined;
    for (const auto &[name, model] : {std::pair {"Kidney_L", 0},
                                      {"Renal pelvis", 1},
                                      {"Kidney stones", 2},
                                      {"Renal artery", 3},
                                      {"Renal vein", 4},
                                      {"Tumor", 5}}) {
        const Model &m = models[size_t(model)];
        const Field field = m.field;
        outlined.push_back(
            {name,
             {int(m.colour[0] * 255), int(m.colour[1] * 255), int(m.colour[2] * 255)},
             [field](double x, double y, double z) {
                 return field({x, y, z});
             },
             {m.low.x, m.low.y, m.low.z},
             {m.high.x, m.high.y, m.high.z}});
    }
    const int contours = writeSampleRtStruct(folder / "kidney_rtstruct.dcm", outlined, 2.0, 0.5);
    std::printf("kidney_rtstruct.dcm: %zu ROIs, %d contours\n", outlined.size(), contours);
    // The same structures as segments, named by label and coded as
    // segmentation tools code them; the kidney's side is in its modifier.
    std::vector<SegmentedStructure> segmented;
    for (size_t s = 0; s < outlined.size(); ++s) {
        static const std::array<std::string, 2> types[] = {
            {"64033007", "Kidney"},      {"25990002", "Renal pelvis"}, {"56381008", "Calculus"},
            {"2841007", "Renal artery"}, {"56400007", "Renal vein"},   {"108369006", "Neoplasm"}};
        static const char *labels[] = {"Kidney",       "Renal pelvis", "Kidney stones",
                                       "Renal artery", "Renal vein",   "Tumor"};
        const ContouredStructure &o = outlined[s];
        segmented.push_back({labels[s], types[s],
                             s == 0 ? std::array<std::string, 2> {"7771000", "Left"}
                                    : std::array<std::string, 2> {},
                             o.colour, o.field, o.low, o.high});
    }
    const int frames = writeSampleSeg(folder / "kidney_seg.dcm", segmented, 1.0);
    std::printf("kidney_seg.dcm: %zu segments, %d frames\n", segmented.size(), frames);
    return contours > 0 && frames > 0 ? 0 : 1;
}
