#pragma once

#include <QStringList>

// `tessaron-cli sheet INPUT OUTPUT.pdf [--title TEXT] [--language en|ru]`:
// the case sheet of a .surf or .hx scene as a PDF file. Returns the process
// exit status: 0, 1 when nothing can be shown, 2 when the file cannot be
// written, 64 for bad arguments, 69 without a display.
int runSheet(const QStringList &args);
const char *sheetUsage();
