#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The bytes of a legacy VTK file as the reader walks them: keywords and
// their arguments as words, and blocks of numbers, written as text or, in a
// BINARY file, as big-endian values that start on the line after their
// keyword. Every count is checked against the bytes left before anything is
// allocated for it; a shortfall fails (ImportFailure).
class VtkStream
{
public:
    explicit VtkStream(QByteArrayView bytes)
        : bytes(bytes)
    { }

    // The next line, without its line end.
    QByteArray line();
    // The next word; empty at the end of the file.
    QByteArray word();
    // The next word, which must be there.
    QByteArray requiredWord(const char *what);
    // The next word as a count (0 or more).
    qint64 count(const char *what);
    // True when the next line starts with `keyword` (nothing is consumed).
    bool nextLineStartsWith(QByteArrayView keyword) const;
    // True when the next word starts with `keyword` (nothing is consumed).
    bool nextWordIs(QByteArrayView keyword) const;
    bool atEnd();
    void setBinary(bool on) { binary = on; }

    // Reads `count` numbers of the file's data type `type` ("float",
    // "vtktypeint64", ...) into `out` (appended).
    void numbers(qint64 count, const QByteArray &type, std::vector<double> &out);
    void integers(qint64 count, const QByteArray &type, std::vector<qint64> &out);
    // Steps over `count` values of `type` (binary) or words (text).
    void skip(qint64 count, const QByteArray &type);
    // Steps over what follows a keyword line up to the next blank line.
    void skipToBlankLine();

private:
    template<class Reserve, class Out>
    void read(qint64 count, const QByteArray &type, Reserve &&reserve, Out &&store);
    void startBinaryBlock();
    void skipSpace();

    QByteArrayView bytes;
    qsizetype pos = 0;
    bool binary = false;
    bool lineStart = true; // at the start of a line: binary values start here
};
