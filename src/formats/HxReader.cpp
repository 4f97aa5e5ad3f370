#include "HxReader.h"

#include "FileBytes.h"
#include "FileKinds.h"
#include "LoadProblem.h"
#include "ReaderGuard.h"
#include "TextLines.h"

#include <QTextStream>

namespace {

constexpr qsizetype kPrefixLength = 20; // "[ load ${SCRIPTDIR}/"
const QString kLoadWord = QStringLiteral("[ load $");
// A load line names a surface file: it holds that kind's ending.
const QString kSurfWord = kindEnding(FileKind::Surface);
const QString kSeparator = QStringLiteral(" ] ");

// One line seen through the cuts of the load loop: each name taken removes
// the first 20 characters of what is left, and what is left is taken again
// while it still holds both load words. Positions of the last load words and
// of the next separator are kept, so every step costs O(1) amortised even on
// a megabyte line that repeats "[ load $".
class LoadLine
{
public:
    explicit LoadLine(const QString &line)
        : text(line)
        , lastLoad(line.lastIndexOf(kLoadWord, -1, Qt::CaseInsensitive))
        , lastSurf(line.lastIndexOf(kSurfWord, -1, Qt::CaseInsensitive))
    { }

    bool isLoadLine() const { return lastLoad >= start && lastSurf >= start; }

    QString takeName()
    {
        start = qMin(start + kPrefixLength, text.size());
        if (separator >= 0 && separator < start)
            separator = text.indexOf(kSeparator, start);
        const qsizetype stop = separator < 0 ? text.size() : separator;
        return text.sliced(start, stop - start);
    }

private:
    const QString &text;
    qsizetype lastLoad;
    qsizetype lastSurf;
    qsizetype start = 0;
    qsizetype separator = 0; // next " ] " at or after start, -1 when none is left
};

// Takes the names of one line. After the first, a further name of the same
// line is taken only while lines remain, and only while the names of this
// line add up to no more than its length: a line of repeated load words
// without separators would otherwise give names of quadratic total size.
void takeNames(const QString &line, bool moreLines, qint64 lineNumber, QStringList &names)
{
    LoadLine load(line);
    qsizetype taken = 0;
    for (bool first = true; load.isLoadLine() && (first || moreLines); first = false) {
        QString name = load.takeName();
        taken += name.size();
        if (taken > line.size()) {
            qCDebug(lcTrace) << "readHxList: names of line" << lineNumber << "cut short";
            return;
        }
        names.append(std::move(name));
    }
}

} // namespace

qint32 parseHxList(const QByteArray &bytes, QStringList &names)
{
    return runReader([&] {
        QTextStream in(bytes);
        QString line;
        qint64 lineNumber = 0;
        while (!in.atEnd()) {
            readDataLine(in, line, lineNumber);
            takeNames(line, !in.atEnd(), lineNumber, names);
        }
    });
}

qint32 readHxList(const QString &fileName, QStringList &names)
{
    clearLoadProblem();
    FileBytes file;
    qint32 code = file.open(fileName);
    if (code != errNone)
        return code;
    const QByteArrayView bytes = file.bytes();
    code = parseHxList(QByteArray::fromRawData(bytes.data(), bytes.size()), names);
    if (!file.intact())
        code = runReader([&] { requireIntact(file); });
    return code;
}
