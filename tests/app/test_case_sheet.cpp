// The case sheet and the web page of the window: the visible models, the
// gap measured in the window drawn into the views, the slice through a stone.

#include "AppTestBase.h"
#include "ShapeModels.h"
#include "formats/AnatomyNames.h"
#include "measure/ClosestGap.h"
#include "model/ModelFacts.h"
#include "view/CaseSheet.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

// Prints to a PDF file, as a user would choose in the print dialog.
std::function<int(QDialog &)> printTo(const QString &file)
{
    return [file](QDialog &dialog) {
        auto *print = qobject_cast<QPrintDialog *>(&dialog);
        if (!print)
            return int(QDialog::Rejected);
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(file);
        return int(QDialog::Accepted);
    };
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool purple(const QColor &c) // the tumour's, alone or seen through the skin
{
    return c.blue() > c.green() + 60 && c.red() > c.green() + 30;
}

bool greenish(const QColor &c)
{
    return c.green() > 150 && c.red() < 100 && c.blue() < 100;
}

// The gap taken in the window between models a and b of the view.
void showGap(GLWidget &view, measure::Point3 onA, measure::Point3 onB, int a, int b)
{
    measure::Gap gap;
    gap.valid = true;
    gap.distance = 3;
    gap.onA = onA;
    gap.onB = onB;
    view.setMeasureMark(
        gapMark(gap, view.ModelList.at(a), view.ModelList.at(b), "Obrazovanie", "Lokhanki"));
}

} // namespace

class TestCaseSheet : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void sheetAndPrintOfTheWindow();
    void nothingVisibleWritesNothing();
    void importedNamesWithTheirStructure();
    void picturesShowThePlan();
    void sliceThroughTheLargestStone();
    void webPageOfTheWindow();
};

void TestCaseSheet::sheetAndPrintOfTheWindow()
{
    Tessaron window;
    GLWidget *view = window.view();
    view->placeNewModel(shapeModel("opukhol", "Obrazovanie", cube(0, 0, 0, 2)));
    view->placeNewModel(shapeModel("lokhanki", "Lokhanki", box({5, -1, -1}, {10, 4, 4})));
    view->placeNewModel(shapeModel("kamni", "Kamni", joined(cube(6, 0, 0), cube(9, 0, 0, 0.5))));
    view->placeNewModel(shapeModel("vena", "Hidden vein", cube(0, -5, 0)));
    view->ModelList.at(4)->setVisible(false);
    showGap(*view, {2, 1, 1}, {5, 1, 1}, 1, 2); // tumour to pelvis, 3 mm
    const double zoomBefore = view->ModelList.at(1)->Transform->Scale;

    dialogs.text = QStringLiteral("Case of the cubes");
    dialogs.saveName = data.filePath(QStringLiteral("cubes"));
    window.action("actionCaseSheet")->trigger();
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
    QCOMPARE(dialogs.saveFilter, "PDF (*.pdf)");
    // Where the sheet went stays in the status bar past the window's repaints.
    view->grabFramebuffer();
    QCOMPARE(window.statusText(), "The case sheet is written to " + dialogs.saveName + ".pdf");
    const QString text = pdfText(dialogs.saveName + ".pdf");
    for (const char *needle :
         {"Case of the cubes", "Obrazovanie", "Lokhanki", "Stones: 2;", "not a diagnosis"})
        QVERIFY2(text.contains(QLatin1String(needle)), needle);
    QVERIFY(!text.contains(QLatin1String("Hidden vein")));
    // The gap's length stands in each of the three views, and once in the
    // nephrometry's N row.
    const QRegularExpression gapLabel(QStringLiteral("3\\.00 mm"));
    QCOMPARE(text.count(gapLabel), 4);
    // Structures in the interface language, the model's name beside.
    QVERIFY(text.contains(QLatin1String("Tumour (Obrazovanie)")));
    // The window's own view is as it was.
    QCOMPARE(view->ModelList.at(1)->Transform->Scale, zoomBefore);

    dialogs.onExec = printTo(data.filePath(QStringLiteral("printed.pdf")));
    window.action("actionPrintCaseSheet")->trigger();
    const QString printed = pdfText(data.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(printed.contains(QLatin1String("Stones: 2;")));
    QCOMPARE(printed.count(gapLabel), 4);
}

void TestCaseSheet::nothingVisibleWritesNothing()
{
    Tessaron window;
    window.view()->placeNewModel(shapeModel("opukhol", "Obrazovanie", cube()));
    window.view()->ModelList.at(1)->setVisible(false);
    dialogs.text = QStringLiteral("Nothing");
    dialogs.saveName = data.filePath(QStringLiteral("none.pdf"));
    window.action("actionCaseSheet")->trigger();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown.first().contains(QLatin1String("|Nothing is visible")));
    QVERIFY(!QFile::exists(dialogs.saveName));
}

// Models named as their files name them (a label map's "kidney_left", a
// segmentation's "Tumor") stand on the sheet with the structure the importer
// found, in the interface language.
void TestCaseSheet::importedNamesWithTheirStructure()
{
    const auto sheetText = [&](const QString &name) {
        Tessaron window;
        const std::pair<const char *, const char *> imported[] = {{"kidney_left", "Parenhima_left"},
                                                                  {"Tumor", "Obrazovanie"}};
        double x = 0;
        for (const auto &[file, structure] : imported) {
            ModelClass *model = shapeModel("segmentation", file, cube(x += 10, 0, 0, 2));
            model->setProperty(kStructureProperty, QString(structure));
            window.view()->placeNewModel(model);
        }
        dialogs.text = QStringLiteral("Imported");
        dialogs.saveName = data.filePath(name);
        window.action("actionCaseSheet")->trigger();
        return pdfText(dialogs.saveName);
    };
    const QString english = sheetText(QStringLiteral("english.pdf"));
    QVERIFY2(english.contains(QLatin1String("Kidney (kidney_left)"))
                 && english.contains(QLatin1String("Tumour (Tumor)")),
             qPrintable(english));
    QTranslator russian;
    QVERIFY(russian.load(QStringLiteral(":/ru_translate")));
    QCoreApplication::installTranslator(&russian);
    const QString translated = sheetText(QStringLiteral("russian.pdf"));
    QCoreApplication::removeTranslator(&russian);
    QVERIFY2(translated.contains(QStringLiteral("Почка (kidney_left)"))
                 && translated.contains(QStringLiteral("Опухоль (Tumor)")),
             qPrintable(translated));
}

void TestCaseSheet::picturesShowThePlan()
{
    // A tumour inside the skin and a collecting system beside it, the gap
    // between them taken in the window, the cutting plane being edited on
    // the skin in a colour no model has.
    PlaneEditHost host;
    GLWidget view(nullptr, &host);
    view.resize(300, 300);
    // Named and coloured from their files' words, as a load does.
    const std::pair<const char *, measure::TriangleSurface> shapes[] = {
        {"skin", box({-8, -8, -8}, {20, 16, 16})},
        {"opukhol", cube(0, 0, 0, 2)},
        {"lokhanki", box({5, 3, -1}, {3, 4, 4})}};
    for (const auto &[file, surface] : shapes) {
        ModelClass *model = shapeModel(file, file, surface);
        applyAnatomyRow(*model, QLatin1String(file));
        view.placeNewModel(model);
    }
    ModelClass *skin = view.ModelList.at(1);
    skin->PlaneColor = {0, 1, 0, 1};
    view.ModelList.ActiveIndex = 1;
    showGap(view, {2, 1, 1}, {5, 3, 1}, 2, 3);

    CaseSheet sheet;
    sheet::captureViews(view, false, sheet);
    // The same views with the label's text empty: the pictures carry no
    // text of their own, the page sets each label once.
    MeasureMark blank = *view.measureMark();
    blank.label.clear();
    view.setMeasureMark(blank);
    CaseSheet unlabelled;
    sheet::captureViews(view, false, unlabelled);
    for (std::size_t k = 0; k < 3; ++k) {
        const QImage &image = sheet.views[k].image;
        QVERIFY(!image.isNull());
        QVERIFY2(countPixels(image, purple) > 500, qPrintable(QString::number(k)));
        QCOMPARE(countPixels(image, greenish), 0);
        QCOMPARE(sheet.views[k].labels.size(), 1);
        QCOMPARE(sheet.views[k].labels.first().text, QString("3.00 mm"));
        QVERIFY2(image == unlabelled.views[k].image, qPrintable(QString::number(k)));
    }
    // An open CT changes none of the pictures: its planes would hide the
    // models and its box would shrink them. It is back afterwards.
    auto ct = std::make_shared<ImageVolume>();
    ct->size[0] = ct->size[1] = ct->size[2] = 40;
    ct->toWorld.m[0][3] = ct->toWorld.m[1][3] = ct->toWorld.m[2][3] = -60;
    for (int a = 0; a < 3; ++a)
        ct->toWorld.m[a][a] = 3;
    ct->shorts.assign(std::size_t(ct->voxelCount()), 40);
    view.State.Image = ct;
    CaseSheet withCt;
    sheet::captureViews(view, false, withCt);
    QCOMPARE(view.State.Image.get(), ct.get());
    for (std::size_t k = 0; k < 3; ++k)
        QVERIFY2(withCt.views[k].image == unlabelled.views[k].image,
                 qPrintable(QString::number(k)));
    view.State.Image.reset();

    // The window's skin is as opaque as before, and its plane still drawn.
    QVERIFY(!skin->Settings.Transparent);
    QCOMPARE(skin->Meshes.first()->FrontColor[3], 1.0f);
    QVERIFY(countPixels(view.renderImage(300, 300), greenish) > 0);

    // The vector drawing keeps the skin see-through as well.
    CaseSheet vector;
    sheet::captureViews(view, true, vector);
    QVERIFY(vector.views[0].svg.contains("fill-opacity"));
    QVERIFY(!sheet::vectorFits(view, 10));
}

namespace {

measure::ModelSnapshot snapshot(const QString &name, const measure::TriangleSurface &surface,
                                std::array<int, 3> colour)
{
    measure::ModelSnapshot shot;
    shot.name = name;
    shot.fileName = "/case/" + name + ".surf";
    shot.anatomy = measure::anatomyOf(shot.name, shot.fileName);
    shot.colour = colour;
    shot.surface = surface;
    return shot;
}

// Pixels of a colour, within a tolerance, in a rectangle of the image.
int pixelsOf(const QImage &image, QColor colour, QRect area)
{
    return countPixels(
        image, [&](const QColor &c) { return near(c, colour, 59); }, area);
}

} // namespace

// The slice of a CT through the largest stone: its plane, the stone white in
// the stone window where the outlines say it is, the patient's right on the
// left, and the slice on the page.
void TestCaseSheet::sliceThroughTheLargestStone()
{
    // 1 mm voxels over x and y -30..29, z -10..9: air, and 1600 HU in the
    // two stones.
    ImageVolume ct;
    ct.size[0] = ct.size[1] = 60;
    ct.size[2] = 20;
    ct.toWorld.m[0][3] = ct.toWorld.m[1][3] = -30;
    ct.toWorld.m[2][3] = -10;
    ct.shorts.assign(std::size_t(ct.voxelCount()), -1000);
    auto fill = [&](std::array<int, 3> lo, int side) {
        for (int z = lo[2]; z < lo[2] + side; ++z)
            for (int y = lo[1]; y < lo[1] + side; ++y)
                for (int x = lo[0]; x < lo[0] + side; ++x)
                    ct.shorts[std::size_t(ct.index(x + 30, y + 30, z + 10))] = 1600;
    };
    const QColor green(0, 255, 0), magenta(255, 0, 255);
    const std::vector<measure::ModelSnapshot> shots {
        snapshot("kamni", joined(cube(5.5, -4.5, -2.5, 7), cube(-20.5, 9.5, -0.5, 2)), {0, 255, 0}),
        snapshot("pochka", box({-25, -15, -8}, {45, 30, 16}), {255, 0, 255})};
    fill({6, -4, -2}, 7);
    fill({-20, 10, 0}, 1);
    CaseSheet sheet;
    sheet.title = "slice";
    sheet.measured = measure::measureScene(shots);
    sheet::sliceThroughStone(ct, shots, sheet);
    const SheetSlice &slice = sheet.slice;
    QVERIFY(!slice.empty());
    QCOMPARE(slice.plane, qint64(12)); // z = 1, the big stone's centre
    QCOMPARE(slice.planes, qint64(20));
    QCOMPARE(slice.stone, QString("Stones (kamni) #1"));
    const QImage image = slice.image.convertToFormat(QImage::Format_RGB32);
    const QPoint centre = slice.fromWorld.map(QPointF(9, -1)).toPoint();
    QVERIFY(centre.x() < image.width() / 2); // the patient's right on the left
    QVERIFY(slice.fromWorld.map(QPointF(0, 10)).y() < slice.fromWorld.map(QPointF(0, -10)).y());
    QCOMPARE(image.pixelColor(centre), QColor(Qt::white));
    QCOMPARE(image.pixelColor(slice.fromWorld.map(QPointF(-5, -10)).toPoint()), QColor(Qt::black));
    // The stone's outline around its white square, the kidney's at its border.
    const QRect stone = slice.fromWorld.mapRect(QRectF(5.5, -4.5, 7, 7)).toAlignedRect();
    QVERIFY(pixelsOf(image, green, stone.adjusted(-4, -4, 4, 4)) > stone.width());
    QCOMPARE(pixelsOf(image, green, stone.adjusted(8, 8, -8, -8)), 0);
    const QPoint border = slice.fromWorld.map(QPointF(-25, 0)).toPoint();
    QVERIFY(pixelsOf(image, magenta, QRect(border - QPoint(4, 4), QSize(9, 9))) > 5);

    // The page shows it; without an image there is none.
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("pdftoppm (poppler-utils) renders the page");
    auto greenOnPage = [&](const CaseSheet &page) {
        const QString pdf = data.filePath("slice.pdf"), png = data.filePath("slice");
        if (!sheet::writePdf(page, pdf).isEmpty())
            return -1;
        QProcess::execute("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, png});
        const QImage rendered(png + ".png");
        return pixelsOf(rendered, green, rendered.rect());
    };
    // The legend and the model table show the stones' swatch on both pages;
    // the slice adds the outline.
    CaseSheet without = sheet;
    without.slice = {};
    const int swatches = greenOnPage(without), withSlice = greenOnPage(sheet);
    QVERIFY2(withSlice > swatches + 50,
             qPrintable(QStringLiteral("%1 %2").arg(withSlice).arg(swatches)));
    QVERIFY(pdfText(data.filePath("slice.pdf"))
                .contains("Axial plane through the centre of Stones (kamni) #1"));
}

TESSARON_VIEW_TEST_MAIN(TestCaseSheet)
#include "test_case_sheet.moc"

// File > Export > Web page: every model of the scene with its box and slider,
// the tables with the window's entries; a folder that is not there gives a
// message and no file.
void TestCaseSheet::webPageOfTheWindow()
{
    dialogs.shown.clear();
    Tessaron window;
    GLWidget *view = window.view();
    view->placeNewModel(shapeModel("opukhol", "Obrazovanie", cube(0, 0, 0, 2)));
    view->placeNewModel(shapeModel("kamni", "Kamni", joined(cube(6, 0, 0), cube(9, 0, 0, 0.5))));
    view->ModelList.at(2)->setVisible(false);
    dialogs.saveName = data.filePath(QStringLiteral("plan"));
    window.action("actionExportWebPage")->trigger();
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.shown.join('\n')));
    QCOMPARE(dialogs.saveFilter, "Web page (*.html)");
    view->grabFramebuffer();
    const QString page = data.filePath(QStringLiteral("plan.html"));
    QCOMPARE(window.statusText(), "The web page is written to " + page);
    const QString html = QString::fromUtf8(fileBytes(page));
    for (const char *needle :
         {"type=\"checkbox\" data-model=\"Obrazovanie\"", "type=\"range\" data-model=\"Kamni\"",
          "not a diagnosis", "Tumour (Obrazovanie)", "<html lang=\"en\">"})
        QVERIFY2(html.contains(QLatin1String(needle)), needle);

    dialogs.saveName = data.filePath(QStringLiteral("no folder/plan.html"));
    window.action("actionExportWebPage")->trigger();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown.front().contains(QLatin1String("no folder")));
    QVERIFY(!QFile::exists(dialogs.saveName));
}
