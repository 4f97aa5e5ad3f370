#include "LoadProblem.h"

#include "../geometry/BasicClass.h"
#include "../geometry/Status.h"
#include "FileBytes.h"

#include <QCoreApplication>

namespace {
thread_local QString problem;
}

void clearLoadProblem()
{
    problem.clear();
}

void setLoadProblem(const QString &text)
{
    problem = text;
}

QString loadProblem()
{
    return problem;
}

void requireFiniteVertices(const BasicClass &block)
{
    const qint32 bad = block.firstNonFiniteVertex();
    if (bad < 0)
        return;
    const _DREAL *p = block.Vertices + 3 * qint64(bad);
    setLoadProblem(
        QCoreApplication::translate("ModelClass", "Vertex %1 is not a finite point (%2; %3; %4).")
            .arg(qint64(bad) + 1)
            .arg(p[0])
            .arg(p[1])
            .arg(p[2]));
    throw errUnknown;
}

void requireIntact(const FileBytes &file)
{
    if (file.intact())
        return;
    setLoadProblem(
        QCoreApplication::translate("ModelClass", "The file was shortened while it was read."));
    throw errUnknown;
}
