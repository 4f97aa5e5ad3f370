#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole input file into memory. Only regular files are read: a folder,
// a device or a pipe gives errOpen (2) like a missing or unreadable file, so a
// reader never blocks on a pipe or reads an endless device. Running out of
// memory gives errNoMemory (4).
qint32 readFileBytes(const QString &fileName, QByteArray &bytes);
