// tessaron-cli with a planning session as INPUT: render, info, measure and
// convert show what the session shows, as another program may write it.

#include "CliRun.h"
#include "formats/GltfScene.h"
#include "formats/GltfValidate.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Three octahedra of radius 1 along x at -3, 0 and 3, and a session that
// colours the first red, hides the second and makes the third faint green,
// seen from +z with y up, centred on x = -1 (not the scene's centre, where a
// framing would put it), in a picture 10 mm high (half height 20 tan 14.04°).
QString writePlan(const QTemporaryDir &dir, const QByteArray &extra = {})
{
    const std::pair<const char *, float> parts[] = {{"left", -3}, {"middle", 0}, {"right", 3}};
    for (const auto &[name, x] : parts)
        if (!writeBytes(dir.filePath(QString::fromLatin1(name) + ".surf"), octahedron(x, 0, 1)))
            return {};
    const QString path = dir.filePath(QStringLiteral("plan.tsn"));
    const QByteArray json = R"({"tessaron_session": 1, "models": [
        {"file": "left.surf", "color": [255, 0, 0]},
        {"file": "middle.surf", "color": [0, 0, 255], "visible": false},
        {"file": "right.surf", "color": [0, 255, 0], "opacity": 0.3})"
        + extra + R"(],
        "camera": {"position": [-1, 0, 20], "focal_point": [-1, 0, 0], "view_up": [0, 1, 0],
                   "view_angle": 28.072486935852954}})";
    return writeBytes(path, json) ? path : QString();
}

// The pixel at world (x, y) of a 400 x 400 picture of the plan: 40 pixels a
// millimetre from the focal point.
QColor at(const QImage &image, double x, double y)
{
    return image.pixelColor(int(200 + 40 * (x + 1)), int(200 - 40 * y));
}

} // namespace

class TestCliSession : public QObject
{
    Q_OBJECT

private slots:
    void renderShowsWhatTheSessionShows();
    void otherCommandsLeaveHiddenModelsOut();
    void missingAndRefusedSessions();
};

void TestCliSession::renderShowsWhatTheSessionShows()
{
    QTemporaryDir dir;
    const QString plan = writePlan(dir);
    QVERIFY(!plan.isEmpty());
    const QString png = dir.filePath("plan.png");
    Run run = cli({"render", plan, png, "--size", "400x400"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(400, 400));
    // The camera's left is the world's -x: a mirrored camera would put red on the right.
    const QColor left = at(image, -3, 0), middle = at(image, 0, 0), right = at(image, 3, 0);
    QVERIFY2(left.red() > 100 && left.green() < 30 && left.blue() < 30, qPrintable(left.name()));
    QVERIFY2(middle.blue() < 30, qPrintable(middle.name())); // hidden
    QVERIFY2(right.green() > 10 && right.red() < 10, qPrintable(right.name()));
    // The picture is 10 mm high: nothing beyond 1.2 mm above the axis.
    QVERIFY(at(image, -3, 1.2).red() < 30);
    // The command line still chooses: the faint model made opaque is brighter.
    const QString opaque = dir.filePath("opaque.png");
    run = cli({"render", plan, opaque, "--size", "400x400", "--opacity", "right=1"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(at(QImage(opaque), 3, 0).green() > right.green() + 40,
             qPrintable(at(QImage(opaque), 3, 0).name()));
}

void TestCliSession::otherCommandsLeaveHiddenModelsOut()
{
    QTemporaryDir dir;
    const QString plan = writePlan(dir);
    QVERIFY(!plan.isEmpty());
    Run run = cli({"info", plan, "--json"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QJsonArray models = jsonOf(run)["models"].toArray();
    QCOMPARE(models.size(), 2);
    QVERIFY(!run.out.contains(QLatin1String("middle")));
    run = cli({"measure", plan, "left", "right"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QLatin1String("4")), qPrintable(run.out)); // 6 apart, radius 1 each
    run = cli({"measure", plan, "left", "middle"});
    QVERIFY(run.status != 0);
    // Entries that name models of a file of several take those, and leave the rest out.
    QVERIFY(!writeScene(dir.path(), "three.hx",
                        {{"a.surf", octahedron(-3, 0, 1)},
                         {"b.surf", octahedron(0, 0, 1)},
                         {"c.surf", octahedron(3, 0, 1)}})
                 .isEmpty());
    QVERIFY(writeBytes(dir.filePath("named.tsn"), R"({"tessaron_session": 1, "models": [
        {"file": "three.hx", "name": "c.surf"}, {"file": "three.hx", "name": "a.surf"}]})"));
    run = cli({"info", dir.filePath("named.tsn"), "--json"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QJsonArray named = jsonOf(run)["models"].toArray();
    QCOMPARE(named.size(), 2);
    QCOMPARE(named[0]["name"].toString(), QStringLiteral("c.surf"));
    QCOMPARE(named[1]["name"].toString(), QStringLiteral("a.surf"));
    QCOMPARE(named[0]["box_min"][0].toDouble(), 2.0); // c's octahedron, around x = 3
    QCOMPARE(named[1]["box_min"][0].toDouble(), -4.0);
    // The case sheet: the session's view first, the hidden model nowhere.
    const QString pdf = dir.filePath("plan.pdf");
    run = cli({"sheet", plan, pdf, "--language", "en"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QString text = runProgram(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"}).out;
    QVERIFY2(text.contains(QLatin1String("Plan (the session's view)")), qPrintable(text));
    QVERIFY(text.contains(QLatin1String("Left lateral"))
            && text.contains(QLatin1String("Posterior")));
    QVERIFY(!text.contains(QLatin1String("Anterior")) && !text.contains(QLatin1String("middle")));
    // glTF keeps the two shown models and the session's view: from above (glTF's
    // +Y) with the front (+Z) up, on the line through the focal point (x = -1,
    // glTF's 0.001), 1 mm further back than the session's eye, so that the
    // picture is 10 mm high at the nearest vertex (1 mm above the focal point).
    const QString glb = dir.filePath("plan.glb");
    run = cli({"convert", plan, glb});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const auto [gltf, bin] = readGlb(fileBytes(glb));
    QCOMPARE(gltf["meshes"].toArray().size(), 2);
    const GltfPicture picture(gltf);
    const double eye[3] = {0.001, 0.021, 0}, forward[3] = {0, -1, 0}, up[3] = {0, 0, 1};
    for (int k = 0; k < 3; ++k) {
        QVERIFY(std::abs(picture.eye[k] - eye[k]) < 1e-9);
        QVERIFY(std::abs(picture.forward()[size_t(k)] - forward[k]) < 1e-9);
        QVERIFY(std::abs(picture.up()[k] - up[k]) < 1e-9);
    }
    QVERIFY(std::abs(gltf["cameras"][0]["perspective"]["yfov"].toDouble() - 0.48995732625) < 1e-9);
    QVERIFY2(largestShare(gltf, bin) < 1, "a vertex outside the camera's picture");
    VALIDATE(glb);
}

void TestCliSession::missingAndRefusedSessions()
{
    QTemporaryDir dir;
    const QString plan = writePlan(dir, R"(, {"file": "gone.stl"})");
    QVERIFY(!plan.isEmpty());
    // A missing model is named; the rest is drawn.
    Run run = cli({"render", plan, dir.filePath("plan.png"), "--size", "400x400"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QLatin1String("gone.stl: warning: The file does not exist.")),
             qPrintable(run.err));
    QVERIFY(at(QImage(dir.filePath("plan.png")), -3, 0).red() > 100);
    const std::pair<QByteArray, const char *> refused[] = {
        {"{\"tessaron_session\": 1, \"models\": [", "not valid JSON"},
        {R"({"tessaron_session": 3, "models": []})", "version 3; this Tessaron reads version 1"},
        {R"({"tessaron_session": 1, "models": [{"file": "gone.stl"}]})", "no model"},
    };
    for (const auto &[json, why] : refused) {
        QVERIFY(writeBytes(dir.filePath("bad.tsn"), json));
        for (const char *command : {"info", "render"}) {
            QStringList args = {command, dir.filePath("bad.tsn")};
            if (QByteArray(command) == "render")
                args << dir.filePath("bad.png");
            run = cli(args);
            QVERIFY2(run.status == 1 && run.err.contains(QLatin1String(why)),
                     qPrintable(QString::number(run.status) + run.err));
        }
    }
}

QTEST_GUILESS_MAIN(TestCliSession)
#include "test_cli_session.moc"
