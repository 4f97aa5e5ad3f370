#pragma once

// What the command-line tests share: running tessaron-cli (or another
// program) as a separate process, whole files written and read, and small
// .surf scenes.

#include "WholeFiles.h"
#include "app/SurfFiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <utility>

struct Run
{
    int status = -1; // the exit code; -1 after a crash, -2 when it did not end
    QString out, err;
};

// `inChild` runs in the child before the program starts (limits, another user).
inline Run runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                      const std::function<void()> &inChild = {})
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, args);
    if (!process.waitForFinished(120'000))
        return {-2, QString(), process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline Run cli(const QStringList &args,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
               const std::function<void()> &inChild = {})
{
    return runProgram(QStringLiteral(TESSARON_CLI), args, env, inChild);
}

// The JSON object a run printed; empty when it printed none.
inline const QJsonObject jsonOf(const Run &run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

// The environment of a session without any display.
inline QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    return env;
}

// A closed octahedron of radius r around (x, y, 0), appended to a surface.
inline void addOctahedron(std::vector<float> &xyz, std::vector<qint32> &triangles, float x, float y,
                          float r)
{
    const auto base = qint32(xyz.size() / 3);
    xyz.insert(xyz.end(), {x + r, y, 0, x - r, y, 0, x, y + r, 0, x, y - r, 0, x, y, r, x, y, -r});
    for (qint32 i : {1, 3, 5, 3, 2, 5, 2, 4, 5, 4, 1, 5, 3, 1, 6, 2, 3, 6, 4, 2, 6, 1, 4, 6})
        triangles.push_back(base + i);
}

inline QByteArray octahedron(float x = 0, float y = 0, float r = 1)
{
    std::vector<float> xyz;
    std::vector<qint32> triangles;
    addOctahedron(xyz, triangles, x, y, r);
    return surfBytes(xyz, triangles);
}

// A box between world bounds ([lo, hi] per axis), outward triangles; the
// first `faces` of its 12 triangles.
inline QByteArray boxSurf(const QJsonArray &bounds, int faces = 12)
{
    std::vector<float> xyz;
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a)
            xyz.push_back(float(bounds[a].toArray()[(i >> a) & 1].toDouble()));
    const qint32 quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    std::vector<qint32> triangles;
    for (const auto &q : quads)
        for (qint32 v : {q[0], q[1], q[2], q[0], q[2], q[3]})
            triangles.push_back(v + 1);
    triangles.resize(size_t(3 * faces));
    return surfBytes(xyz, triangles);
}

// The .surf files written into `folder` and an .hx scene there that lists
// them; the scene's path, or nothing when a file could not be written.
inline QString writeScene(const QString &folder, const QString &name,
                          const QList<std::pair<QString, QByteArray>> &surfs)
{
    QByteArray hx = "# test scene\n";
    for (const auto &[file, bytes] : surfs) {
        if (!bytes.isEmpty() && !writeBytes(folder + "/" + file, bytes))
            return QString();
        hx += "[ load ${SCRIPTDIR}/" + file.toUtf8() + " ] setLabel {" + file.toUtf8() + "}\n";
    }
    const QString path = folder + "/" + name;
    return writeBytes(path, hx) ? path : QString();
}
