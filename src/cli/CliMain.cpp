// tessaron-cli: batch work on the same libraries as the viewer.

#include "CliInput.h"
#include "ConvertCommand.h"
#include "PlanningCommands.h"
#include "StonesCommand.h"
#ifdef TESSARON_CLI_RENDER
#include "RenderCommand.h"
#include "SheetCommand.h"
#endif

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

struct Command
{
    const char *name;
    const char *summary;
    const char *(*usage)();
    int (*run)(const QStringList &);
    bool drawing; // makes its own GUI application
};

const Command kCommands[] = {
    {"convert", "writes a model, or a scene joined into one, in another mesh format", convertUsage,
     runConvert, false},
    {"info", "prints every model's measures, the stones, the gaps and R.E.N.A.L.", infoUsage,
     runInfo, false},
    {"measure", "prints the closest gap between two models and its two points", measureUsage,
     runMeasure, false},
    {kStonesCommand, "finds the stones of a CT and measures their volume, size, density and depth",
     stonesUsage, runStones, false},
#ifdef TESSARON_CLI_RENDER
    {"render", "draws a scene to a PNG, JPEG, BMP, SVG, PDF or EPS image", renderUsage, runRender,
     true},
    {"sheet", "writes the case sheet of a scene as an A4 PDF page", sheetUsage, runSheet, true},
#endif
};

void usage(FILE *to)
{
    std::fputs("usage: tessaron-cli COMMAND ARGS...\n"
               "       tessaron-cli COMMAND --help   (that command's usage)\n"
               "       tessaron-cli --version\n\ncommands:\n",
               to);
    for (const Command &command : kCommands)
        std::fprintf(to, "  %-8s %s\n", command.name, command.summary);
    std::fputs("\nINPUT of every command: a .surf surface, an .hx scene, a .tsn planning\n"
               "session (its models, its CT and its scores), a mesh file, a legacy VTK file,\n"
               "a label map, a folder of masks, a DICOM file or folder (a CT series, a\n"
               "structure set, a segmentation); --verbose describes the models read on\n"
               "standard error. A NIfTI or NRRD file whose values are not labels is\n"
               "an image (info describes it); --as image|labels overrides that guess, and\n"
               "--series N|UID chooses one series of a folder of several.\n",
               to);
}

bool isHelp(const char *arg)
{
    return !std::strcmp(arg, "--help") || !std::strcmp(arg, "-h");
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

// --as and --series apply to every command's INPUT and may stand anywhere
// after it; false (after the message) for a value --as does not take.
bool takeReadOptions(int &argc, char *argv[])
{
    ReadAs as = ReadAs::Guess;
    QString series;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        const bool asOption = !std::strcmp(argv[i], "--as");
        if (i < 2 || (!asOption && std::strcmp(argv[i], "--series"))) {
            argv[kept++] = argv[i];
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "tessaron-cli: %s needs a value\n", argv[i]);
            return false;
        }
        const char *value = argv[++i];
        if (!asOption) {
            series = QString::fromLocal8Bit(value);
        } else if (!std::strcmp(value, "image") || !std::strcmp(value, "labels")) {
            as = !std::strcmp(value, "image") ? ReadAs::Image : ReadAs::Labels;
        } else {
            std::fprintf(stderr, "tessaron-cli: --as takes image|labels, not '%s'\n", value);
            return false;
        }
    }
    argv[kept] = nullptr;
    argc = kept;
    setCliReadOptions(as, series);
    return true;
}

int runCommand(const Command &command, int argc, char *argv[])
{
    for (int i = 2; i < argc; ++i)
        if (isHelp(argv[i])) {
            std::fputs(command.usage(), stdout);
            return 0;
        }
    if (command.drawing) { // render and sheet make their own GUI application
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return command.run(args);
    }
    QCoreApplication app(argc, argv);
    return command.run(QCoreApplication::arguments().mid(2));
}

} // namespace

int main(int argc, char *argv[])
{
    argc = takeVerbose(argc, argv);
    if (!takeReadOptions(argc, argv))
        return kUsageError;
    if (argc < 2) {
        std::fputs("tessaron-cli: a command is needed\n", stderr);
        usage(stderr);
        return kUsageError;
    }
    if (isHelp(argv[1])) {
        usage(stdout);
        return 0;
    }
    if (!std::strcmp(argv[1], "--version")) {
        std::fputs("tessaron-cli " TESSARON_VERSION "\n", stdout);
        return 0;
    }
    for (const Command &command : kCommands)
        if (!std::strcmp(argv[1], command.name))
            return runCommand(command, argc, argv);
    std::fprintf(stderr, "tessaron-cli: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return kUsageError;
}
