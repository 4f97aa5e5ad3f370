// The web page writer: the page's structure (a box and a slider per model,
// named as the models are, texts escaped, nothing that would be fetched),
// the GLB inside it unpacked again (validator-clean, every model's solid
// where it was), its size against the plain GLB, the reduced form of a very
// large plan, and a failed write that keeps the earlier page.

#include "../bench/SyntheticMeshes.h"
#include "cli/CliRun.h"
#include "formats/GltfMesh.h"
#include "formats/GltfScene.h"
#include "formats/GltfValidate.h"
#include "formats/GltfWriter.h"
#include "formats/WebPageWriter.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <meshoptimizer.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<ModelClass> model(const char *name, MeshClass *block)
{
    auto m = std::make_unique<ModelClass>();
    m->Name = QString::fromUtf8(name);
    m->Meshes.append(block);
    return m;
}

struct Page
{
    QString html;
    QJsonObject plan;
    QByteArray glb;
};

// The page's text, its plan and its GLB unpacked from base64 and deflate.
Page readPage(const QString &path)
{
    Page page;
    page.html = QString::fromUtf8(fileBytes(path));
    static const QRegularExpression scene(
        QStringLiteral("id=\"scene\" data-bytes=\"(\\d+)\">([A-Za-z0-9+/=]*)<"));
    static const QRegularExpression plan(QStringLiteral("id=\"plan\">([^<]*)<"));
    const QRegularExpressionMatch s = scene.match(page.html);
    if (s.hasMatch()) {
        QByteArray z = QByteArray::fromBase64(s.captured(2).toLatin1());
        const quint32 length = s.captured(1).toUInt();
        const char size[4] = {char(length >> 24), char(length >> 16), char(length >> 8),
                              char(length)};
        page.glb = qUncompress(QByteArray(size, 4) + z);
    }
    page.plan = QJsonDocument::fromJson(plan.match(page.html).captured(1).toUtf8()).object();
    return page;
}

// A mesh of the GLB unpacked: positions in metres (the root node's grid
// turned back) and three indices a triangle.
struct Unpacked
{
    std::vector<double> xyz, normals;
    std::vector<quint32> indices;
};

QByteArray unpackView(const QJsonObject &json, const QByteArray &bin, int accessor)
{
    const QJsonObject a = json["accessors"][accessor].toObject();
    const QJsonObject m =
        json["bufferViews"][a["bufferView"].toInt()]["extensions"]["EXT_meshopt_compression"]
            .toObject();
    const size_t count = size_t(m["count"].toInteger()), stride = size_t(m["byteStride"].toInt());
    QByteArray out(qsizetype(count * stride), '\0');
    const auto *from =
        reinterpret_cast<const unsigned char *>(bin.constData()) + m["byteOffset"].toInteger();
    const size_t length = size_t(m["byteLength"].toInteger());
    const int failed = m["mode"] == QLatin1String("ATTRIBUTES")
        ? meshopt_decodeVertexBuffer(out.data(), count, stride, from, length)
        : meshopt_decodeIndexBuffer(out.data(), count, stride, from, length);
    return failed ? QByteArray() : out;
}

Unpacked unpackMesh(const QJsonObject &json, const QByteArray &bin, int mesh)
{
    const QJsonObject primitive = json["meshes"][mesh]["primitives"][0].toObject();
    const QJsonObject root = json["nodes"][0].toObject();
    const QByteArray p = unpackView(json, bin, primitive["attributes"]["POSITION"].toInt());
    const QByteArray n = unpackView(json, bin, primitive["attributes"]["NORMAL"].toInt());
    const QByteArray i = unpackView(json, bin, primitive["indices"].toInt());
    const bool narrow = json["accessors"][primitive["indices"].toInt()]["componentType"] == 5123;
    Unpacked out;
    const auto *ps = reinterpret_cast<const qint16 *>(p.constData());
    const auto *ns = reinterpret_cast<const qint16 *>(n.constData());
    for (qsizetype v = 0; v < p.size() / 8; ++v)
        for (int k = 0; k < 3; ++k) {
            out.xyz.push_back(ps[4 * v + k] * root["scale"][k].toDouble()
                              + root["translation"][k].toDouble());
            out.normals.push_back(ns[4 * v + k] / 32767.0);
        }
    for (qsizetype k = 0; k < i.size() / (narrow ? 2 : 4); ++k)
        out.indices.push_back(narrow ? reinterpret_cast<const quint16 *>(i.constData())[k]
                                     : reinterpret_cast<const quint32 *>(i.constData())[k]);
    return out;
}

// The solid's volume in mm³ (the positions are metres) and whether every
// normal is of unit length and points away from the centre.
std::pair<double, bool> volumeAndNormals(const Unpacked &m, const double centre[3])
{
    double volume = 0;
    for (size_t t = 0; t + 2 < m.indices.size(); t += 3) {
        const double *a = &m.xyz[3 * m.indices[t]], *b = &m.xyz[3 * m.indices[t + 1]],
                     *c = &m.xyz[3 * m.indices[t + 2]];
        volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0])
                   + a[2] * (b[0] * c[1] - b[1] * c[0]))
            / 6;
    }
    bool outward = !m.normals.empty();
    for (size_t v = 0; v < m.normals.size(); v += 3) {
        const double *n = &m.normals[v], *p = &m.xyz[v];
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        const double away =
            n[0] * (p[0] - centre[0]) + n[1] * (p[1] - centre[1]) + n[2] * (p[2] - centre[2]);
        outward = outward && std::abs(length - 1) < 1e-3 && away > 0;
    }
    return {volume * 1e9, outward};
}

WebPage pageOf(const std::vector<std::unique_ptr<ModelClass>> &models)
{
    WebPage page;
    page.title = QStringLiteral("Plan <of> \"A & B\"");
    page.models = pointers(models);
    page.camera = framingCamera(page.models);
    page.tables << WebPageTable {QStringLiteral("Stones"),
                                 {QStringLiteral("Stone"), QStringLiteral("Volume, mm³")},
                                 {{QStringLiteral("1"), QStringLiteral("<b>12.5</b>")}},
                                 QStringLiteral("1 stone")};
    return page;
}

} // namespace

class TestWebPage : public QObject
{
    Q_OBJECT

private slots:
    void pageAndItsScene();
    void sizeAndReducedForm();
    void refusalKeepsEarlierPage();
    void convertWritesSamplePage();

private:
    QTemporaryDir dir;
};

void TestWebPage::pageAndItsScene()
{
    // A model does not own its children: the child outlives its parent here.
    const auto child = model("Child & co", octahedronBlock(0, 80, 0, 5));
    std::vector<std::unique_ptr<ModelClass>> models;
    models.push_back(model("Kidney \"left\" <1>", octahedronBlock(-60, 0, 0, 40)));
    models.push_back(model("Kamni", octahedronBlock(70, 10, 0, 8)));
    models.back()->setTransparency(true, 0.4);
    models.front()->Children << child.get();
    const QString path = dir.filePath(QStringLiteral("plan.html"));
    QCOMPARE(writeWebPage(pageOf(models), path), 0);
    const Page page = readPage(path);

    // A box and a slider per model, its name escaped; texts escaped; the view.
    for (const char *name : {"Kidney &quot;left&quot; &lt;1&gt;", "Kamni", "Child &amp; co"}) {
        const QString attribute = QStringLiteral("data-model=\"%1\"").arg(QLatin1String(name));
        QCOMPARE(page.html.count(QStringLiteral("<input type=\"checkbox\" ") + attribute), 1);
        QCOMPARE(page.html.count(QStringLiteral("<input type=\"range\" ") + attribute), 1);
    }
    QCOMPARE(page.html.count(QStringLiteral("min=\"0\" max=\"1\" step=\"0.01\"")), 3);
    QVERIFY(page.html.contains(QStringLiteral("value=\"0.4\"")));
    QVERIFY(page.html.contains(QStringLiteral("<canvas id=\"view\"")));
    QVERIFY(page.html.contains(QStringLiteral("<td>&lt;b&gt;12.5&lt;/b&gt;</td>")));
    QVERIFY(page.html.contains(QStringLiteral("<h1>Plan &lt;of&gt; &quot;A &amp; B&quot;</h1>")));
    QVERIFY(page.html.contains(QStringLiteral("not a diagnosis")));
    QVERIFY(!page.html.contains(QStringLiteral("id=\"reduced\"")));
    // Nothing the browser would fetch.
    for (const char *fetch : {"src=", "href=", "url(", "@import", "http:", "https:"})
        QVERIFY2(!page.html.contains(QLatin1String(fetch)), fetch);

    // The GLB: validator-clean, the models' nodes named as they are, and each
    // solid unpacked where it was, its normals outwards.
    const auto [json, bin] = readGlb(page.glb);
    const QJsonArray required = json["extensionsRequired"].toArray();
    QVERIFY(required.contains("EXT_meshopt_compression"));
    QVERIFY(required.contains("KHR_mesh_quantization"));
    const double volumes[] = {4.0 / 3 * 40 * 40 * 40, 4.0 / 3 * 5 * 5 * 5, 4.0 / 3 * 8 * 8 * 8};
    const double centres[][3] = {{0.06, 0, 0}, {0, 0, 0.08}, {-0.07, 0, 0.01}};
    const QJsonArray entries = page.plan["models"].toArray();
    QCOMPARE(entries.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject node = json["nodes"][entries[i]["node"].toInt()].toObject();
        QCOMPARE(node["name"].toString(),
                 i == 0       ? models[0]->title()
                     : i == 1 ? QStringLiteral("Child & co")
                              : QStringLiteral("Kamni"));
        const Unpacked mesh = unpackMesh(json, bin, node["mesh"].toInt());
        const auto [volume, outward] = volumeAndNormals(mesh, centres[i]);
        // The accessor's bounds (the 3-D library's culling box) are the positions'.
        const QJsonObject position =
            json["accessors"]
                [json["meshes"][node["mesh"].toInt()]["primitives"][0]["attributes"]["POSITION"]
                     .toInt()]
                    .toObject();
        for (int k = 0; k < 3; ++k) {
            double low = mesh.xyz[size_t(k)], high = low;
            for (size_t v = size_t(k); v < mesh.xyz.size(); v += 3) {
                low = std::min(low, mesh.xyz[v]);
                high = std::max(high, mesh.xyz[v]);
            }
            const auto metres = [&](const char *bound) {
                return position[QLatin1String(bound)][k].toDouble()
                    * json["nodes"][0]["scale"][k].toDouble()
                    + json["nodes"][0]["translation"][k].toDouble();
            };
            QVERIFY(std::abs(metres("min") - low) < 1e-9 && std::abs(metres("max") - high) < 1e-9);
        }
        QVERIFY2(std::abs(volume / volumes[i] - 1) < 1e-3, qPrintable(QString::number(volume)));
        QVERIFY(outward);
    }
    // The plan's camera looks at the patient from the front (+Z), head up.
    QVERIFY(page.plan["camera"]["position"][2].toDouble() > 0.1);
    QCOMPARE(page.plan["camera"]["up"][1].toDouble(), 1.0);
    const QString glbPath = dir.filePath(QStringLiteral("inner.glb"));
    QVERIFY(writeBytes(glbPath, page.glb));
    VALIDATE(glbPath);
}

void TestWebPage::sizeAndReducedForm()
{
    std::vector<std::unique_ptr<ModelClass>> models;
    models.push_back(model("Torus", makeTorusSurface(1'000'000)));
    const QString glb = dir.filePath(QStringLiteral("torus.glb"));
    const QString html = dir.filePath(QStringLiteral("torus.html"));
    const GltfCamera camera = framingCamera(pointers(models));
    QCOMPARE(writeGltfScene(pointers(models), &camera, glb), 0);
    QCOMPARE(writeWebPage(pageOf(models), html), 0);
    const qint64 page = QFileInfo(html).size(), plain = QFileInfo(glb).size();
    QVERIFY2(page <= plain * 13 / 10,
             qPrintable(QStringLiteral("%1 > 1.3 x %2").arg(page).arg(plain)));
    // Its half a million vertices need 32-bit indices: the solid comes back whole.
    const Page whole = readPage(html);
    QVERIFY(!whole.html.contains(QStringLiteral("id=\"reduced\"")));
    const auto [torusJson, torusBin] = readGlb(whole.glb);
    const GltfMeshArrays torus = gltfMeshArrays(*models[0], gltfMeshLayout(*models[0]));
    const double origin[3] = {0, 0, 0};
    const double expected = volumeAndNormals({torus.positions, {}, torus.indices}, origin).first;
    const double unpacked = volumeAndNormals(unpackMesh(torusJson, torusBin, 0), origin).first;
    QVERIFY2(std::abs(unpacked / expected - 1) < 1e-3, qPrintable(QString::number(unpacked)));

    // Above two million triangles the page holds the reduced form and says so.
    models.push_back(model("Second torus", makeTorusSurface(1'200'000)));
    QCOMPARE(writeWebPage(pageOf(models), html), 0);
    const Page reduced = readPage(html);
    QVERIFY(reduced.html.contains(QStringLiteral("id=\"reduced\"")));
    const auto [json, bin] = readGlb(reduced.glb);
    qint64 triangles = 0;
    for (const QJsonValue &accessor : json["accessors"].toArray())
        if (accessor["type"] == QLatin1String("SCALAR"))
            triangles += accessor["count"].toInteger() / 3;
    QVERIFY2(triangles > 50'000 && triangles <= 2 * 150'000,
             qPrintable(QString::number(triangles)));
}

void TestWebPage::refusalKeepsEarlierPage()
{
    std::vector<std::unique_ptr<ModelClass>> models;
    models.push_back(model("Kidney", octahedronBlock(0, 0, 0, 10)));
    const QString path = dir.filePath(QStringLiteral("kept.html"));
    QCOMPARE(writeWebPage(pageOf(models), path), 0);
    const QByteArray earlier = fileBytes(path);
    // A block whose cells name a vertex it does not have.
    models.push_back(model("Broken", newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0}, Triangle, {0, 1, 7})));
    QCOMPARE(writeWebPage(pageOf(models), path), 1);
    QCOMPARE(fileBytes(path), earlier);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("partial").size(), 0);
    QCOMPARE(writeWebPage(pageOf(models), dir.filePath(QStringLiteral("none/plan.html"))), 2);
}

void TestWebPage::convertWritesSamplePage()
{
    const QString path = dir.filePath(QStringLiteral("sample.html"));
    const Run run = cli({"convert", QStringLiteral(TESSARON_SAMPLE_SCENE), path});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(QFileInfo(path).size() <= 2'000'000,
             qPrintable(QString::number(QFileInfo(path).size())));
    const QJsonObject info = jsonOf(cli({"info", QStringLiteral(TESSARON_SAMPLE_SCENE), "--json"}));
    const QString html = QString::fromUtf8(fileBytes(path));
    for (const QJsonValue &m : info["models"].toArray())
        QVERIFY(html.contains(QStringLiteral("type=\"checkbox\" data-model=\"%1\"")
                                  .arg(m["name"].toString().toHtmlEscaped())));
    // The viewer's language setting decides the page's texts.
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("home/.Tessaron")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    // The Russian catalogue is compiled into the CLI that draws (the GUI build).
    std::vector<std::pair<const char *, bool>> settings {{"0", false}};
#ifdef TESSARON_CLI_TRANSLATED
    settings.emplace_back("1", true);
#endif
    for (const auto &[setting, russian] : settings) {
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("home/.Tessaron/config.ini")),
                           QByteArray("[Config]\nlanguage=") + setting + "\n"));
        QCOMPARE(cli({"convert", QStringLiteral(TESSARON_SAMPLE_SCENE), path}, env).status, 0);
        const QString text = QString::fromUtf8(fileBytes(path));
        QCOMPARE(text.contains(QStringLiteral("это не диагноз")), russian);
        QCOMPARE(text.contains(QStringLiteral("not a diagnosis")), !russian);
    }
    const Run refused = cli({"convert", QStringLiteral(TESSARON_SAMPLE_SCENE),
                             dir.filePath(QStringLiteral("no folder/plan.html"))});
    QCOMPARE(refused.status, 2);
    QVERIFY(refused.err.contains(QStringLiteral("no folder")));
}

QTEST_GUILESS_MAIN(TestWebPage)
#include "test_web_page.moc"
