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

bool isSurfaceOrScene(const QString &path)
{
    return path.endsWith(".surf", Qt::CaseInsensitive) || path.endsWith(".hx", Qt::CaseInsensitive);
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
    const size_t before = models.size();
    if (!isImportedInput(input) && !isSurfaceOrScene(input) && !QFileInfo(input).isDir()) {
        printInputError(input,
                        Import::tr("Files of this kind are not read; the endings read are "
                                   "%1.")
                            .arg(QStringLiteral(".surf, .hx, ") + importEndings()));
        return false;
    }
    const bool ok = isImportedInput(input)           ? importInput(input, models)
        : input.endsWith(".hx", Qt::CaseInsensitive) ? loadScene(input, models)
                                                     : loadSurface(input, models);
    if (verbose)
        for (size_t m = before; m < models.size(); ++m)
            describe(*models[m]);
    return ok;
}
