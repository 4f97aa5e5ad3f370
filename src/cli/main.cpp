// tessaron-cli: batch work on the same libraries as the viewer.

#include "ConvertCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

void usage(FILE *to)
{
    std::fputs("usage: tessaron-cli COMMAND ARGS...\n\ncommands:\n", to);
    std::fputs(convertUsage(), to);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        usage(stderr);
        return 64;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        usage(stdout);
        return 0;
    }
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(2);
    if (args.contains("--help")) {
        usage(stdout);
        return 0;
    }
    if (!std::strcmp(argv[1], "convert"))
        return runConvert(args);
    std::fprintf(stderr, "tessaron-cli: unknown command '%s'\n", argv[1]);
    usage(stderr);
    return 64;
}
