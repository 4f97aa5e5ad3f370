// Names, colours and sides of label-map models: the label tables automatic
// segmentation tools write (beside the map or inside its header), which of
// them wins, what a damaged one still gives, and structures of both sides
// labelled once becoming a left and a right model.

#include "NiftiWriter.h"
#include "import/Importer.h"
#include "measure/ModelSurface.h"
#include "measure/SceneMeasurement.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two boxes on a 12³ grid of 2 mm: label 1 and label 2.
qint16 twoLabels(int i, int j, int k)
{
    if (j < 3 || j > 8 || k < 3 || k > 8)
        return 0;
    return i >= 2 && i < 5 ? 1 : i >= 7 && i < 10 ? 2 : 0;
}

// Writes "path|content" entries under `root`, folders made as needed.
bool writeFiles(const QString &root, const QStringList &files)
{
    for (const QString &entry : files) {
        const qsizetype bar = entry.indexOf('|');
        const QString path = QDir(root).filePath(entry.left(bar));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(entry.mid(bar + 1).toUtf8()) < 0)
            return false;
    }
    return true;
}

struct Opened
{
    std::vector<std::unique_ptr<ModelClass>> models;
    ImportResult result;
};

// Writes the two-label map as case/map.nii with the files beside it and imports it.
void openTwoLabels(const QString &root, const QStringList &files, const QByteArray &extension,
                   Opened &out)
{
    QVERIFY(QDir(root).mkpath("case"));
    QVERIFY(writeNifti(root + "/case/map.nii", 12, 2.0, twoLabels, false, extension));
    QVERIFY(writeFiles(root, files));
    out.result = importModels(root + "/case/map.nii", out.models);
    QVERIFY2(out.result.ok, qPrintable(out.result.message));
}

// "name" or "name|r g b": the look the model of a label must have.
void checkLook(const std::vector<std::unique_ptr<ModelClass>> &models, size_t index,
               const QString &expected)
{
    QVERIFY(index < models.size());
    const QStringList w = expected.split('|');
    const ModelClass &model = *models[index];
    QCOMPARE(model.Name, w[0]);
    const QStringList rgb = w.value(1).split(' ', Qt::SkipEmptyParts);
    for (int c = 0; c < int(rgb.size()); ++c)
        QCOMPARE(model.ModelColor[c], rgb[c].toInt());
}

QString sideOf(const ModelClass &model)
{
    return model.property(kSideProperty).toString();
}

const char *const kXmlFractions =
    "<?xml version=\"1.0\"?>\n<LabelTable>\n"
    "<Label Key=\"0\" Red=\"0\" Green=\"0\" Blue=\"0\">Background</Label>\n"
    "<Label Key=\"1\" Red=\"0.1\" Green=\"0.2\" Blue=\"0.3\">kidney_tumor</Label>\n"
    "<Label Key=\"2\" Red=\"1\" Green=\"0.5\" Blue=\"0\">drain</Label>\n</LabelTable>\n";

} // namespace

class TestLabelTables : public QObject
{
    Q_OBJECT

private slots:
    void tableShapes_data();
    void tableShapes();
    void precedence_data();
    void precedence();
    void damagedTables_data();
    void damagedTables();
    void sidesByPlace_data();
    void sidesByPlace();
    void sidesByTheMapsMidline_data();
    void sidesByTheMapsMidline();
    void tumourFindsItsKidney();
};

// Each shape of table gives names and colours; a structure the anatomy table
// knows takes its colour over the table's ("kidney_tumor"), another keeps the
// table's ("drain").
void TestLabelTables::tableShapes_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::newRow("colour table")
        << QStringList {"case/map.txt|1 kidney_tumor 10 20 30 255\n2 drain 40 50 60 128\n"}
        << QByteArray() << "kidney_tumor|164 5 207"
        << "drain|40 50 60";
    QTest::newRow("colour table, opacity of 1")
        << QStringList {"case/map.ctbl|# value name R G B A\n1 kidney_tumor 10 20 30 0.5\n"
                        "2 drain 40 50 60 1.0\n"}
        << QByteArray() << "kidney_tumor|164 5 207"
        << "drain|40 50 60";
    QTest::newRow("label description file")
        << QStringList {"case/label_descriptions.txt|# index R G B alpha vis mesh name\n"
                        "0 0 0 0 0 0 0 \"Clear Label\"\n1 10 20 30 1 1 1 \"kidney_tumor\"\n"
                        "2 40 50 60 0.5 1 1 \"Drain Tube\"\n"}
        << QByteArray() << "kidney_tumor|164 5 207"
        << "Drain Tube|40 50 60";
    // Without colours, the anatomy table colours the structures it knows.
    QTest::newRow("dataset.json beside")
        << QStringList {"case/dataset.json|{\"labels\": {\"background\": 0, \"kidney_tumor\": 1, "
                        "\"renal_pelvis\": \"2\"}}"}
        << QByteArray() << "kidney_tumor|164 5 207"
        << "renal_pelvis|207 156 48";
    QTest::newRow("dataset.json a folder up, value first")
        << QStringList {"dataset.json|{\"labels\": {\"0\": \"background\", \"1\": "
                        "\"kidney_tumor\", "
                        "\"2\": \"renal_pelvis\"}}"}
        << QByteArray() << "kidney_tumor|164 5 207"
        << "renal_pelvis|207 156 48";
    QTest::newRow("header XML, colours of 1")
        << QStringList() << QByteArray(kXmlFractions) << "kidney_tumor|164 5 207"
        << "drain|255 128 0";
    QTest::newRow("header XML, colours of 255")
        << QStringList()
        << QByteArray("<LabelTable><Label Key=\"1\" Red=\"10\" Green=\"20\" Blue=\"30\">a</Label>"
                      "<Label Key=\"2\" Red=\"1\" Green=\"0\" Blue=\"1\">b</Label></LabelTable>")
        << "a|10 20 30"
        << "b|1 0 1";
    QTest::newRow("header XML without colours")
        << QStringList()
        << QByteArray("<LabelTable><Label Key=\"1\">kidney_tumor</Label>"
                      "<Label Key=\"2\">renal_pelvis</Label></LabelTable>")
        << "kidney_tumor|164 5 207"
        << "renal_pelvis|207 156 48";
}

void TestLabelTables::tableShapes()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, extension);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QTemporaryDir dir;
    Opened in;
    openTwoLabels(dir.path(), files, extension, in);
    QVERIFY2(in.result.warnings.isEmpty(), qPrintable(in.result.warnings.join('\n')));
    QCOMPARE(in.models.size(), size_t(2));
    checkLook(in.models, 0, label1);
    checkLook(in.models, 1, label2);
}

void TestLabelTables::precedence_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    const QString text = "case/map.txt|1 from_text\n2 text_two\n";
    const QString json = "case/dataset.json|{\"labels\": {\"from_json\": 1, \"json_two\": 2}}";
    QTest::newRow("header before the table beside")
        << QStringList {text}
        << QByteArray("<LabelTable><Label Key=\"1\">from_xml</Label></LabelTable>") << "from_xml"
        << "text_two";
    QTest::newRow("text table before dataset.json")
        << QStringList {text, json} << QByteArray() << "from_text"
        << "text_two";
    QTest::newRow("descriptions before labels.txt")
        << QStringList {"case/labels.txt|1 from_labels\n",
                        "case/label_descriptions.txt|1 1 2 3 1 1 1 \"from_descriptions\"\n"}
        << QByteArray() << "from_descriptions"
        << "Label 2";
    QTest::newRow("dataset.json beside before the one above")
        << QStringList {json, "dataset.json|{\"labels\": {\"from_above\": 1}}"} << QByteArray()
        << "from_json"
        << "json_two";
    // No table: no name is made up from the numbers.
    QTest::newRow("nothing") << QStringList() << QByteArray() << "Label 1"
                             << "Label 2";
}

void TestLabelTables::precedence()
{
    tableShapes();
}

void TestLabelTables::damagedTables_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<QStringList>("warned");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::newRow("text lines")
        << QStringList {"case/map.txt|1 from_text\n# a comment\nthree kidney\n2 two 300 0 0\n"}
        << QByteArray() << QStringList {"map.txt, line 3", "map.txt, line 4"} << "from_text"
        << "Label 2";
    QTest::newRow("JSON regions")
        << QStringList {"case/dataset.json|{\"labels\": {\"kidney_tumor\": 1,\n"
                        "  \"regions\": [2, 3], \"odd\": 2.5}}"}
        << QByteArray() << QStringList {"dataset.json, line 2", "\"odd\""} << "kidney_tumor"
        << "Label 2";
    QTest::newRow("not JSON") << QStringList {"case/dataset.json|{\"labels\": {\n"} << QByteArray()
                              << QStringList {"dataset.json, line 2"} << "Label 1"
                              << "Label 2";
    QTest::newRow("XML label without a key")
        << QStringList()
        << QByteArray("<LabelTable>\n<Label Key=\"1\">from_xml</Label>\n<Label>no key</Label>\n"
                      "<Label Key=\"x2\">bad key</Label>\n</LabelTable>")
        << QStringList {"map.nii", "line 3", "line 4"} << "from_xml"
        << "Label 2";
    QTest::newRow("XML broken off")
        << QStringList {"case/map.txt|2 from_text\n"}
        << QByteArray("<LabelTable>\n<Label Key=\"1\">from_xml</Label>\n<Label Key=\"2\"")
        << QStringList {"map.nii", "line 3"} << "from_xml"
        << "from_text";
}

void TestLabelTables::damagedTables()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, extension);
    QFETCH(QStringList, warned);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QTemporaryDir dir;
    Opened in;
    openTwoLabels(dir.path(), files, extension, in);
    const QString warnings = in.result.warnings.join('\n');
    for (const QString &part : warned)
        QVERIFY2(warnings.contains(part), qPrintable(warnings));
    checkLook(in.models, 0, label1);
    checkLook(in.models, 1, label2);
}

namespace {

// Kidney-like boxes on a 32³ grid of 3 mm centred on the origin: A of 3³
// voxels at i 2..4 (x -40.5..-31.5 mm), B of 4³ at i 20..23 (x 13.5..22.5),
// C of 4³ across the middle (i 14..17).
qint16 boxes(int i, int j, int k, const QString &which)
{
    const auto in = [&](int i0, int n) {
        return i >= i0 && i < i0 + n && j >= 10 && j < 10 + n && k >= 10 && k < 10 + n;
    };
    return (which.contains('A') && in(2, 3)) || (which.contains('B') && in(20, 4))
            || (which.contains('C') && in(14, 4))
        ? 1
        : 0;
}

} // namespace

// A structure of both sides labelled once is split by world x (x to the
// patient's right), whichever way the voxels are stored; a single part far
// from the midline is named with its side; others are left whole.
void TestLabelTables::sidesByPlace_data()
{
    QTest::addColumn<QString>("parts");
    QTest::addColumn<bool>("flipX");
    QTest::addColumn<QString>("name");
    // "name|side|voxel volume" per model, in the order made.
    QTest::addColumn<QStringList>("models");
    const double a = 27 * 27, b = 64 * 27;
    const auto row = [](const QString &n, const QString &side, double volume) {
        return QStringLiteral("%1|%2|%3").arg(n, side.isEmpty() ? "-" : side).arg(volume);
    };
    QTest::newRow("two parts, stored right to left")
        << "AB" << false << "kidney"
        << QStringList {row("kidney_left", "left", a), row("kidney_right", "right", b)};
    QTest::newRow("two parts, stored left to right")
        << "AB" << true << "kidney"
        << QStringList {row("kidney_left", "left", b), row("kidney_right", "right", a)};
    QTest::newRow("one part far left")
        << "A" << false << "Kidneys" << QStringList {row("Kidneys_left", "left", a)};
    QTest::newRow("one part far right")
        << "A" << true << "kidney" << QStringList {row("kidney_right", "right", a)};
    QTest::newRow("one part too near the midline")
        << "B" << false << "kidney" << QStringList {row("kidney", "", b)};
    QTest::newRow("one part across the midline")
        << "C" << false << "kidney" << QStringList {row("kidney", "", b)};
    QTest::newRow("a part across and one aside")
        << "AC" << false << "kidney" << QStringList {row("kidney", "", a + b)};
    QTest::newRow("not a paired structure")
        << "AB" << false << "liver" << QStringList {row("liver", "", a + b)};
    QTest::newRow("named with a side")
        << "AB" << false << "kidney_right" << QStringList {row("kidney_right", "right", a + b)};
    QTest::newRow("paired, sided by the anatomy table's spelling")
        << "AB" << true << "Adrenal Gland"
        << QStringList {row("Adrenal Gland_left", "left", b),
                        row("Adrenal Gland_right", "right", a)};
}

void TestLabelTables::sidesByPlace()
{
    QFETCH(QString, parts);
    QFETCH(bool, flipX);
    QFETCH(QString, name);
    QFETCH(QStringList, models);
    QTemporaryDir dir;
    const QString map = dir.filePath("kidneys.nii");
    QVERIFY(writeNifti(
        map, 32, 3.0, [&](int i, int j, int k) { return boxes(i, j, k, parts); }, flipX));
    QVERIFY(writeFiles(dir.path(), {"kidneys.txt|1 \"" + name + "\"\n"}));
    std::vector<std::unique_ptr<ModelClass>> in;
    const ImportResult result = importModels(map, in);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(in.size(), size_t(models.size()));
    for (qsizetype m = 0; m < models.size(); ++m) {
        const QStringList want = models[m].split('|');
        const ModelClass &model = *in[size_t(m)];
        QCOMPARE(model.Name, want[0]);
        QCOMPARE(sideOf(model), want[1] == "-" ? QString() : want[1]);
        QCOMPARE(model.property(kVoxelVolumeProperty).toDouble(), want[2].toDouble());
        // Each part is a closed surface enclosing its own voxels.
        const measure::SceneMeasurement scene =
            measure::measureScene({measure::snapshotModel(model)});
        QVERIFY(scene.models[0].measures.topology.closed());
        QVERIFY(std::abs(scene.models[0].measures.volume / want[2].toDouble() - 1) < 0.05);
    }
}

// A kidney labelled once, a part either side of the map's own midline (its
// spine, or half way between its paired labels), is split there and not at
// the centre of the grid, which runs through one of its parts.
void TestLabelTables::sidesByTheMapsMidline_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("models"); // "name|side", in any order
    QTest::newRow("the spine") << "1 \"kidney\"\n2 \"vertebrae_L3\"\n"
                               << QStringList {"kidney_left|left", "kidney_right|right",
                                               "vertebrae_L3|-"};
    QTest::newRow("paired labels")
        << "1 \"kidney\"\n2 \"adrenal_gland_left\"\n3 \"adrenal_gland_right\"\n"
        << QStringList {"kidney_left|left", "kidney_right|right", "adrenal_gland_left|left",
                        "adrenal_gland_right|right"};
    QTest::newRow("neither: the grid's centre") << "1 \"kidney\"\n2 \"liver\"\n"
                                                << QStringList {"kidney|-", "liver|-"};
}

void TestLabelTables::sidesByTheMapsMidline()
{
    QFETCH(QString, table);
    QFETCH(QStringList, models);
    // 32 voxels of 3 mm, x = 3 i - 46.5: the grid's centre at x = 0 (i = 15.5).
    // The kidney at i = 13 to 17 and 28 to 30; label 2 a spine at i = 22 to
    // 25 (x = 24), or the left adrenal gland at i = 13 to 14 with the right
    // one, label 3, at i = 29 to 30 (half way at i = 21.5), or the liver.
    const bool spine = table.contains("vertebrae"), pair = table.contains("adrenal");
    const auto labels = [&](int i, int j, int k) -> qint16 {
        if (k < 4 || k > 27)
            return 0;
        if (j >= 4 && j <= 10)
            return (i >= 13 && i <= 17) || (i >= 28 && i <= 30) ? 1 : 0;
        if (j < 16 || j > 22)
            return 0;
        if (spine)
            return i >= 22 && i <= 25 ? 2 : 0;
        if (pair)
            return i >= 13 && i <= 14 ? 2 : i >= 29 && i <= 30 ? 3 : 0;
        return i >= 4 && i <= 8 ? 2 : 0;
    };
    QTemporaryDir dir;
    const QString map = dir.filePath("case.nii");
    QVERIFY(writeNifti(map, 32, 3.0, labels));
    QVERIFY(writeFiles(dir.path(), {"case.txt|" + table}));
    std::vector<std::unique_ptr<ModelClass>> in;
    const ImportResult result = importModels(map, in);
    QVERIFY2(result.ok, qPrintable(result.message));
    QStringList made;
    for (const auto &model : in)
        made << model->Name + "|" + (sideOf(*model).isEmpty() ? "-" : sideOf(*model));
    made.sort();
    models.sort();
    QCOMPARE(made, models);
}

// A kidney labelled once on both sides and a tumour inside the right one:
// the tumour's nephrometry is measured against the right kidney, not the
// first one made.
void TestLabelTables::tumourFindsItsKidney()
{
    QTemporaryDir dir;
    const QString map = dir.filePath("case.nii");
    QVERIFY(writeNifti(map, 32, 3.0, [](int i, int j, int k) {
        if (i >= 21 && i < 23 && j >= 11 && j < 13 && k >= 11 && k < 13)
            return qint16(2); // inside part B
        return boxes(i, j, k, "AB");
    }));
    QVERIFY(writeFiles(dir.path(), {"case.txt|1 kidney\n2 kidney_tumor\n"}));
    std::vector<std::unique_ptr<ModelClass>> in;
    QVERIFY(importModels(map, in).ok);
    std::vector<measure::ModelSnapshot> shots;
    for (const auto &model : in)
        shots.push_back(measure::snapshotModel(*model));
    const measure::SceneMeasurement scene = measure::measureScene(shots);
    QCOMPARE(scene.nephrometry.size(), size_t(1));
    QCOMPARE(scene.nephrometry[0].kidney, QString("kidney_right"));
    QVERIFY(scene.nephrometry[0].outsideShare && *scene.nephrometry[0].outsideShare < 0.5);
}

QTEST_GUILESS_MAIN(TestLabelTables)
#include "test_label_tables.moc"
