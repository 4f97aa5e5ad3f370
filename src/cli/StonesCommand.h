#pragma once

#include <QStringList>

// tessaron-cli stones IMAGE [--inside INPUT] [--box X0:X1,Y0:Y1,Z0:Z1]
// [--level HU] [--json] [--save OUTPUT]: the stones of a CT, measured.
int runStones(const QStringList &args);
extern const char *const kStonesCommand; // the command's name
const char *stonesUsage();
