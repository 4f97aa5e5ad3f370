#pragma once

// Benchmarks of whole processes: a program run as a child, its wall time and
// its peak resident memory, and the median of several runs.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

struct ChildRun
{
    double seconds = 0;
    double cpuSeconds = 0; // user and system time of the child
    double peakMegabytes = 0;
    bool ok = false;
};

// One run of `command` (looked up on PATH), its output thrown away.
inline ChildRun runChild(const QStringList &command)
{
    std::vector<QByteArray> words;
    for (const QString &w : command)
        words.push_back(w.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    std::fflush(stdout); // the child must not repeat what is buffered
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (FILE *quiet = std::freopen("/dev/null", "w", stdout))
            (void)quiet;
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + 1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// The median times and the largest peak of `runs` runs after one unmeasured
// (which fills the page cache); not ok when any run failed.
inline ChildRun measuredChild(const QStringList &command, int runs)
{
    if (!runChild(command).ok)
        return {};
    std::vector<double> times, cpuTimes;
    ChildRun result;
    result.ok = true;
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = runChild(command);
        result.ok = result.ok && run.ok;
        times.push_back(run.seconds);
        cpuTimes.push_back(run.cpuSeconds);
        result.peakMegabytes = std::max(result.peakMegabytes, run.peakMegabytes);
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    result.seconds = times[times.size() / 2];
    result.cpuSeconds = cpuTimes[cpuTimes.size() / 2];
    return result;
}
