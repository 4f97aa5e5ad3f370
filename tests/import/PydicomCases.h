#pragma once

// Test inputs written by a pydicom script of the tests: the script (named by
// an environment variable the build sets) writes its files into a folder and
// prints one JSON object per case, keyed by its "case".

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QString>

struct PydicomRun
{
    bool skipped = false; // the system Python has no pydicom or numpy
    QString failure;      // why the script failed, empty when it ran
};

inline PydicomRun writePydicomCases(const char *scriptVariable, const QString &folder,
                                    QMap<QString, QJsonObject> &cases)
{
    const QString python = qEnvironmentVariable("TESSARON_PYTHON");
    if (python.isEmpty() || QProcess::execute(python, {"-c", "import pydicom, numpy"}) != 0)
        return {true, {}};
    QProcess writer;
    writer.start(python, {qEnvironmentVariable(scriptVariable), folder});
    if (!writer.waitForFinished(120'000))
        return {false, QStringLiteral("the writer did not finish")};
    if (writer.exitCode() != 0)
        return {false, QString::fromLocal8Bit(writer.readAllStandardError())};
    for (const QByteArray &line : writer.readAllStandardOutput().split('\n'))
        if (!line.isEmpty()) {
            const QJsonObject record = QJsonDocument::fromJson(line).object();
            cases.insert(record["case"].toString(), record);
        }
    return {};
}
