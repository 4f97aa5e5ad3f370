#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// The bytes of an input file, mapped into memory where the system allows it
// (no copy: a large surface loads at the speed of reading it) and read into
// memory otherwise. Only regular files are opened: a folder, a device or a
// pipe gives errOpen (2) like a missing or unreadable file, so a reader never
// blocks on a pipe or reads an endless device.
class FileBytes
{
public:
    // 0, errOpen (2), or errNoMemory (4) when a read copy does not fit.
    qint32 open(const QString &fileName);
    QByteArrayView bytes() const { return view; }

private:
    QFile file;
    QByteArray copy;
    QByteArrayView view;
};
