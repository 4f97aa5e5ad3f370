#include "ConvertCommand.h"

#include "formats/HxReader.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "model/ModelClass.h"
#include "model/Topology.h"

#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kUsageError = 64;

// The save filter of each writable ending; its word chooses the writer.
QString formatOf(const QString &output)
{
    static const std::pair<const char *, const char *> formats[] = {
        {"mesh", "MESH(*.mesh)"}, {"off", "OFF(*.off)"}, {"vtk", "VTK(*.vtk)"},
        {"obj", "OBJ(*.obj)"},    {"ply", "PLY(*.ply)"}, {"dat", "DAT(*.dat)"},
        {"vrt", "StarCD(*.vrt)"}, {"stl", "STL(*.stl)"},
    };
    const QString suffix = QFileInfo(output).suffix().toLower();
    for (const auto &[ending, format] : formats)
        if (suffix == QLatin1StringView(ending))
            return QString::fromLatin1(format);
    return QString();
}

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::unique_ptr<ModelClass> loadSurface(const QString &path)
{
    auto model = std::make_unique<ModelClass>();
    if (const qint32 code = model->loadFile(path)) {
        printError(path + ": " + errorMessage(code));
        return nullptr;
    }
    return model;
}

// Every .surf of the scene, named relative to the scene's folder as the
// viewer opens them, joined into one model with material numbers kept.
std::unique_ptr<ModelClass> loadScene(const QString &path)
{
    QStringList names;
    if (const qint32 code = readHxList(path, names)) {
        printError(path + ": " + errorMessage(code));
        return nullptr;
    }
    const QString folder = QFileInfo(path).absolutePath();
    std::vector<std::unique_ptr<ModelClass>> parts;
    QList<const ModelClass *> models;
    for (const QString &name : std::as_const(names)) {
        parts.push_back(loadSurface(folder + "/" + name));
        if (!parts.back())
            return nullptr;
        models << parts.back().get();
    }
    if (models.isEmpty()) {
        printError(path + ": the scene names no surface");
        return nullptr;
    }
    std::unique_ptr<ModelClass> joined(joinModels(models, JoinOneZone, 0));
    if (!joined)
        printError(path + ": " + errorMessage(errNoMemory));
    return joined;
}

} // namespace

const char *convertUsage()
{
    return "usage: tessaron-cli convert INPUT OUTPUT [--binary]\n"
           "  INPUT   a .surf surface, or an .hx scene whose surfaces are joined into one model\n"
           "  OUTPUT  its ending chooses the format: .mesh .off .vtk .obj .ply .dat .vrt .stl\n"
           "  --binary  binary STL instead of text STL\n";
}

int runConvert(const QStringList &args)
{
    QStringList paths;
    bool binary = false;
    for (const QString &arg : args) {
        if (arg == "--binary")
            binary = true;
        else if (arg.startsWith("--") || paths.size() == 2)
            return std::fputs(convertUsage(), stderr), kUsageError;
        else
            paths << arg;
    }
    if (paths.size() != 2)
        return std::fputs(convertUsage(), stderr), kUsageError;
    const QString &input = paths[0], &output = paths[1];
    const QString format = formatOf(output);
    if (format.isEmpty()) {
        printError(output + ": unknown output format");
        return std::fputs(convertUsage(), stderr), kUsageError;
    }
    std::unique_ptr<ModelClass> model;
    if (input.endsWith(".hx", Qt::CaseInsensitive))
        model = loadScene(input);
    else
        model = loadSurface(input);
    if (!model)
        return 1;
    const qint32 code = saveModelFile(model.get(), format, output, binary, WriterOptions {});
    if (code == errUnknown) {
        printError(output + ": the model has cells that name vertices it does not have");
        return 2;
    }
    if (code != 0) {
        const QString reason = lastOutputError();
        printError(reason.isEmpty() ? output + ": cannot be written" : reason);
        return 2;
    }
    return 0;
}
