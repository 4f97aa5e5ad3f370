// The window's case sheet: the visible models measured and drawn on one A4
// page, written as a PDF file or printed; and the plan as one web page.

#include "Tessaron.h"

#include "formats/FileKinds.h"
#include "formats/GltfCamera.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/WebPageWriter.h"
#include "measure/PageTables.h"
#include "panels/MeasurementsControl.h"
#include "view/CaseSheet.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/SessionView.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

QString Tessaron::caseSheetTitle() const
{
    return lastFile.isEmpty() ? windowTitleText() : QFileInfo(lastFile).fileName();
}

namespace {

// The parts of the scores the user entered in the Measurements panel: A and
// L of the nephrometry, O and N of the stone score.
void copyEntered(const measure::SceneMeasurement &from, measure::SceneMeasurement &to)
{
    for (measure::Nephrometry &n : to.nephrometry)
        for (const measure::Nephrometry &entered : from.nephrometry)
            if (entered.tumour == n.tumour) {
                n.anterior = entered.anterior;
                n.polar = entered.polar;
            }
    for (measure::StoneBurden &burden : to.stones)
        for (const measure::StoneBurden &entered : from.stones)
            if (entered.model == burden.model) {
                burden.score.obstruction = entered.score.obstruction;
                burden.score.calyces = entered.score.calyces;
            }
}

} // namespace

bool Tessaron::prepareCaseSheet(const QString &title, CaseSheet &sheet)
{
    const std::vector<measure::ModelSnapshot> shots = sheet::visibleSnapshots(*View);
    if (shots.empty()) {
        Dialogs::current().warning(this, tr("Warning"), sheet::nothingVisibleText());
        return false;
    }
    const auto *panel =
        static_cast<const MeasurementsControl *>(this->panel(PanelKind::Measurements));
    // The open image (a CT) gives the sheet its HU and its slice.
    measure::SceneOptions options;
    options.image = State.Image.get();
    if (!View->runResponsive(tr("Making the case sheet..."),
                             [&] { sheet.measured = measure::measureScene(shots, options); }))
        return false;
    if (panel)
        copyEntered(panel->results(), sheet.measured);
    if (options.image)
        sheet::sliceThroughStone(*options.image, shots, sheet);
    sheet.title = title;
    sheet.folder = lastFile.isEmpty() ? QString() : QFileInfo(lastFile).absolutePath();
    sheet.made = QDateTime::currentDateTime();
    // A plan's sheet starts from the plan's own direction, as tessaron-cli
    // sheet of the same session does.
    sheet::captureViews(*View, sheet::vectorFits(*View, sheet::triangleCount(shots)), sheet,
                        isSessionName(lastFile));
    return true;
}

void Tessaron::caseSheet()
{
    QString title;
    if (!Dialogs::current().getText(this, tr("Case sheet"), tr("Title of the sheet:"),
                                    caseSheetTitle(), title))
        return;
    const QString suggested = lastFolder + QLatin1Char('/') + QFileInfo(lastFile).completeBaseName()
        + "-sheet" + caseSheetEnding();
    QString fileName =
        Dialogs::current().getSaveFileName(this, tr("Save the case sheet as"), suggested,
                                           tr("PDF (%1)").arg(u'*' + caseSheetEnding()));
    if (fileName.isEmpty())
        return;
    if (!isCaseSheetName(fileName))
        fileName += caseSheetEnding();
    CaseSheet sheet;
    if (!prepareCaseSheet(title.trimmed().isEmpty() ? caseSheetTitle() : title, sheet))
        return;
    if (const QString error = sheet::writePdf(sheet, fileName); !error.isEmpty()) {
        Dialogs::current().critical(this, tr("Error"), error);
        return;
    }
    // A notice, not a passing status: the repaints after the sheet's views
    // would replace that at once.
    View->showNotice(
        tr("The case sheet is written to %1").arg(QFileInfo(fileName).absoluteFilePath()));
}

void Tessaron::printCaseSheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print case sheet"));
    if (Dialogs::current().exec(dialog) != QDialog::Accepted)
        return;
    CaseSheet sheet;
    if (prepareCaseSheet(caseSheetTitle(), sheet))
        sheet::paint(sheet, printer);
}

void Tessaron::exportWebPage()
{
    const ModelClass *scene = View->ModelList.scene();
    if (!scene || scene->Children.isEmpty())
        return;
    if (const QString why = webPageUnavailable(); !why.isEmpty()) {
        Dialogs::current().critical(this, tr("Error"), why);
        return;
    }
    const QString suggested =
        lastFolder + QLatin1Char('/') + QFileInfo(lastFile).completeBaseName() + webPageEnding();
    QString fileName = Dialogs::current().getSaveFileName(this, tr("Export web page"), suggested,
                                                          tr("Web page (%1)").arg(webPageFilter()));
    if (fileName.isEmpty())
        return;
    WebPage page;
    page.title = caseSheetTitle();
    std::vector<measure::ModelSnapshot> shots;
    for (const ModelClass *model : scene->Children) {
        page.models << model;
        shots.push_back(measure::snapshotModel(*model));
    }
    const int w = View->width(), h = View->height();
    page.camera = viewingCamera(page.models, viewCamera(*View), h > 0 ? double(w) / h : 1.0);
    qint32 code = errNone;
    const bool done = View->runResponsive(tr("Writing the web page..."), [&] {
        measure::SceneMeasurement measured = measure::measureScene(shots, {});
        if (const auto *panel =
                static_cast<const MeasurementsControl *>(this->panel(PanelKind::Measurements)))
            copyEntered(panel->results(), measured);
        page.tables = measure::pageTables(measured);
        clearOutputError();
        code = writeWebPage(page, fileName);
    });
    if (!done)
        return;
    if (code != errNone) {
        const QString reason = lastOutputError();
        Dialogs::current().critical(
            this, tr("Error"), reason.isEmpty() ? fileName + ": " + errorMessage(code) : reason);
        return;
    }
    View->showNotice(
        tr("The web page is written to %1")
            .arg(QFileInfo(outputFileName(fileName, webPageEnding())).absoluteFilePath()));
}
