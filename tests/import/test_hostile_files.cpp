// Damaged and hostile mesh files and label maps: each is refused with its
// reason or loads with a warning naming what was left out, in a child process
// that must neither crash, hang nor take unbounded memory.

#include "ContainerBytes.h"
#include "Deflated.h"
#include "HostileRun.h"
#include "NiftiWriter.h"
#include "PydicomCases.h"
#include "WholeFiles.h"
#include "model/ModelClass.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>

#include <sys/stat.h>

namespace {

// Peak resident memory an import of these small files may take (KiB): far
// above what a refusal costs, far below what a count taken on trust costs.
constexpr qint64 kMostKib = 700 * 1024;

struct ZipPart
{
    QByteArray name;
    QByteArray data;
    bool deflated = false;
};

// A zip file of the parts; `sizeOf` may claim other sizes than the parts have.
QByteArray zip(const QList<ZipPart> &parts, quint32 claimedSize = 0)
{
    QByteArray out, directory;
    for (const ZipPart &part : parts) {
        const QByteArray stored =
            part.deflated ? deflated(part.data, DeflateWrapper::Raw) : part.data;
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(part.data.constData()),
                                          uInt(part.data.size())));
        const quint32 size = claimedSize ? claimedSize : quint32(part.data.size());
        QByteArray common;
        putLe(common, 20, 2), putLe(common, 0, 2), putLe(common, part.deflated ? 8 : 0, 2);
        putLe(common, 0, 4), putLe(common, crc, 4), putLe(common, quint32(stored.size()), 4);
        putLe(common, size, 4), putLe(common, quint32(part.name.size()), 2), putLe(common, 0, 2);
        const quint32 offset = quint32(out.size());
        putLe(out, 0x04034b50, 4);
        out += common + part.name + stored;
        putLe(directory, 0x02014b50, 4), putLe(directory, 20, 2);
        directory += common;
        putLe(directory, 0, 2), putLe(directory, 0, 2), putLe(directory, 0, 2);
        putLe(directory, 0, 4), putLe(directory, offset, 4);
        directory += part.name;
    }
    const quint32 start = quint32(out.size());
    out += directory;
    putLe(out, 0x06054b50, 4), putLe(out, 0, 4), putLe(out, quint32(parts.size()), 2);
    putLe(out, quint32(parts.size()), 2), putLe(out, quint32(directory.size()), 4);
    putLe(out, start, 4), putLe(out, 0, 2);
    return out;
}

const QByteArray kRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats."
    "org/package/2006/relationships\"><Relationship Target=\"/3D/3dmodel.model\" "
    "Id=\"rel0\" Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/"
    "3dmodel\"/></Relationships>";
const QByteArray kTypes =
    "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
    "package/2006/content-types\"><Default Extension=\"rels\" ContentType=\""
    "application/vnd.openxmlformats-package.relationships+xml\"/><Default "
    "Extension=\"model\" ContentType=\"application/vnd.ms-package.3dmanufacturing"
    "-3dmodel+xml\"/></Types>";
const QByteArray kModel =
    "<?xml version=\"1.0\"?><model unit=\"millimeter\" xmlns=\"http://schemas.microsoft.com/"
    "3dmanufacturing/core/2015/02\"><resources><object id=\"1\" type=\"model\"><mesh><vertices>"
    "<vertex x=\"0\" y=\"0\" z=\"0\"/><vertex x=\"1\" y=\"0\" z=\"0\"/><vertex x=\"0\" y=\"1\" "
    "z=\"0\"/><vertex x=\"0\" y=\"0\" z=\"1\"/></vertices><triangles><triangle v1=\"0\" v2=\"2\" "
    "v3=\"1\"/><triangle v1=\"0\" v2=\"1\" v3=\"3\"/><triangle v1=\"1\" v2=\"2\" "
    "v3=\"3\"/><triangle "
    "v1=\"0\" v2=\"3\" v3=\"2\"/></triangles></mesh></object></resources><build><item "
    "objectid=\"1\"/></build></model>";

// A glTF file of one triangle, its buffer a data URI; indices `corners`.
QJsonObject triangleGltf(std::array<quint16, 3> corners = {0, 1, 2})
{
    QByteArray data(44, 0);
    const float xyz[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    std::memcpy(data.data(), xyz, 36);
    for (int c = 0; c < 3; ++c)
        qToLittleEndian(corners[size_t(c)], data.data() + 36 + 2 * c);
    return QJsonDocument::fromJson(R"({"asset": {"version": "2.0"}, "scene": 0,
        "scenes": [{"nodes": [0]}], "nodes": [{"mesh": 0}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0}, "indices": 1}]}],
        "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 36},
                        {"buffer": 0, "byteOffset": 36, "byteLength": 6}],
        "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                       "min": [0, 0, 0], "max": [1, 1, 0]},
                      {"bufferView": 1, "componentType": 5123, "count": 3, "type": "SCALAR"}],
        "buffers": [{"byteLength": 44, "uri": "data:application/octet-stream;base64,)"
                                   + data.toBase64() + "\"}]}")
        .object();
}

QByteArray json(const QJsonObject &root)
{
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

// `root` with `value` set at the path of keys and indices ("bufferViews/0/byteStride").
QJsonObject with(QJsonObject root, const QString &path, const QJsonValue &value)
{
    const QStringList keys = path.split('/');
    std::function<QJsonValue(QJsonValue, qsizetype)> set = [&](QJsonValue at, qsizetype k) {
        if (k == keys.size())
            return value;
        bool index = false;
        const int i = keys[k].toInt(&index);
        if (index) {
            QJsonArray a = at.toArray();
            a[i] = set(a[i], k + 1);
            return QJsonValue(a);
        }
        QJsonObject o = at.toObject();
        o[keys[k]] = set(o[keys[k]], k + 1);
        return QJsonValue(o);
    };
    return set(root, 0).toObject();
}

// A NIfTI-1 file of 2 x 2 x 2 voxels of `type` (2 uint8, 16 float32).
QByteArray nifti(qint16 type, const QByteArray &data, float voxOffset = 352, float spacing = 1,
                 const char *magic = "n+1")
{
    QByteArray h = niftiBytes({2, 2, 2}, type, data);
    qToLittleEndian(voxOffset, h.data() + 108);
    for (int d = 1; d <= 3; ++d)
        qToLittleEndian(spacing, h.data() + 76 + 4 * d);
    std::memcpy(h.data() + 344, magic, 4);
    return h;
}

QByteArray floatVoxels(float odd)
{
    QByteArray data(32, 0);
    for (int v = 0; v < 8; ++v)
        qToLittleEndian<float>(v == 7 ? odd : float(v % 2), data.data() + 4 * v);
    return data;
}

QByteArray binaryPly(bool big, quint8 firstCount)
{
    QByteArray out = QByteArray("ply\nformat ")
        + (big ? "binary_big_endian" : "binary_little_endian")
        + " 1.0\nelement vertex 4\nproperty float x\nproperty float y\nproperty float z\n"
          "element face 1\nproperty list uchar int vertex_indices\nend_header\n";
    const float xyz[12] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    for (float f : xyz) {
        char bytes[4];
        big ? qToBigEndian(f, bytes) : qToLittleEndian(f, bytes);
        out.append(bytes, 4);
    }
    out.append(char(firstCount));
    for (qint32 i : {0, 1, 2, 3}) {
        char bytes[4];
        big ? qToBigEndian(i, bytes) : qToLittleEndian(i, bytes);
        out.append(bytes, 4);
    }
    return out;
}

const QByteArray kPlyHead = "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty "
                            "float y\nproperty float z\nelement face 1\nproperty list uchar int "
                            "vertex_indices\nend_header\n";
const QByteArray kOff = "OFF\n4 2 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n3 0 2 3\n";
const QByteArray kFacet =
    "facet normal 0 0 1\n outer loop\n  vertex 0 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n"
    " endloop\nendfacet\n";

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void hostileFiles_data();
    void hostileFiles();
    void readersKeepWhatTheFileSays();
    void hostileDicom_data();
    void hostileDicom();
    void sessionNamesOnlyFiles();

private:
    QTemporaryDir dir;
};

void TestHostileFiles::hostileFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("outcome"); // "refused", "warned" or "loaded"
    QTest::addColumn<QString>("text");    // part of the message or the warning
    const auto row = [](const char *tag, const char *file, const QByteArray &bytes,
                        const char *text, const char *outcome = "refused") {
        QTest::newRow(tag) << QString(file) << bytes << QString(outcome) << QString(text);
    };

    // STL: text files read by our reader; a facet must be whole.
    row("stl without endsolid", "a.stl", "solid t\n" + kFacet, "", "loaded");
    row("stl facet of two corners", "a.stl",
        QByteArray("solid t\n" + kFacet).replace("  vertex 0 1 0\n", "") + "endsolid\n",
        "has 2 corners");
    row("stl word for a number", "a.stl",
        QByteArray("solid t\n" + kFacet).replace("vertex 1 0 0", "vertex 1 zz 0"), "has zz where");
    row("stl other words", "a.stl", QByteArray("solid\nnonsense"), "where \"facet\"");

    // OFF: counts against the size, indices against the vertices.
    row("off of 353 billion vertices", "a.off", "OFF\n353000000000 1 0\n" + QByteArray(290, '0'),
        "declares 353000000000 vertices");
    row("off of more vertices than its bytes", "a.off", QByteArray("OFF\n1000 1 0\n0 0 0\n"),
        "declares 1000 vertices and 1 faces, more than its");
    row("off of more faces than its bytes", "a.off",
        QByteArray(kOff).replace("4 2 0", "4 99999999999 0"),
        "declares 4 vertices and 99999999999 faces");
    row("off of vertices alone, the last line unended", "a.off",
        QByteArray("OFF\n2 0 0\n0 0 0\n1 0 0"), "holds no surface");
    row("off index out of range", "a.off", QByteArray(kOff).replace("3 0 2 3", "3 0 2 4"),
        "names vertex 4; the file has 4 vertices");
    row("off negative index", "a.off", QByteArray(kOff).replace("3 0 2 3", "3 0 -2 3"),
        "names vertex -2");
    row("off ends early", "a.off", kOff.left(kOff.size() - 8), "ends after 1 of its 2 faces");
    row("off of four dimensions", "a.off", "4OFF\n" + kOff.mid(4), "three-dimensional");
    row("off with a line", "a.off", kOff + "2 0 1\n", "", "loaded");
    row("off with a line counted", "a.off", QByteArray(kOff).replace("4 2 0", "4 3 0") + "2 0 1\n",
        "1 faces of fewer than three corners", "warned");

    // PLY: the header must end, types be types, lists fit their lines.
    row("ply without end_header", "a.ply", kPlyHead.left(kPlyHead.size() - 11) + "0 0 0\n",
        "no end_header");
    row("ply header that just ends", "a.ply",
        QByteArray("ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n"), "no end_header");
    QByteArray comments = "ply\nformat ascii 1.0\n";
    for (int c = 0; c < 1000000; ++c)
        comments += "comment a line of no use\n";
    row("ply of a million comments", "a.ply",
        comments + kPlyHead.mid(20) + "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n", "", "loaded");
    row("ply ascii list count 255", "a.ply", kPlyHead + "0 0 0\n1 0 0\n0 1 0\n255 0 1 2\n",
        "face 0 says it has 255 values");
    row("ply binary list count 255", "a.ply", binaryPly(false, 255), "cannot hold them");
    row("ply vertex without x", "a.ply",
        QByteArray(kPlyHead).replace("property float x\n", "") + "0 0\n1 0\n0 1\n3 0 1 2\n",
        "no x coordinate");
    row("ply bad property type", "a.ply", QByteArray(kPlyHead).replace("float y", "flaot y"),
        "the type flaot, which is not a PLY type");
    row("ply count beyond the file", "a.ply",
        QByteArray(kPlyHead).replace("vertex 3", "vertex 4000000000") + "0 0 0\n",
        "declares 4000000000 vertex elements");
    row("ply more vertices than its bytes", "a.ply",
        QByteArray(kPlyHead).replace("vertex 3", "vertex 1000") + "0 0 0\n", "declares 1000");
    row("ply index out of range", "a.ply", kPlyHead + "0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n",
        "names vertex 3; the file has 3");
    row("ply short line", "a.ply", kPlyHead + "0 0 0\n1 0 0\n0 1\n3 0 1 2\n",
        "line of vertex 2 ends before");
    row("ply too many values", "a.ply", kPlyHead + "0 0 0 7\n1 0 0\n0 1 0\n3 0 1 2\n",
        "more values");

    // glTF and GLB: checked before the library reads them.
    const QJsonObject triangle = triangleGltf();
    row("gltf", "a.gltf", json(triangle), "", "loaded");
    row("gltf nested 200000 deep", "a.gltf", QByteArray(200000, '[') + QByteArray(200000, ']'),
        "more than 64 deep");
    row("gltf buffer outside its folder", "a.gltf",
        json(with(triangle, "buffers/0/uri", "../../../etc/passwd")),
        "only name files in its own folder");
    row("gltf absolute buffer", "a.gltf", json(with(triangle, "buffers/0/uri", "/etc/passwd")),
        "own folder");
    row("gltf buffer by scheme", "a.gltf",
        json(with(triangle, "buffers/0/uri", "file:///etc/passwd")), "own folder");
    row("gltf encoded climb", "a.gltf",
        json(with(triangle, "buffers/0/uri", "%2e%2e/%2e%2e/etc/passwd")), "own folder");
    row("gltf indices out of range", "a.gltf", json(triangleGltf({0, 1, 7})),
        "Corner 2 of primitive 0 of mesh 0 names vertex 7; there are 3 positions");
    row("gltf climb to no file", "a.gltf", json(with(triangle, "buffers/0/uri", "../no-such.bin")),
        "own folder");
    QJsonArray chain; // 300 nodes, each the child of the one before
    for (int n = 0; n < 300; ++n)
        chain.append(n < 299 ? QJsonObject {{"children", QJsonArray {n + 1}}}
                             : QJsonObject {{"mesh", 0}});
    row("gltf nodes 300 deep", "a.gltf", json(with(triangle, "nodes", chain)),
        "form a loop or nest more than 256 deep");
    row("gltf byte stride 1", "a.gltf", json(with(triangle, "bufferViews/0/byteStride", 1)),
        "byte stride of 1");
    row("gltf buffer longer than its data", "a.gltf",
        json(with(triangle, "buffers/0/byteLength", 4000000000.0)), "declares 4000000000 bytes");
    row("gltf accessor beyond its view", "a.gltf",
        json(with(triangle, "accessors/0/count", 1000000)), "positions of primitive 0 of mesh 0");
    row("gltf missing material", "a.gltf",
        json(with(triangle, "meshes/0/primitives/0/material", 5)),
        "material of primitive 0 of mesh 0 was left out", "warned");
    row("gltf broken texture coordinates", "a.gltf",
        json(with(triangle, "meshes/0/primitives/0/attributes/TEXCOORD_0", 9)),
        "TEXCOORD_0 of primitive 0 of mesh 0 was left out", "warned");
    // Positions of two numbers would give a flat heap of points, loaded
    // silently; other attributes of the wrong element type are left out.
    row("gltf positions of VEC2", "a.gltf", json(with(triangle, "accessors/0/type", "VEC2")),
        "positions of primitive 0 of mesh 0 are VEC2 elements");
    row("gltf normals of VEC2", "a.gltf",
        json(with(with(triangle, "accessors/0/type", "VEC3"),
                  "meshes/0/primitives/0/attributes/NORMAL", 1)),
        "NORMAL of primitive 0 of mesh 0 was left out: its elements are SCALAR", "warned");
    row("gltf node of its own", "a.gltf", json(with(triangle, "nodes/0/children", QJsonArray {0})),
        "loop");
    const QByteArray bin =
        QByteArray::fromBase64(triangle["buffers"][0]["uri"].toString().section(',', 1).toLatin1());
    const QJsonObject inGlb = with(triangle, "buffers/0", QJsonObject {{"byteLength", 44}});
    row("glb", "a.glb", glb(json(inGlb), bin), "", "loaded");
    row("glb chunk longer than the file", "a.glb", glb(json(inGlb), bin, 4000000),
        "more than the file holds");
    row("glb chunk four bytes beyond the file", "a.glb", glb(json(inGlb), bin, 48),
        "says it has 48 bytes, more than the file holds");
    row("glb corner out of range", "a.glb",
        glb(json(inGlb), bin.left(36) + QByteArray("\0\0\1\0\3\0\0\0", 8)),
        "names vertex 3; there are 3 positions");
    row("glb missing material", "a.glb",
        glb(json(with(inGlb, "meshes/0/primitives/0/material", 2)), bin), "material", "warned");

    // 3MF: the zip's directory checked first.
    const ZipPart rels {"_rels/.rels", kRels, true}, types {"[Content_Types].xml", kTypes, false};
    row("3mf", "a.3mf", zip({types, rels, {"3D/3dmodel.model", kModel, true}}), "", "loaded");
    row("3mf without its model", "a.3mf", zip({types, rels}), "no model part 3D/3dmodel.model");
    row("3mf without relationships", "a.3mf", zip({types, {"3D/3dmodel.model", kModel, true}}),
        "_rels/.rels");
    QByteArray padding; // inflates some 140-fold: within deflate's reach, beyond a model's
    for (int i = 0; i < 130000; ++i)
        padding += QByteArray::number(i) + QByteArray(500, ' ');
    row("3mf zip bomb", "a.3mf", zip({types, rels, {"3D/3dmodel.model", kModel + padding, true}}),
        "zip bomb");
    row("3mf size claimed beyond deflate", "a.3mf",
        zip({types, rels, {"3D/3dmodel.model", kModel, false}}, 3000000000u),
        "cannot hold so many");
    row("3mf stored part claiming more than it has", "a.3mf",
        zip({types, rels, {"3D/3dmodel.model", kModel, false}}, 100000), "cannot hold so many");
    row("3mf corner out of range", "a.3mf",
        zip({types,
             rels,
             {"3D/3dmodel.model", QByteArray(kModel).replace("v3=\"2\"", "v3=\"9\""), true}}),
        "out of range");
    row("3mf not a zip", "a.3mf", QByteArray(100, 'x'), "not a zip");

    // NIfTI: the header's own fields before the library reads it.
    const QByteArray bytes8("\0\1\0\1\0\1\0\1", 8);
    row("nifti", "a.nii", nifti(2, bytes8), "", "loaded");
    row("nifti negative vox_offset", "a.nii", nifti(2, bytes8, -352), "voxels start at byte -352");
    row("nifti nan vox_offset", "a.nii", nifti(2, bytes8, std::numeric_limits<float>::quiet_NaN()),
        "voxels start at byte nan");
    row("nifti bad magic", "a.nii", nifti(2, bytes8, 352, 1, "abc"), "NIfTI mark");
    row("nifti spacing 1e30", "a.nii", nifti(2, bytes8, 352, 1e30f),
        "spacing or placement is damaged");
    row("nifti nan voxel", "a.nii", nifti(16, floatVoxels(std::numeric_limits<float>::quiet_NaN())),
        "", "loaded");

    // Legacy VTK: cells of unknown types are named.
    row("vtk cell type 99", "a.vtk",
        QByteArray(
            "# vtk DataFile Version 3.0\nt\nASCII\nDATASET UNSTRUCTURED_GRID\nPOINTS 4 "
            "float\n0 0 0 1 0 0 0 1 0 0 0 1\nCELLS 2 8\n3 0 1 2\n3 1 2 3\nCELL_TYPES 2\n5\n99\n"),
        "1 cells of a type that is not read (the first of type 99)", "warned");

    row("unknown ending", "a.xyz", QByteArray("x"), "the endings read are .stl, .obj");
}

// How an import in a child ended, against the outcome ("refused", "warned"
// or "loaded") and part of what it must say.
void checkOutcome(const QString &path, const QString &outcome, const QString &text)
{
    const HostileOutcome got = importInChild(path);
    QVERIFY2(got.signal == 0, qPrintable(QString("ended by signal %1").arg(got.signal)));
    QVERIFY2(got.peakKib < kMostKib, qPrintable(QString("took %1 KiB").arg(got.peakKib)));
    const QString said = got.ok ? got.warnings.join(" | ") : got.message;
    QVERIFY2(got.ok == (outcome != "refused"), qPrintable(said));
    QVERIFY2(said.contains(text), qPrintable(said));
    QVERIFY2((outcome == "warned") == !got.warnings.isEmpty(), qPrintable(said));
    QVERIFY2(said.size() < 400, qPrintable(said)); // never the file's contents at length
}

void TestHostileFiles::hostileFiles()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, outcome);
    QFETCH(QString, text);
    const QString path = dir.filePath(file);
    QVERIFY(writeBytes(path, bytes));
    checkOutcome(path, outcome, text);
}

// DICOM images, segmentations and structure sets written by the pydicom
// script: deflated nesting and bombs, compressed frames whose own headers
// contradict the file's, and contradictory segmentations and structure sets.
void TestHostileFiles::hostileDicom_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("text");
    const QString folder = dir.filePath("dicom");
    QMap<QString, QJsonObject> cases;
    const PydicomRun run = writePydicomCases("TESSARON_HOSTILE_WRITER", folder, cases);
    if (run.skipped)
        QSKIP("the system Python has no pydicom");
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
    QVERIFY(cases.size() >= 11);
    for (const QJsonObject &c : std::as_const(cases))
        QTest::newRow(qPrintable(c["case"].toString()))
            << folder + "/" + c["file"].toString() << c["outcome"].toString()
            << c["text"].toString();
}

void TestHostileFiles::hostileDicom()
{
    QFETCH(QString, file);
    QFETCH(QString, outcome);
    QFETCH(QString, text);
    checkOutcome(file, outcome, text);
}

// A session's entries that are no regular files: a pipe (which would block
// the read), a device, a folder of nothing read and a system file are each
// named in a warning; the session's other files still open.
void TestHostileFiles::sessionNamesOnlyFiles()
{
    const QString fifo = dir.filePath("pipe.stl");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString stl = dir.filePath("good.stl");
    QVERIFY(writeBytes(stl, "solid t\n" + kFacet + "endsolid\n"));
    const QString folder = dir.filePath("folder.stl");
    QVERIFY(QDir().mkpath(folder));
    const QStringList named {fifo, "/dev/zero", folder, "/proc/self/status", stl};
    QJsonArray models;
    for (const QString &file : named)
        models.append(QJsonObject {{"file", file}});
    const QString session = dir.filePath("plan.tsn");
    QVERIFY(writeBytes(
        session,
        QJsonDocument(QJsonObject {{"tessaron_session", 1}, {"models", models}}).toJson()));
    const HostileOutcome got = importInChild(session, 20, true);
    QCOMPARE(got.signal, 0);
    QVERIFY2(got.ok, qPrintable(got.message));
    const QString said = got.warnings.join(" | ");
    QVERIFY2(said.contains("pipe.stl: This is a device or a pipe, not a file."), qPrintable(said));
    QVERIFY2(said.contains("/dev/zero: This is a system file"), qPrintable(said));
    QVERIFY2(said.contains("folder.stl: This folder holds no label maps or DICOM images."),
             qPrintable(said));
    QVERIFY2(said.contains("/proc/self/status: This is a system file"), qPrintable(said));
    QCOMPARE(got.warnings.size(), 4);

    // The pipe itself opened as a session is refused at once.
    QVERIFY(::unlink(QFile::encodeName(fifo).constData()) == 0);
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.tsn")).constData(), 0600) == 0);
    const HostileOutcome pipe = importInChild(dir.filePath("pipe.tsn"), 20, true);
    QCOMPARE(pipe.signal, 0);
    QVERIFY2(!pipe.ok && pipe.message.contains("not a regular file"), qPrintable(pipe.message));
}

// What loads, loads as the file says: binary PLY of either byte order, OFF,
// text STL of two solids.
void TestHostileFiles::readersKeepWhatTheFileSays()
{
    for (bool big : {false, true}) {
        const QString path = dir.filePath(big ? "big.ply" : "little.ply");
        QVERIFY(writeBytes(path, binaryPly(big, 4)));
        std::vector<std::unique_ptr<ModelClass>> models;
        QVERIFY(importModels(path, models).ok);
        const MeshClass &quad = *models.at(0)->Meshes.at(0);
        QCOMPARE(quad.CountOfVertices, 4);
        QCOMPARE(quad.CountOfCells[Quadrangle], 1);
        QCOMPARE(quad.Vertices[3 * quad.Cells[Quadrangle][2]], 1.0);
        QCOMPARE(quad.Vertices[3 * quad.Cells[Quadrangle][2] + 1], 1.0);
    }
    const QString off = dir.filePath("two.off");
    QVERIFY(writeBytes(off, "# two triangles\n" + kOff + "# end\n"));
    std::vector<std::unique_ptr<ModelClass>> models;
    QVERIFY(importModels(off, models).ok);
    QCOMPARE(models.back()->Meshes.at(0)->CountOfCells[Triangle], 2);
    QCOMPARE(models.back()->Meshes.at(0)->Cells[Triangle][5], 3);

    const QString stl = dir.filePath("two.stl");
    QVERIFY(writeBytes(stl,
                       "solid one\n" + kFacet + "endsolid one\nSOLID two\n"
                           + QByteArray(kFacet).replace("vertex 0 1 0", "vertex 0 0 1")
                           + "endsolid\n"));
    QVERIFY(importModels(stl, models).ok);
    QCOMPARE(models.back()->Meshes.size(), 2);
    QCOMPARE(models.back()->Meshes.at(1)->Name, QString("two"));
    QCOMPARE(models.back()->Meshes.at(1)->Vertices[8], 1.0);
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "test_hostile_files.moc"
