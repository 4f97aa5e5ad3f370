#pragma once

#include "Status.h"

#include <QElapsedTimer>

// Times the steps of a long operation for the developer trace: each mark
// writes "<operation>: <step> <seconds since the previous mark> s" to
// tessaron.trace. Costs one clock read per mark when the trace is off.
class PhaseTrace
{
public:
    explicit PhaseTrace(const char *operation)
        : name(operation)
    {
        clock.start();
    }
    void mark(const char *step)
    {
        const qint64 ns = clock.nsecsElapsed();
        qCDebug(lcTrace, "%s: %s %.3f s", name, step, double(ns - last) * 1e-9);
        last = ns;
    }

private:
    const char *name;
    QElapsedTimer clock;
    qint64 last = 0;
};
