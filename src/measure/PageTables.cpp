#include "PageTables.h"

#include "MeasureReport.h"

namespace measure {

QList<WebPageTable> pageTables(const SceneMeasurement &scene)
{
    QList<WebPageTable> out;
    for (const Table &table : sceneTables(scene, false))
        out << WebPageTable {table.title, table.header, table.rows, table.note};
    return out;
}

} // namespace measure
