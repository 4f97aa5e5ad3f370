#pragma once

class QTranslator;

// The interface language of the settings file ("Config/language", default 1).
int readLanguage();
// For language 1 (Russian) loads and installs the toolkit's own catalogue and
// the program's; any other value installs nothing.
void installTranslators(int language, QTranslator &toolkit, QTranslator &program);
