#pragma once

#include <QByteArrayView>
#include <QString>

#include <charconv>
#include <vector>

// The vertices and polygons of a mesh file as our own readers give them:
// positions x, y, z each, and every face as a run of vertex numbers. The
// importer turns it into a block, joining vertices at the same position.
struct PolygonSoup
{
    QString name;
    std::vector<float> xyz;
    std::vector<qint64> faceStarts {0}; // where each face starts in `indices`; one past the last
    std::vector<qint32> indices;

    qint64 vertexCount() const { return qint64(xyz.size() / 3); }
    qint64 faceCount() const { return qint64(faceStarts.size()) - 1; }
    void endFace() { faceStarts.push_back(qint64(indices.size())); }
};

// The lines of a text mesh file and the words of a line. Blank lines and
// comments (from `comment` to the end of the line) are stepped over.
class TextLines
{
public:
    TextLines(QByteArrayView bytes, char comment)
        : bytes(bytes)
        , comment(comment)
    { }

    // The next line holding a word, without its comment; false at the end.
    bool next(QByteArrayView &line)
    {
        while (pos < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', pos);
            if (end < 0)
                end = bytes.size();
            line = bytes.sliced(pos, end - pos);
            pos = end + 1;
            ++number;
            if (comment) {
                const qsizetype at = line.indexOf(comment);
                if (at >= 0)
                    line = line.first(at);
            }
            line = line.trimmed();
            if (!line.isEmpty())
                return true;
        }
        return false;
    }
    qint64 lineNumber() const { return number; }
    qint64 bytesLeft() const { return bytes.size() - std::min(pos, bytes.size()); }
    qsizetype position() const { return pos; }

private:
    QByteArrayView bytes;
    char comment;
    qsizetype pos = 0;
    qint64 number = 0;
};

// The words of a line, separated by spaces, tabs or carriage returns; with
// `acrossLines`, the words of a whole text, newlines separating them too.
class Words
{
public:
    explicit Words(QByteArrayView line, bool acrossLines = false)
        : line(line)
        , acrossLines(acrossLines)
    { }

    // The next word; empty at the end.
    QByteArrayView next()
    {
        while (pos < line.size() && separates(line[pos]))
            ++pos;
        const qsizetype start = pos;
        while (pos < line.size() && !separates(line[pos]))
            ++pos;
        return line.sliced(start, pos - start);
    }
    // The rest of the line after the words read so far.
    QByteArrayView rest() const { return line.sliced(pos).trimmed(); }
    // The rest of the current line; reading goes on after it.
    QByteArrayView restOfLine()
    {
        qsizetype end = line.indexOf('\n', pos);
        if (end < 0)
            end = line.size();
        const QByteArrayView text = line.sliced(pos, end - pos).trimmed();
        pos = end;
        return text;
    }

    static bool isSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
    }

private:
    bool separates(char c) const { return isSpace(c) || (acrossLines && c == '\n'); }

    QByteArrayView line;
    bool acrossLines;
    qsizetype pos = 0;
};

// A whole word as a number of type T; false when it is not one.
template<class T> bool parseNumber(QByteArrayView word, T &value)
{
    const char *begin = word.data(), *end = word.data() + word.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin != end;
}
