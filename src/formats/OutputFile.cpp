#include "OutputFile.h"

QString outputFileName(const QString &chosen, QLatin1StringView extension)
{
    const qsizetype nameStart = chosen.lastIndexOf(u'/') + 1;
    const qsizetype dot = chosen.indexOf(u'.', nameStart);
    return (dot < 0 ? chosen : chosen.left(dot)) + extension;
}

OutputFile::OutputFile(const QString &fileName, bool text)
    : file(fileName)
    , buffer(file)
{
    file.open(text ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly);
}

bool OutputFile::finish()
{
    return buffer.flush() && file.flush() && file.error() == QFileDevice::NoError;
}

bool OutputFile::commit()
{
    return finish() && file.commit();
}
