#include "ConvertCommand.h"

#include "CliInput.h"
#include "WebPageCommand.h"
#include "formats/FileKinds.h"
#include "formats/GltfWriter.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "formats/SessionFile.h"
#include "model/ModelClass.h"
#include "model/Topology.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Every model of every input, in the order given; false when one cannot be read.
// A session given alone is handed back in `session`.
bool loadAll(const QStringList &inputs, std::vector<std::unique_ptr<ModelClass>> &parts,
             std::shared_ptr<const Session> *session = nullptr)
{
    if (inputs.size() == 1)
        return loadInputModels(inputs.front(), parts, session);
    return std::all_of(inputs.begin(), inputs.end(),
                       [&](const QString &input) { return loadInputModels(input, parts); });
}

// The inputs as one model: a scene's surfaces (even a single one) and the
// models of several inputs are joined with their material numbers kept.
std::unique_ptr<ModelClass> loadJoined(const QStringList &inputs)
{
    std::vector<std::unique_ptr<ModelClass>> parts;
    if (!loadAll(inputs, parts))
        return nullptr;
    if (parts.size() == 1 && inputs.size() == 1 && !isSceneName(inputs.front()))
        return std::move(parts.front());
    QList<const ModelClass *> models;
    for (const auto &part : parts)
        models << part.get();
    std::unique_ptr<ModelClass> joined(joinModels(models, JoinMode::OneZone, 0));
    if (!joined)
        printInputError(inputs.front(), errorMessage(errNoMemory));
    return joined;
}

// A glTF scene keeps every model of the inputs as a node of its own, seen by
// the camera of a session's view, else by a camera that frames them all from
// the front.
qint32 writeScene(const std::vector<std::unique_ptr<ModelClass>> &parts, const Session *session,
                  const QString &output)
{
    QList<const ModelClass *> models;
    for (const auto &part : parts)
        models << part.get();
    const GltfCamera camera = session && session->camera ? viewingCamera(models, *session->camera)
                                                         : framingCamera(models);
    return writeGltfScene(models, &camera, output);
}

bool writesScene(const FileKindRow &writer)
{
    return writer.kind == FileKind::Glb || writer.kind == FileKind::Gltf;
}

} // namespace

const char *convertUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli convert INPUT... OUTPUT [--binary]\n"
                   "  writes INPUT in the format of OUTPUT's ending; a scene, a file of several\n"
                   "  meshes or labels, a folder of masks, or several INPUTs are joined into one\n"
                   "  model, except in glTF (.glb, .gltf), which keeps every model a node of its\n"
                   "  own, in metres, the head up (+Y) and the face to +Z, with a camera that\n"
                   "  frames them all from the front (along a session's view when INPUT is one\n"
                   "  session); a web page (.html) holds the models with that camera, their\n"
                   "  list and the planning tables in the viewer's language, and opens offline in\n"
                   "  any current browser\n")
        + kInputHelp + "  OUTPUT  its ending chooses the format: " + writtenEndings().toLatin1()
        + " .html" + "\n  --binary  binary STL instead of text STL\n";
    return text.constData();
}

int runConvert(const QStringList &args)
{
    CommandGrammar grammar {{"INPUT", "OUTPUT"}, {"--binary"}, {}};
    // Several inputs may come before OUTPUT.
    const auto given = std::count_if(args.begin(), args.end(), [](const QString &arg) {
        return !arg.startsWith(QLatin1String("--"));
    });
    while (grammar.positional.size() < given)
        grammar.positional.prepend(QStringLiteral("INPUT"));
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("convert", cause, convertUsage());
    const bool binary = line.has("--binary");
    const QString output = line.positional.takeLast();
    const QStringList &inputs = line.positional;
    if (isWebPageName(output))
        return writeWebPageCommand(inputs, output);
    const FileKindRow *writer = writerForName(output);
    if (!writer)
        return usageError("convert",
                          QStringLiteral("%1: unknown output format; the endings written are %2")
                              .arg(output, writtenEndings() + QLatin1String(" .html")),
                          convertUsage());
    qint32 code = 0;
    if (writesScene(*writer)) {
        std::vector<std::unique_ptr<ModelClass>> parts;
        std::shared_ptr<const Session> session;
        if (!loadAll(inputs, parts, &session))
            return 1;
        code = writeScene(parts, session.get(), output);
    } else {
        const std::unique_ptr<ModelClass> model = loadJoined(inputs);
        if (!model)
            return 1;
        code = saveModelFile(model.get(), QString::fromLatin1(writer->saveFilter), output, binary,
                             WriterOptions {});
    }
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
