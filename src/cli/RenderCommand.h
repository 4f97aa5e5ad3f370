#pragma once

#include <QStringList>

// `tessaron-cli render INPUT OUTPUT [options]`: one frame of a .surf or .hx
// scene, drawn by the view, written as a raster or vector image. Returns the
// process exit status (64 for bad arguments).
int runRender(const QStringList &args);
// The usage text of the command.
const char *renderUsage();
