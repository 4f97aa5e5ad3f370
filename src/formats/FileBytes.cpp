#include "FileBytes.h"

#include "ReaderGuard.h"

#include <QFileInfo>

qint32 FileBytes::open(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return errOpen;
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return errOpen;
    if (const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        view = QByteArrayView(mapped, file.size());
        return errNone;
    }
    return runReader([&] {
        copy = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw errOpen;
        view = copy;
    });
}
