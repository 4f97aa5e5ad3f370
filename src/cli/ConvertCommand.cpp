#include "ConvertCommand.h"

#include "CliInput.h"
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

// The input as one model: a scene's surfaces (even a single one) are joined
// with their material numbers kept.
std::unique_ptr<ModelClass> loadJoined(const QString &input)
{
    std::vector<std::unique_ptr<ModelClass>> parts;
    if (!loadInputModels(input, parts))
        return nullptr;
    if (parts.size() == 1 && !input.endsWith(".hx", Qt::CaseInsensitive))
        return std::move(parts.front());
    QList<const ModelClass *> models;
    for (const auto &part : parts)
        models << part.get();
    std::unique_ptr<ModelClass> joined(joinModels(models, JoinOneZone, 0));
    if (!joined)
        printInputError(input, errorMessage(errNoMemory));
    return joined;
}

} // namespace

const char *convertUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli convert INPUT OUTPUT [--binary]\n"
                   "  writes INPUT in the format of OUTPUT's ending; a scene, a file of several\n"
                   "  meshes or labels, or a folder of masks is joined into one model\n")
        + kInputHelp
        + "  OUTPUT  its ending chooses the format: .mesh .off .vtk .obj .ply .dat .vrt .stl\n"
          "  --binary  binary STL instead of text STL\n";
    return text.constData();
}

int runConvert(const QStringList &args)
{
    QStringList paths;
    bool binary = false;
    for (const QString &arg : args) {
        if (arg == "--binary")
            binary = true;
        else if (arg.startsWith("--"))
            return usageError("convert", QStringLiteral("unknown option %1").arg(arg),
                              convertUsage());
        else if (paths.size() == 2)
            return usageError("convert", QStringLiteral("one argument too many: %1").arg(arg),
                              convertUsage());
        else
            paths << arg;
    }
    if (paths.size() != 2)
        return usageError("convert",
                          paths.isEmpty() ? QStringLiteral("INPUT and OUTPUT are missing")
                                          : QStringLiteral("OUTPUT is missing"),
                          convertUsage());
    const QString &input = paths[0], &output = paths[1];
    const QString format = formatOf(output);
    if (format.isEmpty())
        return usageError("convert",
                          QStringLiteral("%1: unknown output format; the endings written are "
                                         ".mesh .off .vtk .obj .ply .dat .vrt .stl")
                              .arg(output),
                          convertUsage());
    const std::unique_ptr<ModelClass> model = loadJoined(input);
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
