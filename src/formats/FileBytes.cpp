#include "FileBytes.h"

#include "ReaderGuard.h"

#include <QFile>
#include <QFileInfo>

qint32 readFileBytes(const QString &fileName, QByteArray &bytes)
{
    if (!QFileInfo(fileName).isFile())
        return errOpen;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return errOpen;
    return runReader([&] {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw errOpen;
    });
}
