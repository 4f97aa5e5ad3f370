#pragma once

#include <QStringList>

// tessaron-cli info INPUT [--json]: every model's measures, and for a scene
// the stone burden, the gaps the anatomy asks for and the nephrometry.
// tessaron-cli measure INPUT MODEL_A MODEL_B [--json]: the closest gap
// between two models named as the Objects tree names them.
// Exit status 0; 1 when the input cannot be loaded or measured; 2 for a
// model name the input does not have; 64 on a usage error.
int runInfo(const QStringList &args);
int runMeasure(const QStringList &args);
const char *infoUsage();
const char *measureUsage();
