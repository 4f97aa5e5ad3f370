#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Appends the file name of every load line of an .hx scene to `names`, in
// file order. A load line holds "[ load $" and ".surf" (ignoring case); its
// name starts after a fixed 20-character prefix ("[ load ${SCRIPTDIR}/") and
// ends before " ] ". Lines starting with "#" and blank lines are skipped.
// Names are taken as written: relative ones are the caller's to resolve, and
// one that names no file fails when it is loaded. Returns 0, or 4 when memory
// runs out.
qint32 parseHxList(const QByteArray &bytes, QStringList &names);

// Reads an .hx file; 2 when it cannot be opened, 1 when it was shortened
// while it was read, else as parseHxList.
qint32 readHxList(const QString &fileName, QStringList &names);
