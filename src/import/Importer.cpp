#include "Importer.h"

#include "ImportedModel.h"
#include "LabelMapImport.h"
#include "MeshFileImport.h"
#include "VtkReader.h"
#include "formats/LoadPipeline.h"
#include "geometry/Status.h"
#include "model/ModelClass.h"

#include <QFileInfo>

#include <new>

QStringList importPatterns()
{
    return {"*.stl", "*.obj", "*.ply",    "*.off",  "*.gltf",     "*.glb", "*.3mf",
            "*.vtk", "*.nii", "*.nii.gz", "*.nrrd", "*.seg.nrrd", "*.nhdr"};
}

QString importEndings()
{
    QStringList endings = importPatterns();
    for (QString &ending : endings)
        ending.remove(0, 1);
    return endings.join(QStringLiteral(", ")) + QStringLiteral(", ")
        + Import::tr("a folder of masks");
}

bool isImportable(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return isMaskFolder(path);
    return isMeshFilePath(path) || isLabelMapPath(path)
        || path.endsWith(".vtk", Qt::CaseInsensitive);
}

namespace {

void dispatch(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
              const ImportProgress &progress)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        if (!isMaskFolder(path))
            failImport(Import::tr("The folder holds no label maps."));
        return importMaskFolder(path, models, progress);
    }
    if (!info.isFile() || !info.isReadable())
        failImport(errorMessage(errOpen)); // as a .surf that cannot be opened
    if (isLabelMapPath(path))
        return importLabelMap(path, models, progress);
    if (path.endsWith(".vtk", Qt::CaseInsensitive))
        return importVtkFile(path, models);
    if (isMeshFilePath(path))
        return importMeshFile(path, models);
    failImport(Import::tr("Files of this kind are not imported; the endings read are %1.")
                   .arg(importEndings()));
}

} // namespace

ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const ImportProgress &progress)
{
    std::vector<std::unique_ptr<ModelClass>> made;
    ImportResult result;
    ImportWarnings warnings;
    try {
        dispatch(path, made, progress);
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
        models.push_back(std::move(model));
    }
    return result;
}
