#pragma once

// What every benchmark program shares: timing a piece of work and printing a
// figure as one line "BENCH <case> <value> <unit>".

#include <QString>

#include <chrono>
#include <cstdio>
#include <functional>

inline double seconds(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline void report(const QString &name, double value, const char *unit)
{
    std::printf("BENCH %s %.4g %s\n", qPrintable(name), value, unit);
    std::fflush(stdout);
}
