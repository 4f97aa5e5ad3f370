// The case sheet in the window: "Case sheet..." writes the PDF of the
// visible models with the gap measured in the window drawn into its views,
// "Print case sheet..." prints the same page, and a scene with nothing
// visible gets a message and no file.

#include "app/ShapeModels.h"
#include "app/Tessaron.h"
#include "measure/ClosestGap.h"
#include "view/GLWidget.h"
#include "view/ScriptedDialogs.h"
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

} // namespace

class TestCaseSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Dialogs::install(&dialogs); }
    void cleanupTestCase() { Dialogs::install(nullptr); }
    void sheetAndPrintOfTheWindow();
    void nothingVisibleWritesNothing();

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
    // Where the sheet went stays in the status bar past the window's repaints.
    view->grabFramebuffer();
    QCOMPARE(window.statusText(), "The case sheet is written to " + dialogs.saveName + ".pdf");
    const QString text = pdfText(dialogs.saveName + ".pdf");
    for (const char *needle :
         {"Case of the cubes", "Obrazovanie", "Lokhanki", "Stones: 2;", "not a diagnosis"})
        QVERIFY2(text.contains(QLatin1String(needle)), needle);
    QVERIFY(!text.contains(QLatin1String("Hidden vein")));
    // The gap's length stands in each of the three views.
    const QRegularExpression gapLabel(QStringLiteral("S ?= ?3\\b"));
    QCOMPARE(text.count(gapLabel), 3);
    // The window's own view is as it was.
    QCOMPARE(view->ModelList.at(1)->Transform->Scale, zoomBefore);

    dialogs.onExec = printTo(dir.filePath(QStringLiteral("printed.pdf")));
    window.action("actionPrintCaseSheet")->trigger();
    const QString printed = pdfText(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(printed.contains(QLatin1String("Stones: 2;")));
    QCOMPARE(printed.count(gapLabel), 3);
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

TESSARON_VIEW_TEST_MAIN(TestCaseSheet)
#include "test_case_sheet.moc"
