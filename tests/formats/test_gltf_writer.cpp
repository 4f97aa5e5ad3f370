// The glTF writer: scenes written as .glb and as .gltf with its .bin read
// back through the import door (names, colours, opacity, volumes), the bytes
// of the container and its accessors, the Khronos validator on every file,
// and `tessaron-cli convert` of several inputs.

#include "cli/CliRun.h"
#include "formats/GltfScene.h"
#include "formats/GltfValidate.h"
#include "formats/GltfWriter.h"
#include "formats/StlTriangles.h"
#include "import/Importer.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// The area of the triangle p, q, r.
double area(const double *p, const double *q, const double *r)
{
    const double u[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]},
                 v[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
    return 0.5
        * std::hypot(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                     u[0] * v[1] - u[1] * v[0]);
}

// Enclosed volume and area of a model's triangles (quads split).
std::pair<double, double> volumeAndArea(const ModelClass &model)
{
    double volume = 0, sum = 0;
    forEachStlTriangle(model, [&](const MeshClass &mesh, qint32 a, qint32 b, qint32 c) {
        const double *p = mesh.Vertices + 3 * a, *q = mesh.Vertices + 3 * b,
                     *r = mesh.Vertices + 3 * c;
        sum += area(p, q, r);
        volume += (p[0] * (q[1] * r[2] - q[2] * r[1]) - p[1] * (q[0] * r[2] - q[2] * r[0])
                   + p[2] * (q[0] * r[1] - q[1] * r[0]))
            / 6;
    });
    return {volume, sum};
}

std::vector<double> scaled(const std::vector<double> &xyz, double s, double dx)
{
    std::vector<double> out = xyz;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = out[i] * s + (i % 3 == 0 ? dx : 0);
    return out;
}

// Three models: a cube of quadrangles, a see-through octahedron, and two
// octahedra as two blocks of one model (their vertex numbers restart).
std::vector<std::unique_ptr<ModelClass>> sampleScene()
{
    std::vector<std::unique_ptr<ModelClass>> models;
    auto cube = std::make_unique<ModelClass>();
    cube->Name = "Parenhima";
    cube->Meshes.append(newBlock(scaled(kCube, 20, 0), Quadrangle, kCubeQuads));
    cube->setColor(200, 40, 40);
    auto stone = std::make_unique<ModelClass>();
    stone->Name = "Obrazovanie tumour";
    stone->Meshes.append(octahedronBlock(40, 0, 0, 5));
    stone->setColor(250, 250, 0);
    stone->setTransparency(true, 0.4);
    auto pair = std::make_unique<ModelClass>();
    pair->Name = "Kamni";
    pair->Meshes.append(octahedronBlock(-20, 0, 0, 3));
    pair->Meshes.append(octahedronBlock(-40, 0, 0, 6));
    pair->setColor(10, 120, 255);
    for (auto *m : {&cube, &stone, &pair})
        models.push_back(std::move(*m));
    return models;
}

QString dirWithSpaces(const QTemporaryDir &dir)
{
    QDir(dir.path()).mkdir("a folder");
    return dir.filePath("a folder");
}

} // namespace

class TestGltfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void containerAndAccessors();
    void pairReplacesBothOrNeither();
    void convertKeepsModels();

private:
    QTemporaryDir dir;
};

void TestGltfWriter::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("binary") << "scene.glb";
    QTest::newRow("json and buffer, name with blanks") << "my scene.gltf";
}

// Scene -> file -> scene keeps every model's name, colour, opacity and
// volume; the file passes the validator.
void TestGltfWriter::roundTrip()
{
    QFETCH(QString, name);
    const auto models = sampleScene();
    const QString path = dirWithSpaces(dir) + "/" + name;
    const GltfCamera camera = framingCamera(pointers(models));
    QCOMPARE(writeGltfScene(pointers(models), &camera, path), 0);
    VALIDATE(path);
    std::vector<std::unique_ptr<ModelClass>> back;
    const ImportResult result = importModels(path, back, ImportProgress {});
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(back.size(), models.size());
    for (size_t m = 0; m < models.size(); ++m) {
        const ModelClass &in = *models[m], &out = *back[m];
        QCOMPARE(out.Name, in.Name);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(out.ModelColor[k], in.ModelColor[k]);
        QCOMPARE(bool(out.Settings.Transparent), bool(in.Settings.Transparent));
        QVERIFY(std::abs(out.Settings.Opacity - in.Settings.Opacity) < 1e-6);
        const auto [volumeIn, areaIn] = volumeAndArea(in);
        const auto [volumeOut, areaOut] = volumeAndArea(out);
        QVERIFY2(
            std::abs(volumeOut / volumeIn - 1) < 1e-3,
            qPrintable(QString("%1: %2 mm3 became %3").arg(in.Name).arg(volumeIn).arg(volumeOut)));
        QVERIFY(std::abs(areaOut / areaIn - 1) < 1e-3);
    }
}

// The GLB container is laid out as the format requires; the accessors hold
// what they claim (bounds, unit normals, indices in range) in metres; the
// cube's quadrangles are triangles of the same area; opacity below 1 blends.
void TestGltfWriter::containerAndAccessors()
{
    const auto models = sampleScene();
    const QString path = dir.filePath("layout.glb");
    QCOMPARE(writeGltfScene(pointers(models), nullptr, path), 0);
    VALIDATE(path);
    const auto [json, bin] = readGlb(fileBytes(path));
    QVERIFY2(!json.isEmpty(), "the container's header or chunks are wrong");
    QCOMPARE(json["asset"]["generator"].toString(), QString("Tessaron"));
    QCOMPARE(json["asset"]["version"].toString(), QString("2.0"));
    QVERIFY(!json.contains("cameras")); // none without a camera
    const QJsonArray nodes = json["nodes"].toArray(), accessors = json["accessors"].toArray(),
                     views = json["bufferViews"].toArray(), meshes = json["meshes"].toArray(),
                     materials = json["materials"].toArray();
    QCOMPARE(nodes[0]["children"].toArray().size(), 3);
    for (int m = 0; m < 3; ++m) {
        const QJsonObject node = nodes[m + 1].toObject();
        QCOMPARE(node["name"].toString(), models[size_t(m)]->Name);
        const QJsonObject primitive = meshes[node["mesh"].toInt()]["primitives"][0].toObject();
        const QJsonObject position =
            accessors[primitive["attributes"]["POSITION"].toInt()].toObject();
        const QJsonObject normal = accessors[primitive["attributes"]["NORMAL"].toInt()].toObject();
        const QJsonObject index = accessors[primitive["indices"].toInt()].toObject();
        QCOMPARE(index["componentType"].toInt(), 5125);
        const qint64 count = position["count"].toInteger();
        const qint64 at = views[position["bufferView"].toInt()]["byteOffset"].toInteger();
        const qint64 normalsAt = views[normal["bufferView"].toInt()]["byteOffset"].toInteger();
        const qint64 indicesAt = views[index["bufferView"].toInt()]["byteOffset"].toInteger();
        double low[3] = {1e9, 1e9, 1e9}, high[3] = {-1e9, -1e9, -1e9};
        for (qint64 v = 0; v < count; ++v)
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], double(glbFloat(bin, at + 12 * v + 4 * k)));
                high[k] = std::max(high[k], double(glbFloat(bin, at + 12 * v + 4 * k)));
            }
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(position["min"][k].toDouble(), low[k]);
            QCOMPARE(position["max"][k].toDouble(), high[k]);
        }
        for (qint64 v = 0; v < count; ++v) {
            const float *n = reinterpret_cast<const float *>(bin.constData() + normalsAt + 12 * v);
            QVERIFY(std::abs(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) - 1) < 1e-5);
        }
        double total = 0;
        for (qint64 t = 0; t < index["count"].toInteger() / 3; ++t) {
            double p[3][3];
            for (int c = 0; c < 3; ++c) {
                const quint32 i = glbWord(bin, indicesAt + 12 * t + 4 * c);
                QVERIFY2(i < count, "an index beyond the model's vertices");
                for (int k = 0; k < 3; ++k)
                    p[c][k] = glbFloat(bin, at + 12 * i + 4 * k);
            }
            total += area(p[0], p[1], p[2]);
        }
        // Square metres against square millimetres.
        QVERIFY(std::abs(total * 1e6 / volumeAndArea(*models[size_t(m)]).second - 1) < 1e-5);
        const QJsonObject material = materials[primitive["material"].toInt()].toObject();
        QCOMPARE(material["alphaMode"].toString("OPAQUE"), QString(m == 1 ? "BLEND" : "OPAQUE"));
        QCOMPARE(material["doubleSided"].toBool(), true);
        QCOMPARE(material["pbrMetallicRoughness"]["baseColorFactor"][3].toDouble(),
                 m == 1 ? 0.4 : 1.0);
    }
    // The cube is 20 mm wide, along the patient's right: 0.02 m along glTF's -X.
    QCOMPARE(accessors[0]["min"][0].toDouble(), double(-0.02f));
    QCOMPARE(accessors[0]["max"][0].toDouble(), 0.0);
}

// A .gltf whose .bin cannot be written fails and keeps the earlier pair.
void TestGltfWriter::pairReplacesBothOrNeither()
{
    const auto models = sampleScene();
    const QString folder = dirWithSpaces(dir);
    const QString path = folder + "/kept.gltf";
    QCOMPARE(writeGltfScene(pointers(models), nullptr, path), 0);
    const QByteArray before = fileBytes(path);
    QVERIFY(!before.isEmpty());
    QVERIFY(QFile::remove(folder + "/kept.bin"));
    QVERIFY(QDir(folder).mkdir("kept.bin")); // a folder where the buffer would go
    QCOMPARE(writeGltfScene(pointers(models).mid(0, 1), nullptr, path), 2);
    QCOMPARE(fileBytes(path), before);
}

// `convert a.stl b.stl out.glb` writes one node per input, with a camera
// that sees them; to another format the inputs are joined into one model.
void TestGltfWriter::convertKeepsModels()
{
    const QString folder = dirWithSpaces(dir);
    const auto models = sampleScene();
    for (int m : {0, 1})
        QCOMPARE(
            writeGltfScene({models[size_t(m)].get()}, nullptr, folder + (m ? "/b.glb" : "/a.glb")),
            0);
    const QString a = folder + "/a.stl", b = folder + "/b.stl";
    QCOMPARE(cli({"convert", folder + "/a.glb", a}).status, 0);
    QCOMPARE(cli({"convert", folder + "/b.glb", b}).status, 0);
    const QString out = folder + "/out.glb";
    const Run run = cli({"convert", a, b, out});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    VALIDATE(out);
    const QJsonObject json = readGlb(fileBytes(out)).first;
    QCOMPARE(json["nodes"][0]["children"].toArray().size(), 2);
    QCOMPARE(json["meshes"].toArray().size(), 2);
    QCOMPARE(json["nodes"][1]["name"].toString(), QString("a"));
    QVERIFY(json["cameras"][0]["perspective"]["znear"].toDouble() > 0);
    // The camera stands before the patient (anterior is glTF's +Z), beyond every model.
    QCOMPARE(json["nodes"][3]["name"].toString(), QString("View"));
    QVERIFY(json["nodes"][3]["translation"][2].toDouble() > 0.02);
    std::vector<std::unique_ptr<ModelClass>> back;
    QVERIFY(importModels(out, back, ImportProgress {}).ok);
    QCOMPARE(back.size(), size_t(2));
    QVERIFY(std::abs(volumeAndArea(*back[1]).first / volumeAndArea(*models[1]).first - 1) < 1e-3);

    QCOMPARE(cli({"convert", a, b, folder + "/joined.stl"}).status, 0);
    back.clear();
    QVERIFY(importModels(folder + "/joined.stl", back, ImportProgress {}).ok);
    QCOMPARE(back.size(), size_t(1));
}

QTEST_GUILESS_MAIN(TestGltfWriter)
#include "test_gltf_writer.moc"
