// tessaron-cli: batch work on the same libraries as the viewer.

#include "CliInput.h"
#include "ConvertCommand.h"
#include "MeasureCommands.h"
#ifdef TESSARON_CLI_RENDER
#include "RenderCommand.h"
#include "SheetCommand.h"
#endif

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

void usage(FILE *to)
{
    std::fputs("usage: tessaron-cli COMMAND ARGS...\n\ncommands:\n", to);
    std::fputs(convertUsage(), to);
    std::fputs(infoUsage(), to);
    std::fputs(measureUsage(), to);
#ifdef TESSARON_CLI_RENDER
    std::fputs(renderUsage(), to);
    std::fputs(sheetUsage(), to);
#endif
    std::fputs("every command: --verbose describes the models read on standard error\n", to);
}

// --verbose applies to every command and may stand anywhere after it.
int takeVerbose(int argc, char *argv[])
{
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (i >= 2 && !std::strcmp(argv[i], "--verbose"))
            setCliVerbose(true);
        else
            argv[kept++] = argv[i];
    }
    argv[kept] = nullptr;
    return kept;
}

} // namespace

int main(int argc, char *argv[])
{
    argc = takeVerbose(argc, argv);
    if (argc < 2) {
        usage(stderr);
        return 64;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        usage(stdout);
        return 0;
    }
#ifdef TESSARON_CLI_RENDER
    // render and sheet make their own GUI application, so they are dispatched
    // before one exists.
    if (!std::strcmp(argv[1], "render")) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return runRender(args);
    }
    if (!std::strcmp(argv[1], "sheet")) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return runSheet(args);
    }
#endif
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(2);
    if (args.contains("--help")) {
        usage(stdout);
        return 0;
    }
    if (!std::strcmp(argv[1], "convert"))
        return runConvert(args);
    if (!std::strcmp(argv[1], "info"))
        return runInfo(args);
    if (!std::strcmp(argv[1], "measure"))
        return runMeasure(args);
    std::fprintf(stderr, "tessaron-cli: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 64;
}
