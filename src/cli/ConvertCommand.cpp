#include "ConvertCommand.h"

#include "CliInput.h"
#include "formats/FileKinds.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "model/ModelClass.h"
#include "model/Topology.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

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
    if (parts.size() == 1 && !isSceneName(input))
        return std::move(parts.front());
    QList<const ModelClass *> models;
    for (const auto &part : parts)
        models << part.get();
    std::unique_ptr<ModelClass> joined(joinModels(models, JoinMode::OneZone, 0));
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
        + kInputHelp + "  OUTPUT  its ending chooses the format: " + writtenEndings().toLatin1()
        + "\n  --binary  binary STL instead of text STL\n";
    return text.constData();
}

int runConvert(const QStringList &args)
{
    static const CommandGrammar grammar {{"INPUT", "OUTPUT"}, {"--binary"}, {}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("convert", cause, convertUsage());
    const bool binary = line.has("--binary");
    const QString &input = line.positional[0], &output = line.positional[1];
    const FileKindRow *writer = writerForName(output);
    if (!writer)
        return usageError("convert",
                          QStringLiteral("%1: unknown output format; the endings written are %2")
                              .arg(output, writtenEndings()),
                          convertUsage());
    const std::unique_ptr<ModelClass> model = loadJoined(input);
    if (!model)
        return 1;
    const qint32 code = saveModelFile(model.get(), QString::fromLatin1(writer->saveFilter), output,
                                      binary, WriterOptions {});
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
