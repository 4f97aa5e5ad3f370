#pragma once

// The test images written by the system Python (numpy and nibabel) into a
// folder, with what their writer expects of them; empty when it cannot run.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

inline QJsonObject writeImageInputs(const QString &folder)
{
    const QString python = qEnvironmentVariable("TESSARON_PYTHON");
    if (python.isEmpty())
        return {};
    QProcess writer;
    writer.start(python, {qEnvironmentVariable("TESSARON_IMAGE_INPUTS"), folder});
    if (!writer.waitForFinished(120'000) || writer.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(writer.readAllStandardOutput()).object();
}
