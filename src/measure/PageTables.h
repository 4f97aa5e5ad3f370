#pragma once

// The planning tables of a scene as the web page shows them.

#include "formats/WebPageWriter.h"

#include <QList>

namespace measure {

struct SceneMeasurement;

// Every table of the scene, all models included, in the panel's order.
QList<WebPageTable> pageTables(const SceneMeasurement &scene);

} // namespace measure
