// The case sheet in the window: "Case sheet..." writes the PDF of the
// visible models with the gap measured in the window drawn into its views,
// "Print case sheet..." prints the same page, and a scene with nothing
// visible gets a message and no file.

#include "app/ShapeModels.h"
#include "app/Tessaron.h"
#include "formats/AnatomyNames.h"
#include "measure/ClosestGap.h"
#include "view/CaseSheet.h"
#include "view/GLWidget.h"
#include "view/ScriptedDialogs.h"
#include "view/ViewHost.h"
#include "view/ViewTestMain.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

// A host whose cutting plane is being edited, as with the intersection
// panel open: the view draws the plane of its current model.
class PlaneEditingHost : public HeadlessHost
{
public:
    bool planeEditMode() const override { return true; }
};

// Pixels of the tumour's purple, alone or seen through the skin.
int purplePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.blue() > c.green() + 60 && c.red() > c.green() + 30;
        }
    return n;
}

int greenPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.green() > 150 && c.red() < 100 && c.blue() < 100;
        }
    return n;
}

} // namespace

class TestCaseSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Dialogs::install(&dialogs); }
    void cleanupTestCase() { Dialogs::install(nullptr); }
    void sheetAndPrintOfTheWindow();
    void nothingVisibleWritesNothing();
    void picturesShowThePlan();

private:
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
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
    // The gap taken in the window: tumour to pelvis, 3 mm.
    measure::Gap gap;
    gap.valid = true;
    gap.distance = 3;
    gap.onA = {2, 1, 1};
    gap.onB = {5, 1, 1};
    view->setMeasureMark(
        gapMark(gap, view->ModelList.at(1), view->ModelList.at(2), "Obrazovanie", "Lokhanki"));
    const double zoomBefore = view->ModelList.at(1)->Transform->Scale;

    dialogs.text = QStringLiteral("Case of the cubes");
    dialogs.saveName = dir.filePath(QStringLiteral("cubes"));
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

    dialogs.onExec = printTo(dir.filePath(QStringLiteral("printed.pdf")));
    window.action("actionPrintCaseSheet")->trigger();
    const QString printed = pdfText(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(printed.contains(QLatin1String("Stones: 2;")));
    QCOMPARE(printed.count(gapLabel), 4);
}

void TestCaseSheet::nothingVisibleWritesNothing()
{
    Tessaron window;
    window.view()->placeNewModel(shapeModel("opukhol", "Obrazovanie", cube()));
    window.view()->ModelList.at(1)->setVisible(false);
    dialogs.saveName = dir.filePath(QStringLiteral("none.pdf"));
    window.action("actionCaseSheet")->trigger();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown.first().contains(QLatin1String("|Nothing is visible")));
    QVERIFY(!QFile::exists(dialogs.saveName));
}

void TestCaseSheet::picturesShowThePlan()
{
    // A tumour inside the skin and a collecting system beside it, the gap
    // between them taken in the window, the cutting plane being edited on
    // the skin in a colour no model has.
    PlaneEditingHost host;
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
    measure::Gap gap;
    gap.valid = true;
    gap.distance = 3;
    gap.onA = {2, 1, 1};
    gap.onB = {5, 3, 1};
    view.setMeasureMark(
        gapMark(gap, view.ModelList.at(2), view.ModelList.at(3), "Obrazovanie", "Lokhanki"));

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
        QVERIFY2(purplePixels(image) > 500, qPrintable(QString::number(k)));
        QCOMPARE(greenPixels(image), 0);
        QCOMPARE(sheet.views[k].labels.size(), 1);
        QCOMPARE(sheet.views[k].labels.first().text, QString("3.00 mm"));
        QVERIFY2(image == unlabelled.views[k].image, qPrintable(QString::number(k)));
    }
    // The window's skin is as opaque as before, and its plane still drawn.
    QVERIFY(!skin->Settings.Transparent);
    QCOMPARE(skin->Meshes.first()->FrontColor[3], 1.0f);
    QVERIFY(greenPixels(view.renderImage(300, 300).convertToFormat(QImage::Format_RGB32)) > 0);

    // The vector drawing keeps the skin see-through as well.
    CaseSheet vector;
    sheet::captureViews(view, true, vector);
    QVERIFY(vector.views[0].svg.contains("fill-opacity"));
    QVERIFY(!sheet::vectorFits(view, 10));
}

TESSARON_VIEW_TEST_MAIN(TestCaseSheet)
#include "test_case_sheet.moc"
