// The main window's import: mesh files, legacy VTK files, label maps and
// folders of masks, from the Import dialog or dropped on the view, and the
// images under them (a CT). A label map's import shows its steps in a
// progress dialog that can cancel it, while the window goes on repainting.

#include "Tessaron.h"
#include "import/Importer.h"
#include "model/ImageSlice.h"
#include "model/ModelClass.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>

namespace {

// Long enough between event rounds that they cost nothing, short enough
// that the window repaints and the cancel button answers at once.
constexpr qint64 kEventInterval = 40; // ms

// A path holding several DICOM series: the user picks one from a list that
// names each by its modality, size and description, the series of the most
// slices (what is read without asking) offered first.
int askSeries(QWidget *parent, const std::vector<DicomSeriesInfo> &series)
{
    QStringList items;
    for (const DicomSeriesInfo &s : series)
        items << Tessaron::tr("%1. %2, %3 images of %4 × %5: %6")
                     .arg(items.size() + 1)
                     .arg(s.modality.isEmpty() ? Tessaron::tr("no modality") : s.modality)
                     .arg(s.slices)
                     .arg(s.columns)
                     .arg(s.rows)
                     .arg(s.description.isEmpty() ? s.uid : s.description);
    int picked = -1;
    if (!Dialogs::current().getItem(
            parent, Tessaron::tr("Import"),
            Tessaron::tr("The path holds %1 series. Open which one?").arg(series.size()), items,
            int(mostSlices(series)), picked))
        return -1;
    return picked;
}

} // namespace

void Tessaron::showImage(const QString &path, const std::shared_ptr<const ImageVolume> &image)
{
    const bool first = !State.Image;
    State.Image = image;
    State.ImagePath = QFileInfo(path).absoluteFilePath();
    State.Slices = startingSlices(*image);
    if (!image->warnings.isEmpty())
        Dialogs::current().message(nullptr, QString(), path + ": " + image->warnings.join('\n'));
    // Surfaces and image share the world frame: only an image without
    // models needs framing, the models' framing holds it otherwise.
    if (first && View->ModelList.count() < 2)
        Commands->fitAll();
    View->updateProjection();
    View->update();
    showState();
    const QString size =
        QStringLiteral("%1 × %2 × %3").arg(image->size[0]).arg(image->size[1]).arg(image->size[2]);
    View->showNotice(image->warnings.isEmpty()
                         ? tr("Image %1 of %2 voxels").arg(QFileInfo(path).fileName(), size)
                         : image->warnings.join(QStringLiteral("; ")));
}

QString Tessaron::importFilter()
{
    return tr("Importable files (%1)").arg(importPatterns().join(' '));
}

void Tessaron::importFile()
{
    showStatus(tr("Importing file"));
    const QStringList files =
        Dialogs::current().getOpenFileNames(this, tr("Import"), lastFolder, importFilter());
    for (const QString &file : files) {
        lastFolder = QFileInfo(file).absolutePath();
        importModelFile(file);
    }
    clearStatus();
}

int Tessaron::importModelFile(const QString &path)
{
    return importModelFile(recognise(path));
}

int Tessaron::importModelFile(const Recognition &file)
{
    const QString &path = file.path;
    showStatus(tr("Importing %1...").arg(QFileInfo(path).fileName()));
    const bool labelMap = (file.row && file.row->reader == KindReader::LabelMap)
        || QFileInfo(path).isDir() || file.kind == FileKind::DicomSeg;
    QProgressDialog dialog(this);
    dialog.setWindowTitle(tr("Import"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumWidth(420);
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    ImportProgress progress;
    if (labelMap) {
        dialog.setLabelText(tr("Reading %1...").arg(QFileInfo(path).fileName()));
        dialog.show();
        QApplication::processEvents();
        progress = [&](int value, int maximum, const QString &text) {
            if (sinceEvents.elapsed() >= kEventInterval) {
                dialog.setMaximum(maximum);
                dialog.setValue(value);
                dialog.setLabelText(text);
                QApplication::processEvents();
                sinceEvents.restart();
            }
            return !dialog.wasCanceled();
        };
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    std::vector<std::unique_ptr<ModelClass>> models;
    OpenOptions options;
    options.progress = progress;
    options.chooseSeries = [this](const std::vector<DicomSeriesInfo> &series) {
        return askSeries(this, series);
    };
    const ImportResult result = importModels(file, models, options);
    if (!labelMap)
        QApplication::restoreOverrideCursor();
    // A progress dialog shows itself when its timer fires, even one never
    // shown: stop the timer, or it would appear behind the next message.
    dialog.reset();
    dialog.hide();
    if (!result.ok) {
        if (!result.canceled)
            Dialogs::current().message(nullptr, QString(), path + ": " + result.message);
        clearStatus();
        return 0;
    }
    if (result.image) {
        showImage(path, result.image);
        if (models.empty()) { // else a structure set's ROIs or a folder's segments, on it
            clearStatus();
            return 0;
        }
    }
    if (!result.warnings.isEmpty()) // what was left out, before the models show
        Dialogs::current().message(nullptr, QString(), path + ": " + result.warnings.join('\n'));
    for (auto &model : models)
        View->addImportedModel(model.release());
    if (models.size() > 1) { // a scene: placed together, as a .hx scene is
        View->moveCenter();
        Commands->transformAll();
    }
    // An import lands among models of another place and size: everything
    // shown is framed, as the command-line tool frames its pictures.
    Commands->fitAll();
    syncViewActions();
    View->update();
    clearStatus();
    return int(models.size());
}
