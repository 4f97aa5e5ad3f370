#include "Importer.h"

#include "DicomSeg.h"
#include "DicomSeries.h"
#include "ImageImport.h"
#include "ImportedModel.h"
#include "LabelMapImport.h"
#include "MeshFileImport.h"
#include "RtStruct.h"
#include "VtkReader.h"
#include "formats/HxReader.h"
#include "formats/LoadPipeline.h"
#include "geometry/Status.h"
#include "model/ModelClass.h"

#include <QFileInfo>

#include <algorithm>
#include <new>

bool isImportable(const Recognition &file)
{
    return file.row && isImportedKind(*file.row);
}

bool isImportable(const QString &path)
{
    return isImportable(recognise(path));
}

namespace {

// The image of a path of a kind that holds images.
ImageVolume readImageOf(const Recognition &file, const OpenOptions &options)
{
    if (file.kind == FileKind::Nifti || file.kind == FileKind::Nrrd)
        return readImageFile(file);
    if (file.kind == FileKind::Dicom)
        return readDicomSeries(file.path, options.series, options.chooseSeries);
    failImport(Import::tr("This file holds surfaces, not an image."));
}

// A NIfTI or NRRD file: its labels as models, or its image, as the options
// say or, when they leave it open, as its values suggest. The samples are
// read once either way.
void readLabelsOrImage(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                       const OpenOptions &options, std::shared_ptr<const ImageVolume> &image)
{
    if (options.as == ReadAs::Labels)
        return importLabelMap(file, models, options.progress);
    ProgressSteps steps(options.progress, 2);
    steps.begin(0, Import::tr("Reading %1...").arg(QFileInfo(file.path).fileName()));
    LabelMapData data = readVolumeData(file, steps.fractions());
    if (options.as == ReadAs::Guess && holdsLabels(data, niftiIntentOf(file)))
        return labelMapModels(std::move(data), file, models, options.progress);
    image = std::make_shared<ImageVolume>(imageOf(std::move(data), file.path));
}

// Whether a segmentation naming `series` was drawn on the image (a split
// series' parts carry ".1", ".2" after the UID); one naming none may be.
bool segments(const ImageVolume &image, const QString &series)
{
    return series.isEmpty() || image.seriesUid == series
        || image.seriesUid.startsWith(series + QLatin1Char('.'));
}

// A DICOM folder: its image series and the segmentations beside it drawn on
// that series, so both open together; a folder of segmentations alone gives
// their segments.
void readDicomFolder(const Recognition &folder, std::vector<std::unique_ptr<ModelClass>> &models,
                     const OpenOptions &options, std::shared_ptr<const ImageVolume> &image)
{
    const std::vector<Recognition> segmentations =
        options.as == ReadAs::Image ? std::vector<Recognition>() : segmentationFilesIn(folder.path);
    if (segmentations.empty()) {
        image = std::make_shared<ImageVolume>(readImageOf(folder, options));
        return;
    }
    try {
        image = std::make_shared<ImageVolume>(readImageOf(folder, options));
    } catch (const ImportFailure &failure) {
        warnImport(Import::tr("No image was read: %1").arg(failure.message));
    }
    for (const Recognition &file : segmentations) {
        const QString name = QFileInfo(file.path).fileName();
        if (image && !segments(*image, segmentedSeriesOf(file.path))) {
            warnImport(Import::tr("%1 segments another series; it is left out.").arg(name));
            continue;
        }
        try {
            importDicomSeg(file, models, options.progress);
        } catch (const ImportFailure &failure) {
            warnImport(name + QStringLiteral(": ") + failure.message);
        }
    }
    if (!image && models.empty())
        failImport(Import::tr("No image and no segment could be read there."));
}

// Runs the imported kind's reader the registry names.
void readImported(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                  const OpenOptions &options, std::shared_ptr<const ImageVolume> &image)
{
    const QString &path = file.path;
    const KindReader reader = file.row ? file.row->reader : KindReader::None;
    if (options.as == ReadAs::Image && reader != KindReader::LabelMap
        && reader != KindReader::Image)
        failImport(Import::tr("This file holds surfaces, not an image."));
    if (options.as == ReadAs::Labels && reader == KindReader::Image)
        failImport(Import::tr("This file holds an image, not labels."));
    switch (reader) {
    case KindReader::MeshFile:
        return importMeshFile(file, models);
    case KindReader::LegacyVtk:
        return importVtkFile(file, models);
    case KindReader::LabelMap:
        return readLabelsOrImage(file, models, options, image);
    case KindReader::MaskFolder:
        return importMaskFolder(path, models, options.progress);
    case KindReader::Image:
        if (file.kind == FileKind::Dicom && QFileInfo(path).isDir())
            return readDicomFolder(file, models, options, image);
        image = std::make_shared<ImageVolume>(readImageOf(file, options));
        return;
    case KindReader::RtStruct: // with the image the contours were drawn on, when beside them
        return importRtStruct(path, models, image, options.progress);
    case KindReader::Segments:
        return importDicomSeg(file, models, options.progress);
    case KindReader::None:
    case KindReader::Surface:
    case KindReader::Scene:
    case KindReader::Session:
        break;
    }
    failImport(Import::tr("Files of this kind are not imported; the endings read are %1.")
                   .arg(importEndings()));
}

void dispatch(const Recognition &seen, std::vector<std::unique_ptr<ModelClass>> &models,
              const OpenOptions &options, std::shared_ptr<const ImageVolume> &image)
{
    const QFileInfo info(seen.path);
    if (info.isDir() && seen.kind != FileKind::MaskFolder && seen.kind != FileKind::Dicom)
        failImport(Import::tr("The folder holds no label maps."));
    if (!info.isDir() && (!info.isFile() || !info.isReadable()))
        failImport(errorMessage(errOpen)); // as a .surf that cannot be opened
    if (seen.content != FileKind::Unknown)
        failImport(Import::tr("The file holds %1 data, not %2 as its name's ending says.")
                       .arg(QLatin1StringView(kindRow(seen.content)->name),
                            QLatin1StringView(seen.row->name)));
    readImported(seen, models, options, image);
}

} // namespace

ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const ImportProgress &progress)
{
    OpenOptions options;
    options.progress = progress;
    return importModels(recognise(path), models, options);
}

ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const OpenOptions &options)
{
    return importModels(recognise(path), models, options);
}

ImportResult importModels(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                          const OpenOptions &options)
{
    std::vector<std::unique_ptr<ModelClass>> made;
    ImportResult result;
    ImportWarnings warnings;
    try {
        dispatch(file, made, options, result.image);
        result.ok = true;
    } catch (const ImportFailure &failure) {
        result.message = failure.message;
    } catch (const ImportCanceled &) {
        result.canceled = true;
        result.message = Import::tr("The import was cancelled.");
    } catch (const std::bad_alloc &) {
        result.message = Import::tr("There is not enough memory to import the file.");
    } catch (errors code) {
        result.message = code == errNoMemory
            ? Import::tr("There is not enough memory to import the file.")
            : Import::tr("The file cannot be imported.");
    }
    if (!result.ok)
        return result;
    result.warnings = warnings.list();
    for (auto &model : made) {
        settleFunctionLocation(*model);
        model->OwnColors = model->ModelColor[0] >= 0;
        model->SourceName = model->Name;
        models.push_back(std::move(model));
    }
    return result;
}

bool OpenedFile::failed() const
{
    return canceled
        || std::any_of(problems.begin(), problems.end(),
                       [](const FileProblem &problem) { return !problem.warning; });
}

namespace {

bool openSurface(const QString &path, OpenedFile &opened)
{
    auto model = std::make_unique<ModelClass>();
    if (const qint32 code = model->loadFile(path)) {
        opened.problems << FileProblem {path, loadErrorMessage(code)};
        return false;
    }
    opened.models.push_back(std::move(model));
    return true;
}

// The scene's surfaces, named relative to its folder as the viewer opens them.
void openScene(const QString &path, OpenedFile &opened)
{
    QStringList names;
    if (const qint32 code = readHxList(path, names)) {
        opened.problems << FileProblem {path, loadErrorMessage(code)};
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString &name : std::as_const(names))
        if (!openSurface(folder + QLatin1Char('/') + name, opened))
            return;
}

void openImported(const Recognition &file, OpenedFile &opened, const OpenOptions &options)
{
    const QString &path = file.path;
    ImportResult result = importModels(file, opened.models, options);
    opened.image = std::move(result.image);
    opened.canceled = result.canceled;
    if (!result.ok)
        opened.problems << FileProblem {path, result.message};
    for (const QString &warning : result.warnings)
        opened.problems << FileProblem {path, warning, true};
}

} // namespace

OpenedFile openPath(const QString &path, const OpenOptions &options)
{
    return openPath(recognise(path), options);
}

OpenedFile openPath(const Recognition &file, const OpenOptions &options)
{
    const QString &path = file.path;
    OpenedFile opened;
    opened.kind = file.kind;
    const FileKindRow *row = file.row;
    if (!row)
        return opened;
    if (!options.series.isEmpty() && row->reader != KindReader::Image)
        opened.problems << FileProblem {
            path, Import::tr("A series was chosen, but this file holds one image at most."), true};
    if (options.as == ReadAs::Image
        && (row->reader == KindReader::Surface || row->reader == KindReader::Scene))
        opened.problems << FileProblem {path,
                                        Import::tr("This file holds surfaces, not an image.")};
    else if (row->reader == KindReader::Surface)
        openSurface(path, opened);
    else if (row->reader == KindReader::Scene)
        openScene(path, opened);
    else if (row->reader == KindReader::Session)
        openSession(path, opened, options);
    else
        openImported(file, opened, options);
    return opened;
}
