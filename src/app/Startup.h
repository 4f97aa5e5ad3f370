#pragma once

#include "view/ViewConfig.h"

class QString;
class QTranslator;

// For Russian loads and installs the toolkit's own catalogue and the
// program's; English installs nothing.
void installTranslators(Language language, QTranslator &toolkit, QTranslator &program);

// Whether the command line asks for the usage (--help or -h after the
// program's name).
bool wantsHelp(int argc, char *argv[]);
// Whether the command line asks for the version (--version).
bool wantsVersion(int argc, char *argv[]);

// The viewer's usage in the installed language, as --help prints it.
QString commandLineHelp();
