#include "CliInput.h"

#include "formats/HxReader.h"
#include "formats/LoadPipeline.h"
#include "model/ModelClass.h"

#include <QFileInfo>

#include <cstdio>

void printInputError(const QString &path, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(text));
}

namespace {

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

bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models)
{
    if (input.endsWith(".hx", Qt::CaseInsensitive))
        return loadScene(input, models);
    return loadSurface(input, models);
}
