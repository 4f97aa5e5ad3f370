// The body's midline found in a CT built here (its spine, else its outline)
// and from the models themselves, and the warning for a model whose name
// says one side while it lies on the other, in the tables and the JSON.

#include "Shapes.h"
#include "measure/MeasureReport.h"
#include "measure/SceneMeasurement.h"
#include "model/BodyMidline.h"
#include "model/ImageVolume.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <cmath>

using namespace measure;

namespace {

// An axial CT of 128 x 100 x 30 voxels (3 x 3 x 5 mm) around the origin:
// air, an elliptic body, and, when its x is a number, a spine of bone.
struct CtShape
{
    double bodyX = 0, bodyHalfWidth = 150;
    double spineX = std::nan("");
    bool aortaAndTable = false; // an enhanced aorta before the spine, rails under the body
    bool flipX = false;         // stored from the patient's right to the left
    QString modality = QStringLiteral("CT");
};

qint16 ctValue(const CtShape &s, double x, double y)
{
    const auto in = [&](double cx, double cy, double r) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    };
    if (!std::isnan(s.spineX)) {
        if (in(s.spineX, -60, 18))
            return 700;
        if (s.aortaAndTable && in(s.spineX - 25, -20, 12))
            return 350;
    }
    if (s.aortaAndTable && std::fabs(y + 140) < 5 && std::fabs(std::fabs(x) - 100) < 5)
        return 600;
    const double ex = (x - s.bodyX) / s.bodyHalfWidth, ey = y / 110;
    return ex * ex + ey * ey <= 1 ? 40 : -1000;
}

ImageVolume makeCt(const CtShape &s)
{
    ImageVolume image;
    image.size[0] = 128;
    image.size[1] = 100;
    image.size[2] = 30;
    image.modality = s.modality;
    image.toWorld.m[0][0] = s.flipX ? -3 : 3;
    image.toWorld.m[0][3] = s.flipX ? 190.5 : -190.5;
    image.toWorld.m[1][1] = 3;
    image.toWorld.m[1][3] = -148.5;
    image.toWorld.m[2][2] = 5;
    image.shorts.resize(size_t(image.voxelCount()));
    for (qint64 k = 0; k < image.size[2]; ++k)
        for (qint64 j = 0; j < image.size[1]; ++j)
            for (qint64 i = 0; i < image.size[0]; ++i) {
                double p[3];
                image.toWorld.apply(double(i), double(j), double(k), p);
                image.shorts[size_t(image.index(i, j, k))] = ctValue(s, p[0], p[1]);
            }
    return image;
}

// A model as snapshotModel makes it: its structure and side from its name.
ModelSnapshot organ(const QString &name, double x)
{
    ModelSnapshot shot;
    shot.name = name;
    shot.anatomy = anatomyOf(name, QString());
    shot.side = anatomy::sideIn(name);
    shot.surface = sphere({x, 0, 0}, 20, 12);
    return shot;
}

// "name@x" per model.
std::vector<ModelSnapshot> organs(const QStringList &plans)
{
    std::vector<ModelSnapshot> shots;
    for (const QString &plan : plans)
        shots.push_back(organ(plan.section('@', 0, 0), plan.section('@', 1).toDouble()));
    return shots;
}

QStringList jsonTexts(const QJsonValue &value)
{
    QStringList texts;
    for (const QJsonValue &v : value.toArray())
        texts << v.toString();
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(CtShape)

class TestSideCheck : public QObject
{
    Q_OBJECT

private slots:
    void midlineInCt_data();
    void midlineInCt();
    void sidesAgainstCt_data();
    void sidesAgainstCt();
    void sidesWithoutCt_data();
    void sidesWithoutCt();
    void givenMidline();
    void sideWords();
};

void TestSideCheck::midlineInCt_data()
{
    QTest::addColumn<CtShape>("shape");
    QTest::addColumn<QString>("source");
    QTest::addColumn<double>("x");
    QTest::newRow("the spine, not the outline's middle")
        << CtShape {0, 150, 30} << "ct_spine" << 30.0;
    QTest::newRow("the spine behind an enhanced aorta, rails under the body")
        << CtShape {0, 150, -20, true} << "ct_spine" << -20.0;
    QTest::newRow("stored from right to left")
        << CtShape {0, 150, 30, false, true} << "ct_spine" << 30.0;
    QTest::newRow("no bone: the outline's middle")
        << CtShape {25, 150} << "ct_body_outline" << 25.0;
    QTest::newRow("no bone, the outline cut by the field of view") << CtShape {0, 250} << "" << 0.0;
    QTest::newRow("rails only") << CtShape {0, 250, std::nan(""), true} << "" << 0.0;
    QTest::newRow("not a CT") << CtShape {0, 150, 30, false, false, "MR"} << "" << 0.0;
}

void TestSideCheck::midlineInCt()
{
    QFETCH(CtShape, shape);
    QFETCH(QString, source);
    QFETCH(double, x);
    const body::Midline m = body::midlineInImage(makeCt(shape));
    QCOMPARE(body::sourceKey(m.source), source);
    if (m.found())
        QVERIFY2(std::fabs(m.x - x) < 2, qPrintable(QString::number(m.x)));
}

// The lead's sample in small: the spine at x = +70; a kidney at the origin
// is the patient's left one.
void TestSideCheck::sidesAgainstCt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("warning");
    const QString onRight = "%1 is named left but lies on the patient's right of the body's "
                            "midline.";
    const QString onLeft = "%1 is named right but lies on the patient's left of the body's "
                           "midline.";
    QTest::newRow("left-named on the right")
        << "kidney_left" << 150.0 << onRight.arg("kidney_left");
    QTest::newRow("left-named on the left") << "kidney_left" << 0.0 << "";
    QTest::newRow("_L on the right") << "Kidney_L" << 150.0 << onRight.arg("Kidney_L");
    QTest::newRow("Left Kidney on the right")
        << "Left Kidney" << 150.0 << onRight.arg("Left Kidney");
    QTest::newRow("right-named on the left") << "kidney_right" << 0.0 << onLeft.arg("kidney_right");
    QTest::newRow("right-named on the right") << "kidney_right" << 150.0 << "";
    QTest::newRow("Russian left on the right")
        << "levaya_pochka" << 150.0 << onRight.arg("levaya_pochka");
    QTest::newRow("left-named near the midline") << "kidney_left" << 90.0 << "";
    QTest::newRow("no side in the name") << "Parenhima" << 150.0 << "";
}

void TestSideCheck::sidesAgainstCt()
{
    QFETCH(QString, name);
    QFETCH(double, x);
    QFETCH(QString, warning);
    const ImageVolume ct = makeCt({0, 150, 70});
    SceneOptions options;
    options.image = &ct;
    options.selfIntersection = false;
    const SceneMeasurement scene = measureScene(organs({name + "@" + QString::number(x)}), options);
    const QJsonObject json = sceneJson(scene);
    QCOMPARE(json["side_checked"].toBool(), true);
    QCOMPARE(json["midline"]["source"].toString(), QString("ct_spine"));
    QVERIFY(std::fabs(json["midline"]["x_mm"].toDouble() - 70) < 2);
    const QStringList expected = warning.isEmpty() ? QStringList() : QStringList {warning};
    QCOMPARE(jsonTexts(json["warnings"]), expected);
    QCOMPARE(scene.models[0].sideWarning, warning);
    QCOMPARE(modelTable(scene, true).note, warning);
    QCOMPARE(modelInfoLines(scene.models[0]).contains("Warning: " + warning), !warning.isEmpty());
    QVERIFY(sidesText(scene).contains("the spine in the CT"));
}

void TestSideCheck::sidesWithoutCt_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QString>("source"); // empty: not checked
    QTest::addColumn<double>("midline");
    QTest::addColumn<QStringList>("warned");
    QTest::newRow("one kidney") << QStringList {"kidney_left@150"} << "" << 0.0 << QStringList {};
    QTest::newRow("a pair named right") << QStringList {"kidney_left@-80", "kidney_right@80"}
                                        << "paired_organs" << 0.0 << QStringList {};
    QTest::newRow("a pair named the wrong way round")
        << QStringList {"kidney_left@80", "kidney_right@-80"} << "paired_organs" << 0.0
        << QStringList {"kidney_left", "kidney_right"};
    QTest::newRow("two unsided kidneys place a ureter")
        << QStringList {"kidney@-70", "kidney@90", "ureter_left@60"} << "paired_organs" << 10.0
        << QStringList {"ureter_left"};
    QTest::newRow("two unsided kidneys too close")
        << QStringList {"kidney@-10", "kidney@30"} << "" << 0.0 << QStringList {};
    QTest::newRow("a spine model wins over the pair")
        << QStringList {"vertebrae_L3@50", "kidney_left@-80", "kidney_right@100"} << "spine" << 50.0
        << QStringList {};
    QTest::newRow("the spine model puts the left kidney on the right")
        << QStringList {"vertebrae_L3@50", "kidney_left@100"} << "spine" << 50.0
        << QStringList {"kidney_left"};
}

void TestSideCheck::sidesWithoutCt()
{
    QFETCH(QStringList, models);
    QFETCH(QString, source);
    QFETCH(double, midline);
    QFETCH(QStringList, warned);
    SceneOptions options;
    options.selfIntersection = false;
    const SceneMeasurement scene = measureScene(organs(models), options);
    const QJsonObject json = sceneJson(scene);
    QCOMPARE(json["side_checked"].toBool(), !source.isEmpty());
    QCOMPARE(json["midline"].isNull(), source.isEmpty());
    QCOMPARE(json["midline"]["source"].toString(), source);
    if (!source.isEmpty())
        QVERIFY(std::fabs(json["midline"]["x_mm"].toDouble() - midline) < 0.5);
    else
        QVERIFY(sidesText(scene).startsWith("Sides not checked"));
    QStringList names;
    for (const SideWarning &w : scene.sides.warnings)
        names << scene.models[w.model].name;
    QCOMPARE(names, warned);
    QCOMPARE(json["warnings"].toArray().size(), warned.size());
}

// The model report measures one model against the midline of the whole scene.
void TestSideCheck::givenMidline()
{
    const std::vector<ModelSnapshot> scene = organs({"kidney_left@80", "kidney_right@-80"});
    SceneOptions options;
    options.midline = sceneMidline(scene, nullptr);
    QCOMPARE(options.midline->source, body::MidlineSource::PairedOrgans);
    const SceneMeasurement one = measureScene({scene[0]}, options);
    QVERIFY(one.models[0].sideWarning.startsWith("kidney_left is named left"));
    QVERIFY(measureScene({scene[0]}).models[0].sideWarning.isEmpty());
}

void TestSideCheck::sideWords()
{
    using anatomy::Side;
    const std::pair<const char *, Side> names[] = {
        {"kidney_left", Side::Left},  {"Kidney_L", Side::Left},        {"Left Kidney", Side::Left},
        {"kidney_r", Side::Right},    {"pravaya pochka", Side::Right}, {"Почка левая", Side::Left},
        {"vertebrae_L1", Side::None}, {"lateral", Side::None},
    };
    for (const auto &[name, side] : names)
        QVERIFY2(anatomy::sideIn(QString::fromUtf8(name)) == side, name);
    QVERIFY(anatomy::liesOnMidline("vertebrae_L3"));
    QVERIFY(anatomy::liesOnMidline("Spinal cord"));
    QVERIFY(!anatomy::liesOnMidline("kidney_left"));
    QVERIFY(!anatomy::liesOnMidline("transpine"));
}

QTEST_GUILESS_MAIN(TestSideCheck)
#include "test_side_check.moc"
