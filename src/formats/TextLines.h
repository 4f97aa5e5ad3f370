#pragma once

#include <QString>
#include <QTextStream>

// Line helpers of the text readers. Both trim every line they read and add
// one to `lineNumber` per line read, so a caller can name the line it rejects.

// Reads the next line that is not blank; at the end of the stream the line
// is the (empty) last one.
void readNonEmptyLine(QTextStream &in, QString &line, qint64 &lineNumber);

// Like readNonEmptyLine, and also skips the lines that start with "#".
void readDataLine(QTextStream &in, QString &line, qint64 &lineNumber);
