#pragma once

// The Khronos glTF validator (node, installed by scripts/install-deps.sh) on a
// file a test wrote. TESSARON_GLTF_VALIDATOR names its script.

#include "cli/CliRun.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtTest>

// The validator's verdict on a file: empty when it reports no error, else
// its report; QSKIP when node or the validator is not installed.
#define VALIDATE(path)                                                                             \
    do {                                                                                           \
        const QString node = QStandardPaths::findExecutable("node");                               \
        const QString script = QStringLiteral(TESSARON_GLTF_VALIDATOR);                            \
        if (node.isEmpty()                                                                         \
            || !QFile::exists(                                                                     \
                QFileInfo(script).dir().filePath("node_modules/gltf-validator/package.json")))     \
            QSKIP("the glTF validator is not installed (node and scripts/install-deps.sh)");       \
        const Run run = runProgram(node, {script, path});                                          \
        QVERIFY2(run.status == 0, qPrintable(path + ": " + run.out + run.err));                    \
    } while (false)
