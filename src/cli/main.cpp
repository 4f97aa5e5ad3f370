// tessaron-cli: command-line tools of the viewer, one command per word.

#include "RenderCommand.h"

#include <cstdio>

namespace {

constexpr int kUsageError = 64;

void printUsage()
{
    std::fprintf(stderr, "usage: tessaron-cli COMMAND [ARGUMENTS]\n\ncommands:\n%s\n",
                 qPrintable(renderUsage()));
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty()) {
        printUsage();
        return kUsageError;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("render"))
        return runRender(args);
    std::fprintf(stderr, "tessaron-cli: unknown command '%s'\n", qPrintable(command));
    printUsage();
    return kUsageError;
}
