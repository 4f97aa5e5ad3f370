// tessaron-cli sheet as a user runs it, the PDF read back with poppler's
// pdfinfo, pdftotext and pdftoppm: the page size and count, the texts that
// must be on it, ink in the three views, thirty models, Russian, and the
// files that must not be written.

#include "CliRun.h"
#include "import/ImageInputs.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString pdfText(const QString &pdf)
{
    return runProgram(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"}).out;
}

// Words that poppler finds outside their page, or running over its margins
// (12 mm, less a little for rounding): text that is cut off on paper.
QStringList wordsOffThePage(const QString &pdf)
{
    const QString html = runProgram(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}).out;
    static const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" "
                                                        "height=\"([\\d.]+)\">"));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" "
                       "yMax=\"([\\d.-]+)\">([^<]*)</word>"));
    const auto size = page.match(html);
    const double w = size.captured(1).toDouble(), h = size.captured(2).toDouble();
    const double margin = 12 / 25.4 * 72 - 2;
    QStringList off;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).toDouble() < margin || m.captured(2).toDouble() < margin
            || m.captured(3).toDouble() > w - margin || m.captured(4).toDouble() > h - margin)
            off << m.captured(5);
    }
    return off;
}

int pdfPages(const QString &pdf)
{
    const QString info = runProgram(QStringLiteral("pdfinfo"), {pdf}).out;
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

// The models' names as `tessaron-cli info` gives them.
QStringList modelNames(const QString &input)
{
    const QJsonObject info = jsonOf(cli({"info", input, "--json"}));
    QStringList names;
    for (const QJsonValue &model : info["models"].toArray())
        names << model["name"].toString();
    return names;
}

// The share of pixels that are not white in a rectangle of millimetres of an
// A4 page rendered at `dpi`.
double inkShare(const QImage &page, QRectF mm, int dpi)
{
    const double s = dpi / 25.4;
    const QRect box = QRectF(mm.x() * s, mm.y() * s, mm.width() * s, mm.height() * s).toRect();
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += qGray(page.pixel(x, y)) < 235;
    return double(ink) / (box.width() * box.height());
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sampleSceneSheet();
    void thirtyModelsLoseNoText();
    void russianSheet();
    void nothingIsWrittenWhenItCannotBe();
    void folderTellsNothingOfTheMachine();
    void vectorViewsSeeThrough();
    void imageGivesSliceAndHu();
};

void TestSheet::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
}

void TestSheet::sampleSceneSheet()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sample.pdf"));
    const Run r = cli({"sheet", TESSARON_SAMPLE_SCENE, pdf, "--title", "Case 17, left kidney",
                       "--language", "en"});
    QVERIFY2(r.status == 0, qPrintable(r.err));

    const QString info = runProgram(QStringLiteral("pdfinfo"), {pdf}).out;
    QVERIFY2(
        info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12]"))),
        qPrintable(info));
    QCOMPARE(pdfPages(pdf), 1);
    QCOMPARE(wordsOffThePage(pdf), QStringList());

    const QString text = pdfText(pdf);
    const QStringList names = modelNames(TESSARON_SAMPLE_SCENE);
    QCOMPARE(names.size(), 7);
    for (const QString &name : names)
        QVERIFY2(text.count(name) >= 2, qPrintable(name)); // legend and model table
    for (const char *needle : {"Case 17, left kidney", "Stones: 3;", "Anterior", "Left lateral",
                               "Posterior", "R.E.N.A.L.", "Gaps", "Tessaron 1.",
                               "Measurements from the surfaces as loaded; not a diagnosis."})
        QVERIFY2(text.contains(QLatin1String(needle)), needle);

    // The three views hold a drawing, not an empty frame: ink in the middle
    // of each, and white paper between them.
    const QString png = dir.filePath(QStringLiteral("page"));
    QCOMPARE(runProgram(QStringLiteral("pdftoppm"), {"-r", "50", "-png", "-singlefile", pdf, png})
                 .status,
             0);
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    const double side = (186.0 - 8.0) / 3;
    for (int k = 0; k < 3; ++k) {
        const double x = 12 + k * (side + 4);
        const double share = inkShare(page, QRectF(x + 8, 48, side - 16, side - 20), 50);
        QVERIFY2(share > 0.03, qPrintable(QStringLiteral("view %1: %2").arg(k).arg(share)));
    }
    QVERIFY(inkShare(page, QRectF(12 + side + 0.6, 50, 2.8, 30), 50) < 0.01);
}

void TestSheet::thirtyModelsLoseNoText()
{
    // Thirty octahedra with long names, one name far too long for any
    // column, and ninety stones: the tables go on to further pages, every
    // name is found whole but the long one, which is shortened, and no word
    // runs off its page.
    QTemporaryDir dir;
    QList<std::pair<QString, QByteArray>> surfs;
    for (int i = 0; i < 30; ++i)
        surfs.append({QStringLiteral("segment_%1_of_the_left_lower_pole.surf")
                          .arg(i, 2, 10, QLatin1Char('0')),
                      octahedron(float(i % 6) * 3, float(i / 6) * 3, 1)});
    const QString longName = QString(QStringLiteral("very_long_")).repeated(12) + "name.surf";
    surfs.append({longName, octahedron(-5, -5, 2)});
    // Ninety stones make a table longer than a page.
    std::vector<float> xyz;
    std::vector<qint32> triangles;
    for (int s = 0; s < 90; ++s)
        addOctahedron(xyz, triangles, float(s) * 3, -10, 0.5f);
    surfs.append({QStringLiteral("kamni.surf"), surfBytes(xyz, triangles)});
    const QString scene = writeScene(dir.path(), "scene.hx", surfs);
    const QString pdf = dir.filePath(QStringLiteral("thirty.pdf"));
    const Run r = cli({"sheet", scene, pdf, "--language", "en"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const int pages = pdfPages(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    QCOMPARE(wordsOffThePage(pdf), QStringList());
    const QString text = pdfText(pdf);
    const QStringList names = modelNames(scene);
    QCOMPARE(names.size(), 32);
    for (const QString &needle :
         {QStringLiteral("Page 1 of %1").arg(pages), QStringLiteral("Page %1 of %1").arg(pages),
          QStringLiteral("Stones (Kamni) (continued)"), QStringLiteral("Stones: 90;")})
        QVERIFY2(text.contains(needle), qPrintable(needle));
    for (int s = 1; s <= 90; ++s) // every stone's row: its number and its diameter
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("(^|\\n)%1\\n").arg(s))));
    for (const QString &name : names) {
        if (name.size() > 100)
            QVERIFY2(text.contains(name.left(30)) && !text.contains(name), qPrintable(name));
        else
            QVERIFY2(text.contains(name), qPrintable(name));
    }
    QVERIFY(text.contains(QLatin1String("not a diagnosis")));
}

void TestSheet::russianSheet()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("ru.pdf"));
    const Run r = cli({"sheet", TESSARON_SAMPLE_SCENE, pdf, "--language", "ru"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Обозначения")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Спереди")));
    QVERIFY(text.contains(QStringLiteral("Измерения по поверхностям в том виде, как они "
                                         "загружены; это не диагноз.")));
    QVERIFY(!text.contains(QLatin1String("not a diagnosis")));
    QVERIFY(!text.contains(QLatin1String("Legend")));

    // Without --language the viewer's settings decide: Russian for 1 alone,
    // English for 0 and for a value that makes no sense; Russian, as on a
    // first start, for a settings file that is a pipe (which must not be
    // read: it blocks).
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("home/.Tessaron")));
    const QString ini = dir.filePath(QStringLiteral("home/.Tessaron/config.ini"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    const std::pair<const char *, bool> settings[] = {{"[Config]\nlanguage=0\n", false},
                                                      {"[Config]\nlanguage=7\n", false},
                                                      {"[Config]\nlanguage=1\n", true},
                                                      {nullptr, true}};
    for (const auto &[config, russian] : settings) {
        QFile::remove(ini);
        if (config)
            QVERIFY(writeBytes(ini, config));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        const Run run = cli({"sheet", TESSARON_SAMPLE_SCENE, pdf}, env);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(pdfText(pdf).contains(QStringLiteral("Обозначения")), russian);
    }
}

void TestSheet::nothingIsWrittenWhenItCannotBe()
{
    QTemporaryDir dir;
    // A surface without a single triangle: nothing to show, no file.
    const QString empty =
        writeScene(dir.path(), "scene.hx",
                   {{QStringLiteral("points.surf"), surfBytes({0, 0, 0, 1, 0, 0, 0, 1, 0}, {})}});
    const QString none = dir.filePath(QStringLiteral("none.pdf"));
    Run r = cli({"sheet", empty, none, "--language", "en"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QLatin1String("Nothing is visible")), qPrintable(r.err));
    QVERIFY(!QFile::exists(none));

    // A folder that does not exist, or that is a file.
    const QString scene =
        writeScene(dir.path(), "scene.hx", {{QStringLiteral("one.surf"), octahedron(0, 0, 1)}});
    r = cli({"sheet", scene, dir.filePath(QStringLiteral("scene.hx/out.pdf"))});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QLatin1String("out.pdf")), qPrintable(r.err));

    // A folder that cannot be written keeps the earlier file as it was
    // (root writes anywhere: only for other users).
    if (geteuid() == 0)
        return;
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    const QString earlier = dir.filePath(QStringLiteral("locked/sheet.pdf"));
    QVERIFY(writeBytes(earlier, "earlier"));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::ExeOwner);
    r = cli({"sheet", scene, earlier});
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.status, 2);
    QCOMPARE(fileBytes(earlier), QByteArray("earlier"));
}

void TestSheet::folderTellsNothingOfTheMachine()
{
    // Under the home: "~/..."; elsewhere: the folder's own name only.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("home/cases/17")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("outside")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    const std::pair<const char *, const char *> cases[] = {{"home/cases/17", "Folder: ~/cases/17"},
                                                           {"outside", "Folder: outside"}};
    for (const auto &[folder, shown] : cases) {
        const QString scene = writeScene(dir.filePath(QLatin1String(folder)), "scene.hx",
                                         {{QStringLiteral("one.surf"), octahedron(0, 0, 1)}});
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        const Run r = cli({"sheet", scene, pdf, "--language", "en"}, env);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QLatin1String(shown)), qPrintable(text));
        QVERIFY(!text.contains(dir.path()));
    }
}

void TestSheet::vectorViewsSeeThrough()
{
    // The sample scene's front view as vector drawings: the tumour's purple
    // shows through the skin and the kidney, as in the pictures.
    QTemporaryDir dir;
    int purple[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        const QString pdf = dir.filePath(QStringLiteral("v%1.pdf").arg(k));
        const Run r = cli({"sheet", TESSARON_SAMPLE_SCENE, pdf, "--language", "en", "--views",
                           k ? "vector" : "picture"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString png = dir.filePath(QStringLiteral("v%1").arg(k));
        QCOMPARE(
            runProgram(QStringLiteral("pdftoppm"), {"-r", "60", "-png", "-singlefile", pdf, png})
                .status,
            0);
        const QImage page(png + QStringLiteral(".png"));
        const double s = 60 / 25.4, side = (186.0 - 8.0) / 3;
        const QRect front = QRectF(12 * s, 40 * s, side * s, side * s).toRect();
        for (int y = front.top(); y <= front.bottom(); ++y)
            for (int x = front.left(); x <= front.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                purple[k] += c.blue() > c.green() + 50 && c.red() > c.green() + 30;
            }
    }
    QVERIFY2(purple[0] > 20, qPrintable(QString::number(purple[0])));
    QVERIFY2(purple[1] > purple[0] / 3,
             qPrintable(QStringLiteral("%1 %2").arg(purple[0]).arg(purple[1])));
}

// With --ct the tables gain the HU and the page the slice through the
// largest stone (of the test CT, written by nibabel).
void TestSheet::imageGivesSliceAndHu()
{
    QTemporaryDir dir;
    const QJsonObject expected = writeImageInputs(dir.path());
    if (expected.isEmpty())
        QSKIP("the system Python with numpy and nibabel writes the image");
    const QString scene =
        writeScene(dir.path(), "scene.hx",
                   {{"kamni.surf", boxSurf(std::as_const(expected)["box"]["bounds"].toArray())}});
    const QString pdf = dir.filePath("sheet.pdf"), ct = dir.filePath("ct.nii.gz");
    const Run r = cli({"sheet", scene, pdf, "--ct", ct, "--language", "en"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString text = pdfText(pdf);
    for (const char *needle : {"CT through the largest stone", "Axial plane through the centre of",
                               "HU mean", "S.T.O.N.E. nephrolithometry of", "the densest stone"})
        QVERIFY2(text.contains(QLatin1String(needle)), needle);
    QCOMPARE(wordsOffThePage(pdf), QStringList());
    QVERIFY(cli({"sheet", scene, pdf, "--language", "en"}).status == 0);
    QVERIFY(!pdfText(pdf).contains("CT through"));
    // A plan's own CT gives its sheet the same numbers and slice as --ct.
    const QString plan = dir.filePath("plan.tsn");
    QVERIFY(writeBytes(plan, R"({"tessaron_session": 1, "models": [{"file": "kamni.surf"}],
                                 "image": {"file": "ct.nii.gz"}})"));
    const Run planned = cli({"sheet", plan, pdf, "--language", "en"});
    QVERIFY2(planned.status == 0, qPrintable(planned.err));
    const QString planText = pdfText(pdf);
    for (const char *needle : {"CT through the largest stone", "HU mean", "the densest stone"})
        QVERIFY2(planText.contains(QLatin1String(needle)), needle);
}

QTEST_GUILESS_MAIN(TestSheet)
#include "test_sheet.moc"
