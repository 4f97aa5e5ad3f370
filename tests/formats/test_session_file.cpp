// The planning session's file: what other programs may write, what is
// refused and why, and what our own writing gives back.

#include "formats/FileKinds.h"
#include "formats/SessionFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestSessionFile : public QObject
{
    Q_OBJECT

private slots:
    void minimumSchemaOfOtherPrograms();
    void refusals_data();
    void refusals();
    void everythingComesBack();
    void filesLargerThanAnySession();
};

void TestSessionFile::minimumSchemaOfOtherPrograms()
{
    const QByteArray json = R"({"tessaron_session": 1,
        "models": [{"file": "kidney.stl", "color": [220, 40, 40], "opacity": 0.3, "visible": true},
                   {"file": "/data/skin.stl", "visible": false},
                   {"file": "../ct/stones.stl"}],
        "camera": {"position": [0, -150, 0], "focal_point": [0, 0, 0], "view_up": [0, 0, 1],
                   "view_angle": 30}})";
    Session s;
    QString error;
    QVERIFY2(parseSession(json, QStringLiteral("/plans/case"), s, error), qPrintable(error));
    QCOMPARE(s.models.size(), 3);
    QCOMPARE(s.models[0].file, QStringLiteral("/plans/case/kidney.stl"));
    QCOMPARE(s.models[1].file, QStringLiteral("/data/skin.stl"));
    QCOMPARE(s.models[2].file, QStringLiteral("/plans/ct/stones.stl"));
    QCOMPARE(*s.models[0].color, (std::array<int, 3> {220, 40, 40}));
    QCOMPARE(s.models[0].opacity, 0.3);
    QVERIFY(s.models[0].visible && !s.models[1].visible && s.models[2].visible);
    QCOMPARE(s.models[2].opacity, 1.0); // defaults of what is left out
    QVERIFY(!s.models[2].color && !s.models[2].faces && !s.models[2].cut);
    QVERIFY(s.camera && !s.camera->modelView && !s.image && !s.gap);
    // Without a parallel scale, the distance and the angle give the view's height.
    QCOMPARE(parallelScaleOf(*s.camera), 150 * std::tan(15 * M_PI / 180));
}

void TestSessionFile::refusals_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");
    // A session of one model with more fields, and one of a model "a.stl" and more keys.
    const auto field = [](const char *more) {
        return QByteArray(R"({"tessaron_session": 1, "models": [{"file": "a", )") + more + "}]}";
    };
    const auto key = [](const char *more) {
        return QByteArray(R"({"tessaron_session": 1, "models": [{"file": "a.stl"}], )") + more
            + "}";
    };
    const auto row = [](const char *name, const QByteArray &json, const char *message) {
        QTest::newRow(name) << json << QString(message);
    };
    row("not JSON", "{\"tessaron_session\": 1,", "not valid JSON");
    row("a list", "[1, 2]", "not a Tessaron session");
    row("no version", "{\"models\": []}", "not a Tessaron session");
    row("version 2", R"({"tessaron_session": 2, "models": []})",
        "version 2; this Tessaron reads version 1");
    row("version text", R"({"tessaron_session": "1", "models": []})", "not a Tessaron session");
    row("no models", R"({"tessaron_session": 1})", "models must be a list");
    row("model not object", R"({"tessaron_session": 1, "models": [3]})",
        "models[0] must be an object");
    row("no file", R"({"tessaron_session": 1, "models": [{}]})", "models[0].file must be a string");
    row("empty file", R"({"tessaron_session": 1, "models": [{"file": ""}]})",
        "models[0].file must name");
    row("colour 256", field(R"("color": [0, 256, 0])"),
        "models[0].color must hold numbers from 0 to 255");
    row("colour of two", field(R"("color": [0, 1])"), "models[0].color must hold 3 numbers");
    row("opacity 1.5", field(R"("opacity": 1.5)"), "models[0].opacity must be from 0 to 1");
    row("visible text", field(R"("visible": "yes")"), "models[0].visible must be true or false");
    row("faces word", field(R"("faces": "glossy")"), "models[0].faces must be one of none, normal");
    row("cut without normal", field(R"("cut": {"point": [0, 0, 0], "normal": [0, 0, 0]})"),
        "models[0].cut.normal must not be zero");
    row("camera on its focus",
        key(R"("camera": {"position": [1, 2, 3], "focal_point": [1, 2, 3], "view_up": [0, 0, 1],
                          "view_angle": 30})"),
        "camera must look from its position to a different focal point");
    row("up along the sight",
        key(R"("camera": {"position": [0, 0, -5], "focal_point": [0, 0, 0], "view_up": [0, 0, 1],
                          "view_angle": 30})"),
        "view_up across the line of sight");
    row("angle 180",
        key(R"("camera": {"position": [0, -1, 0], "focal_point": [0, 0, 0], "view_up": [0, 0, 1],
                          "view_angle": 180})"),
        "camera.view_angle must be from");
    row("window 0", key(R"("image": {"file": "ct", "window": 0})"), "image.window must be from");
    row("polar 4", key(R"("nephrometry": [{"tumour": "tumour", "polar": 4}])"),
        "nephrometry[0].polar must be from 0 to 3");
}

void TestSessionFile::refusals()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    Session s;
    s.models << SessionModel {};
    QString error;
    QVERIFY(!parseSession(json, QStringLiteral("/plans"), s, error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(s.models.size(), 1); // a refused file leaves the session as it was
}

void TestSessionFile::everythingComesBack()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("plan with spaces"));
    QVERIFY(QDir().mkpath(folder));
    Session s;
    SessionModel kidney;
    kidney.file = folder + QStringLiteral("/models/kidney.stl");
    kidney.name = QStringLiteral("Label 3");
    kidney.shownName = QStringLiteral("Left kidney");
    kidney.color = std::array<int, 3> {220, 40, 41};
    kidney.opacity = 0.25;
    kidney.faces = 4;
    kidney.edges = 2;
    kidney.points = true;
    kidney.cut = SessionCut {{1, 2, 3}, {0, 0.6, 0.8}, true, true};
    SessionModel skin;
    skin.file = QStringLiteral("/elsewhere/skin.surf");
    skin.visible = false;
    s.models << kidney << skin;
    SessionCamera camera;
    camera.parallelScale = 61.5;
    camera.modelView = std::array<float, 16> {0.1f, 0.2f, 0.3f, 0, 0.4f,  0.5f,   0.6f, 0,
                                              0.7f, 0.8f, 0.9f, 0, 1e-7f, -3.25f, 7,    1};
    camera.zoom = 0.0123456789f;
    s.camera = camera;
    SessionImage image;
    image.file = folder + QStringLiteral("/ct");
    image.series = QStringLiteral("1.2.3");
    image.window = 2000;
    image.level = 600;
    image.index = {std::optional<qint64>(3), std::nullopt, std::optional<qint64>(250)};
    image.shown = {true, false, true};
    s.image = image;
    s.nephrometry << SessionRenal {QStringLiteral("tumour"), 'p', 3};
    s.stoneScores << SessionStoneScore {QStringLiteral("stones"), 2, 1};
    s.gap = SessionGap {QStringLiteral("stones"), QStringLiteral("skin"), 2};

    const QString path = folder + QStringLiteral("/case.tsn");
    QCOMPARE(writeSession(path, s), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray json = file.readAll();
    // Files below the session's folder are named from it, so the plan moves with them.
    QVERIFY2(json.contains("\"models/kidney.stl\""), json.constData());
    QVERIFY(json.contains("\"/elsewhere/skin.surf\""));

    Session back;
    QString error;
    QVERIFY2(readSession(path, back, error), qPrintable(error));
    QCOMPARE(back.models.size(), 2);
    const SessionModel &k = back.models[0];
    QCOMPARE(k.file, kidney.file);
    QCOMPARE(k.name, kidney.name);
    QCOMPARE(k.shownName, kidney.shownName);
    QCOMPARE(*k.color, *kidney.color);
    QCOMPARE(k.opacity, 0.25);
    QCOMPARE(*k.faces, 4);
    QCOMPARE(*k.edges, 2);
    QVERIFY(*k.points && k.cut && k.cut->include && k.cut->invert);
    QCOMPARE(k.cut->normal, kidney.cut->normal);
    QVERIFY(!back.models[1].visible);
    // The matrix comes back to the bit, so the view does.
    QCOMPARE(*back.camera->modelView, *camera.modelView);
    QCOMPARE(*back.camera->zoom, *camera.zoom);
    QCOMPARE(*back.camera->parallelScale, 61.5);
    QCOMPARE(back.image->file, image.file);
    QCOMPARE(back.image->series, image.series);
    QCOMPARE(*back.image->window, 2000.0);
    QCOMPARE(back.image->index, image.index);
    QCOMPARE(back.image->shown, image.shown);
    QCOMPARE(back.nephrometry[0].anterior, 'p');
    QCOMPARE(back.nephrometry[0].polar, 3);
    QCOMPARE(back.stoneScores[0].obstruction, 2);
    QCOMPARE(back.gap->stone, 2);
    QCOMPARE(back.gap->to, QStringLiteral("skin"));

    // The version comes first, so a session renamed without its ending is
    // still one by its first bytes (the desktop's content rule looks there too).
    QVERIFY2(json.indexOf("\"tessaron_session\"") < 64, json.left(80).constData());
    const QString renamed = folder + QStringLiteral("/case");
    QVERIFY(QFile::copy(path, renamed));
    QVERIFY(isSessionName(renamed));
    QCOMPARE(recognise(renamed).kind, FileKind::Session);
    QVERIFY(!isSessionName(folder + QStringLiteral("/models")));
}

void TestSessionFile::filesLargerThanAnySession()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.tsn"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(64) << 20)); // sparse: nothing is written
    file.close();
    Session s;
    QString error;
    QVERIFY(!readSession(path, s, error));
    QVERIFY2(error.contains(QLatin1String("more than any session holds")), qPrintable(error));
    QVERIFY(!readSession(dir.filePath(QStringLiteral("none.tsn")), s, error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSessionFile)
#include "test_session_file.moc"
