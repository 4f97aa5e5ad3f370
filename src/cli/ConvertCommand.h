#pragma once

#include <QStringList>

// tessaron-cli convert INPUT OUTPUT [--binary]: loads INPUT as the viewer does
// and writes it in the format of OUTPUT's ending. Exit status 0; 1 when the
// load fails; 2 when the write fails; 64 on a usage error.
int runConvert(const QStringList &args);
const char *convertUsage();
