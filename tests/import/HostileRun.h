#pragma once

// Runs an import in a child process under a time limit and, outside the
// sanitizer build, an address-space limit, and reports how it ended: the
// import's result, or the signal that ended the child (an abort, a stack
// overflow, a hang) and the child's peak memory.

#include "import/Importer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define HOSTILE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOSTILE_SANITIZED 1
#endif
#endif

struct HostileOutcome
{
    int signal = 0;     // what ended the child, 0 when it exited
    qint64 peakKib = 0; // its peak resident memory
    bool ok = false;
    QString message;
    QStringList warnings;
};

inline QByteArray encodeResult(const ImportResult &result)
{
    QStringList fields {result.ok ? "ok" : "failed", result.message};
    fields << result.warnings;
    return fields.join(QChar(0x1f)).toUtf8();
}

// What the door made of a file: refused when a problem is not a warning;
// each warning as "FILE: TEXT".
inline ImportResult openedResult(const OpenedFile &opened)
{
    ImportResult result;
    result.ok = true;
    for (const FileProblem &p : opened.problems) {
        if (!p.warning && result.ok) {
            result.ok = false;
            result.message = p.text;
        }
        if (p.warning)
            result.warnings << p.path + ": " + p.text;
    }
    return result;
}

inline void runHostileChild(const QString &path, int fd, int seconds, bool door = false)
{
    alarm(unsigned(seconds));
#ifndef HOSTILE_SANITIZED
    const rlimit memory {rlim_t(3) << 30, rlim_t(3) << 30}; // 3 GiB of address space
    setrlimit(RLIMIT_AS, &memory);
#endif
    std::vector<std::unique_ptr<ModelClass>> models;
    const QByteArray out =
        encodeResult(door ? openedResult(openPath(path, {})) : importModels(path, models));
    for (qsizetype written = 0; written < out.size();) {
        const ssize_t n = ::write(fd, out.constData() + written, size_t(out.size() - written));
        if (n <= 0)
            break;
        written += n;
    }
    _exit(0);
}

// `door`: the file opened through the door (openPath), as a session is.
inline HostileOutcome importInChild(const QString &path, int seconds = 60, bool door = false)
{
    HostileOutcome outcome;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return outcome;
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        runHostileChild(path, pipeEnds[1], seconds, door);
    }
    ::close(pipeEnds[1]);
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    outcome.peakKib = usage.ru_maxrss;
    if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
        return outcome;
    }
    const QStringList fields = QString::fromUtf8(bytes).split(QChar(0x1f));
    outcome.ok = fields.value(0) == "ok";
    outcome.message = fields.value(1);
    outcome.warnings = fields.mid(2);
    return outcome;
}
