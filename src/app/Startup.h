#pragma once

#include "view/ViewConfig.h"

class QTranslator;

// For Russian loads and installs the toolkit's own catalogue and the
// program's; English installs nothing.
void installTranslators(Language language, QTranslator &toolkit, QTranslator &program);
