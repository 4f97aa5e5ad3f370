#include "TextLines.h"

namespace {

void readTrimmedLine(QTextStream &in, QString &line, qint64 &lineNumber)
{
    if (!in.readLineInto(&line))
        line.clear(); // past the end: an empty line, so no caller loops on an old one
    line = line.trimmed();
    ++lineNumber;
}

} // namespace

void readNonEmptyLine(QTextStream &in, QString &line, qint64 &lineNumber)
{
    readTrimmedLine(in, line, lineNumber);
    while (line.isEmpty() && !in.atEnd())
        readTrimmedLine(in, line, lineNumber);
}

void readDataLine(QTextStream &in, QString &line, qint64 &lineNumber)
{
    readNonEmptyLine(in, line, lineNumber);
    while (line.startsWith(QLatin1Char('#')))
        readNonEmptyLine(in, line, lineNumber);
}
