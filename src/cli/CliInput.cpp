#include "CliInput.h"

#include "formats/HxReader.h"
#include "formats/LoadPipeline.h"
#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QFileInfo>

#include <cstdio>

void printInputError(const QString &path, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(text));
}

namespace {

bool verbose = false;

// The colour a model without one of its own is drawn in: the view's default
// colour of front faces (#0000DD).
constexpr int kDefaultFront[3] = {0, 0, 221};

// The endings INPUT may have besides a folder of masks, for the message on
// any other one.
QString readableKinds()
{
    return QStringLiteral(".surf, .hx, ") + importEndings();
}

} // namespace

bool admitInput(const QString &input)
{
    const QFileInfo info(input);
    if (!info.exists()) {
        printInputError(input, QStringLiteral("the file does not exist"));
        return false;
    }
    if (isImportedInput(input) || input.endsWith(QLatin1String(".hx"), Qt::CaseInsensitive)
        || input.endsWith(QLatin1String(".surf"), Qt::CaseInsensitive))
        return true;
    printInputError(input,
                    info.isDir() ? QStringLiteral("the folder holds no label maps; "
                                                  "an INPUT is a file or a folder of masks: %1")
                                       .arg(readableKinds())
                                 : QStringLiteral("Error filetype. Tessaron reads %1")
                                       .arg(readableKinds()));
    return false;
}

namespace {

void describe(const ModelClass &model)
{
    qint64 vertices = 0, cells = 0;
    for (const MeshClass *mesh : model.Meshes) {
        vertices += mesh->CountOfVertices;
        cells += mesh->totalCells();
    }
    const int *rgb = model.ModelColor[0] >= 0 ? model.ModelColor : kDefaultFront;
    std::fprintf(stderr, "%s: %s: %lld blocks, %lld vertices, %lld cells, colour %d %d %d\n",
                 qPrintable(model.FileName), qPrintable(model.Name), qint64(model.Meshes.size()),
                 vertices, cells, rgb[0], rgb[1], rgb[2]);
}

// What an import left out reaches the user whether or not --verbose is on:
// a model that lost something must not pass for the whole file.
bool importInput(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models)
{
    const ImportResult result = importModels(path, models);
    if (!result.ok)
        printInputError(path, result.message);
    for (const QString &warning : result.warnings)
        printInputError(path, Import::tr("warning: %1").arg(warning));
    return result.ok;
}

bool loadSurface(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models)
{
    auto model = std::make_unique<ModelClass>();
    if (const qint32 code = model->loadFile(path)) {
        printInputError(path, loadErrorMessage(code));
        return false;
    }
    models.push_back(std::move(model));
    return true;
}

// Every .surf of the scene, named relative to the scene's folder as the
// viewer opens them.
bool loadScene(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models)
{
    QStringList names;
    if (const qint32 code = readHxList(path, names)) {
        printInputError(path, loadErrorMessage(code));
        return false;
    }
    if (names.isEmpty()) {
        printInputError(path, QStringLiteral("the scene names no surface"));
        return false;
    }
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString &name : std::as_const(names))
        if (!loadSurface(folder + "/" + name, models))
            return false;
    return true;
}

} // namespace

int usageError(const char *command, const QString &cause, const char *usage)
{
    std::fprintf(stderr, "tessaron-cli %s: %s\n", command, qPrintable(cause));
    std::fputs(usage, stderr);
    return 64;
}

const char *const kInputHelp =
    "  INPUT   a .surf surface or an .hx scene listing several; or a file to import:\n"
    "          meshes (.stl .obj .ply .off .gltf .glb .3mf), legacy VTK (.vtk), label\n"
    "          maps (.nii .nii.gz .nrrd .seg.nrrd .nhdr), or a folder of masks\n";

bool namesModel(const QString &wanted, const QString &name, const QString &fileName)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0
        || (!fileName.isEmpty()
            && QFileInfo(fileName).completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0);
}

QString modelNamesText(const QStringList &names)
{
    return names.join(QStringLiteral(", "));
}

void setCliVerbose(bool on)
{
    verbose = on;
}

bool cliVerbose()
{
    return verbose;
}

bool isImportedInput(const QString &input)
{
    return isImportable(input);
}

bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models)
{
    if (!admitInput(input))
        return false;
    const size_t before = models.size();
    const bool ok = isImportedInput(input)           ? importInput(input, models)
        : input.endsWith(".hx", Qt::CaseInsensitive) ? loadScene(input, models)
                                                     : loadSurface(input, models);
    if (verbose)
        for (size_t m = before; m < models.size(); ++m)
            describe(*models[m]);
    return ok;
}
