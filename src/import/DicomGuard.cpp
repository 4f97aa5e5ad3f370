// Walks a file's elements before the library sees it. The library takes a
// length an element claims on trust, allocating it before it finds the file
// shorter, and stops the program on some damaged headers; so every length
// here must fit in what encloses it, and nesting stays shallow.

#include "DicomGuard.h"

#include "DicomSeries.h"
#include "ImportTypes.h"
#include "Inflate.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace {

enum class Syntax { ExplicitLittle, ImplicitLittle, ExplicitBig };

constexpr quint32 kUndefined = 0xffffffff;
constexpr int kDeepest = 16;

struct Walk
{
    const uchar *data = nullptr;
    qint64 size = 0;
    QString problem;
    bool rle = false; // pixel data in run-length fragments
    qint64 pixelOffset = -1, pixelLength = 0;
    qint64 rows = 0, columns = 0; // from the top level, for the run-length check

    quint16 word(qint64 at, Syntax s) const
    {
        return s == Syntax::ExplicitBig ? quint16(data[at] << 8 | data[at + 1])
                                        : quint16(data[at] | data[at + 1] << 8);
    }
    quint32 longWord(qint64 at, Syntax s) const
    {
        const quint32 a = word(at, s), b = word(at + 2, s);
        return s == Syntax::ExplicitBig ? a << 16 | b : b << 16 | a;
    }
    qint64 fail(const QString &why)
    {
        if (problem.isEmpty())
            problem = why;
        return -1;
    }

    qint64 elements(qint64 at, qint64 end, Syntax s, int depth, bool untilDelimiter);
    qint64 items(qint64 at, qint64 end, Syntax s, int depth, bool defined);
    qint64 fragments(qint64 at, qint64 end, Syntax s);
    qint64 delimiter(qint64 at, quint32 length);
    bool runLengthFrame(qint64 at, qint64 length);
    void noteSize(quint16 group, quint16 number, qint64 value, quint32 length, Syntax s, int depth)
    {
        if (depth == 0 && group == 0x0028 && length == 2 && (number == 0x0010 || number == 0x0011))
            (number == 0x0010 ? rows : columns) = word(value, s);
    }
    qint64 element(qint64 at, qint64 end, Syntax s, int depth);
};

// Only the value types of the standard: the library reads any other as one
// with a four-byte length, so the walk must not read it otherwise.
bool isKnownType(const char vr[2])
{
    static const char *const types[] = {"AE", "AS", "AT", "CS", "DA", "DS", "DT", "FL", "FD",
                                        "IS", "LO", "LT", "OB", "OD", "OF", "OL", "OV", "OW",
                                        "PN", "SH", "SL", "SQ", "SS", "ST", "SV", "TM", "UC",
                                        "UI", "UL", "UN", "UR", "US", "UT", "UV"};
    for (const char *t : types)
        if (vr[0] == t[0] && vr[1] == t[1])
            return true;
    return false;
}

bool isLongForm(const char vr[2])
{
    static const char *const forms[] = {"OB", "OD", "OF", "OL", "OV", "OW", "SQ",
                                        "SV", "UC", "UN", "UR", "UT", "UV"};
    for (const char *f : forms)
        if (vr[0] == f[0] && vr[1] == f[1])
            return true;
    return false;
}

QString tagText(quint16 group, quint16 element)
{
    return QStringLiteral("(%1,%2)")
        .arg(group, 4, 16, QLatin1Char('0'))
        .arg(element, 4, 16, QLatin1Char('0'));
}

qint64 Walk::element(qint64 at, qint64 end, Syntax s, int depth)
{
    const quint16 group = word(at, s), number = word(at + 2, s);
    char vr[2] = {char(data[at + 4]), char(data[at + 5])};
    const bool isExplicit = s != Syntax::ImplicitLittle;
    if (isExplicit && !isKnownType(vr))
        return fail(Import::tr("element %1 has no valid value type").arg(tagText(group, number)));
    // The library asserts that the elements placing a slice hold decimal
    // strings: one of another value type would abort the program. UN, as
    // files converted from implicit VR leave them, holds the same text.
    const bool placing = (group == 0x0020 && (number == 0x0032 || number == 0x0037))
        || (group == 0x0028 && number == 0x0030);
    if (isExplicit && placing && !(vr[0] == 'D' && vr[1] == 'S') && !(vr[0] == 'U' && vr[1] == 'N'))
        return fail(Import::tr("element %1 has the value type %2 where DS belongs")
                        .arg(tagText(group, number), QString::fromLatin1(vr, 2)));
    const bool longForm = !isExplicit || isLongForm(vr);
    const qint64 header = isExplicit && longForm ? 12 : 8;
    if (end - at < header)
        return fail(Import::tr("it ends inside element %1").arg(tagText(group, number)));
    const quint32 length = !longForm ? word(at + 6, s) : longWord(at + (isExplicit ? 8 : 4), s);
    const qint64 value = at + header;
    const bool sequence = isExplicit ? vr[0] == 'S' && vr[1] == 'Q' : false;
    const bool unknown = isExplicit && vr[0] == 'U' && vr[1] == 'N';
    const Syntax inner = unknown ? Syntax::ImplicitLittle : s;
    if (length == kUndefined) {
        // Compressed pixel data are bytes or words; the library asserts on
        // fragments of any other value type.
        const bool bytesOrWords = vr[0] == 'O' && (vr[1] == 'B' || vr[1] == 'W');
        if (group == 0x7fe0 && number == 0x0010 && isExplicit && !bytesOrWords && !unknown)
            return fail(Import::tr("element %1 has no length").arg(tagText(group, number)));
        if (group == 0x7fe0 && number == 0x0010)
            return fragments(value, end, s);
        if (isExplicit && !sequence && !unknown)
            return fail(Import::tr("element %1 has no length").arg(tagText(group, number)));
        return items(value, end, inner, depth + 1, false);
    }
    if (qint64(length) > end - value)
        return fail(Import::tr("element %1 claims %2 bytes where %3 remain")
                        .arg(tagText(group, number))
                        .arg(length)
                        .arg(end - value));
    noteSize(group, number, value, length, s, depth);
    if (depth == 0 && group == 0x7fe0 && number == 0x0010) {
        pixelOffset = value;
        pixelLength = length;
    }
    const bool nested = sequence
        || (!isExplicit && length >= 8 && word(value, s) == 0xfffe && word(value + 2, s) == 0xe000);
    if (nested && items(value, value + length, inner, depth + 1, true) < 0)
        return -1;
    return value + length;
}

// The elements from `at` to `end`, or to an item's end mark.
qint64 Walk::elements(qint64 at, qint64 end, Syntax s, int depth, bool untilDelimiter)
{
    while (at < end) {
        if (end - at < 8)
            return fail(Import::tr("it ends inside an element"));
        const quint16 group = word(at, s);
        if (group == 0xfffe) {
            if (untilDelimiter && word(at + 2, s) == 0xe00d)
                return delimiter(at, longWord(at + 4, s));
            return fail(Import::tr("an item mark stands where an element belongs"));
        }
        at = element(at, end, s, depth);
        if (at < 0)
            return -1;
    }
    return untilDelimiter ? fail(Import::tr("an item has no end")) : at;
}

// The items of a sequence: up to its end mark, or filling its length.
qint64 Walk::items(qint64 at, qint64 end, Syntax s, int depth, bool defined)
{
    if (depth > kDeepest)
        return fail(Import::tr("its sequences nest deeper than %1").arg(kDeepest));
    while (at < end) {
        if (end - at < 8)
            break;
        const quint16 group = word(at, s), number = word(at + 2, s);
        const quint32 length = longWord(at + 4, s);
        if (group == 0xfffe && number == 0xe0dd && !defined)
            return delimiter(at, length);
        if (group != 0xfffe || number != 0xe000)
            return fail(Import::tr("a sequence holds something other than items"));
        if (length == kUndefined) {
            at = elements(at + 8, end, s, depth, true);
        } else if (qint64(length) > end - at - 8) {
            return fail(Import::tr("an item claims %1 bytes where %2 remain")
                            .arg(length)
                            .arg(end - at - 8));
        } else {
            if (elements(at + 8, at + 8 + length, s, depth, false) < 0)
                return -1;
            at += 8 + length;
        }
        if (at < 0)
            return -1;
    }
    return defined && at == end ? at : fail(Import::tr("a sequence has no end"));
}

// An end mark of an item or a sequence: it holds nothing, and the library
// reads the length it claims as a fragment's, so a mark that claims bytes
// is refused.
qint64 Walk::delimiter(qint64 at, quint32 length)
{
    if (length != 0)
        return fail(Import::tr("an end mark claims %1 bytes; it holds none").arg(length));
    return at + 8;
}

// The fragments of compressed pixel data, each within the file.
qint64 Walk::fragments(qint64 at, qint64 end, Syntax s)
{
    bool first = true; // the table of frame offsets
    while (end - at >= 8) {
        const quint16 group = word(at, s), number = word(at + 2, s);
        const quint32 length = longWord(at + 4, s);
        if (group == 0xfffe && number == 0xe0dd)
            return delimiter(at, length);
        if (group != 0xfffe || number != 0xe000)
            return fail(Import::tr("its compressed pixel data holds something other than "
                                   "fragments"));
        if (length == kUndefined || qint64(length) > end - at - 8)
            return fail(Import::tr("a fragment of its compressed pixel data claims %1 bytes "
                                   "where %2 remain")
                            .arg(length)
                            .arg(end - at - 8));
        if (rle && !first && !runLengthFrame(at + 8, length))
            return -1;
        first = false;
        at += 8 + length;
    }
    return fail(Import::tr("its compressed pixel data has no end"));
}

// A run-length frame: a header of at most 15 segments, each starting inside
// the frame after the one before, and each segment's runs filling exactly one
// plane of rows × columns bytes without reading past the segment. The
// library's decoder trusts both.
bool Walk::runLengthFrame(qint64 at, qint64 length)
{
    const auto bad = [&] {
        fail(Import::tr("a run-length frame of its pixel data is damaged"));
        return false;
    };
    if (length < 64)
        return bad();
    const quint32 segments = longWord(at, Syntax::ExplicitLittle);
    if (segments < 1 || segments > 15)
        return bad();
    std::vector<qint64> starts;
    for (quint32 i = 0; i < segments; ++i)
        starts.push_back(longWord(at + 4 + 4 * i, Syntax::ExplicitLittle));
    starts.push_back(length);
    for (quint32 i = 0; i < segments; ++i)
        if (starts[i] < 64 || starts[i] >= starts[i + 1])
            return bad();
    const qint64 plane = rows * columns;
    for (quint32 i = 0; i < segments; ++i) {
        qint64 made = 0;
        for (qint64 p = at + starts[i], stop = at + starts[i + 1]; p < stop && made < plane;) {
            const int n = qint8(data[p]);
            const qint64 literal = n >= 0 ? n + 1 : 0;
            if (n == -128) {
                ++p;
                continue;
            }
            if (p + 1 + (n >= 0 ? literal : 1) > stop)
                return bad();
            made += n >= 0 ? literal : 1 - n;
            p += 1 + (n >= 0 ? literal : 1);
        }
        if (made != plane)
            return bad();
    }
    return true;
}

// The transfer syntax the file meta group names, and where the data set starts.
Syntax metaSyntax(Walk &walk, qint64 &at, bool &deflated, bool &raw)
{
    QByteArray syntax;
    while (walk.size - at >= 8 && walk.word(at, Syntax::ExplicitLittle) == 0x0002) {
        // The library asserts on a sequence here: the group holds none.
        if (walk.data[at + 4] == 'S' && walk.data[at + 5] == 'Q') {
            walk.fail(Import::tr("its file meta group holds a sequence"));
            return Syntax::ExplicitLittle;
        }
        const qint64 next = walk.element(at, walk.size, Syntax::ExplicitLittle, 0);
        if (next < 0)
            return Syntax::ExplicitLittle;
        if (walk.word(at + 2, Syntax::ExplicitLittle) == 0x0010 && next - at > 8)
            syntax = QByteArray(reinterpret_cast<const char *>(walk.data + at + 8),
                                qsizetype(next - at - 8));
        at = next;
    }
    while (syntax.endsWith('\0') || syntax.endsWith(' '))
        syntax.chop(1);
    deflated = syntax == "1.2.840.10008.1.2.1.99";
    walk.rle = syntax == "1.2.840.10008.1.2.5";
    raw = syntax.isEmpty() || syntax == "1.2.840.10008.1.2" || syntax == "1.2.840.10008.1.2.1";
    if (syntax == "1.2.840.10008.1.2")
        return Syntax::ImplicitLittle;
    return syntax == "1.2.840.10008.1.2.2" ? Syntax::ExplicitBig : Syntax::ExplicitLittle;
}

// Bytes a deflated data set may inflate to besides its pixels: far more than
// any header holds, far less than a deflate bomb gives.
constexpr qint64 kMostDeflatedHeader = qint64(64) << 20;
// The most pixel bytes one file's header may claim.
constexpr qint64 kMostPixelBytes = qint64(2) << 30;

// The largest value of a two-byte unsigned element anywhere in `data`, or 0.
qint64 largestShort(QByteArrayView data, const char (&tag)[9])
{
    qint64 most = 0;
    for (qsizetype at = data.indexOf(QByteArrayView(tag, 8)); at >= 0 && at + 10 <= data.size();
         at = data.indexOf(QByteArrayView(tag, 8), at + 1))
        most = std::max<qint64>(most, quint8(data[at + 8]) | quint8(data[at + 9]) << 8);
    return most;
}

// The pixel bytes the inflated header claims: the largest rows, columns and
// bits it names, over as many frames as it names, within the stated limit.
qint64 claimedPixelBytes(QByteArrayView data)
{
    qint64 frames = 1;
    const QByteArrayView framesTag("\x28\x00\x08\x00IS", 6);
    if (const qsizetype at = data.indexOf(framesTag); at >= 0 && at + 8 <= data.size()) {
        const qsizetype length = quint8(data[at + 6]) | quint8(data[at + 7]) << 8;
        const QByteArray text =
            data.sliced(at + 8,
                        std::min<qsizetype>(length, std::min<qsizetype>(12, data.size() - at - 8)))
                .toByteArray();
        frames = std::max<qint64>(1, text.trimmed().toLongLong());
    }
    const qint64 rows = largestShort(data, "\x28\x00\x10\x00US\x02\x00");
    const qint64 columns = largestShort(data, "\x28\x00\x11\x00US\x02\x00");
    const qint64 bits = largestShort(data, "\x28\x00\x00\x01US\x02\x00");
    const qint64 frame = rows * columns * std::max<qint64>(bits, 8) / 8;
    return frame > 0 && frames > kMostPixelBytes / frame
        ? kMostPixelBytes
        : std::min(kMostPixelBytes, frame * frames);
}

// A deflated data set inflated as far as its header needs: a first pass of
// header size finds what the pixels claim, a second allows that much more.
QByteArray inflatedDataSet(QByteArrayView deflated, QString &problem)
{
    bool over = false;
    QByteArray data = inflateRawUpTo(deflated, kMostDeflatedHeader, over);
    if (!over)
        return data;
    const qint64 most = kMostDeflatedHeader + claimedPixelBytes(data);
    data = inflateRawUpTo(deflated, most, over);
    if (over)
        problem = Import::tr("its deflated data inflates to more than the %1 MB its header needs")
                      .arg(most >> 20);
    return data;
}

} // namespace

DicomFileFacts inspectDicomBytes(QByteArrayView bytes)
{
    Walk walk;
    walk.data = reinterpret_cast<const uchar *>(bytes.data());
    walk.size = bytes.size();
    qint64 at = 0;
    Syntax syntax = Syntax::ImplicitLittle;
    bool deflated = false, raw = true;
    if (hasDicomMark(bytes)) {
        at = 132;
        syntax = metaSyntax(walk, at, deflated, raw);
        // The file meta group must follow the mark; the library aborts on a
        // file whose mark is followed by anything else.
        if (walk.problem.isEmpty() && at == 132)
            walk.fail(Import::tr("no file meta group follows its DICM mark"));
    } else if (walk.size >= 6 && walk.data[4] >= 'A' && walk.data[4] <= 'Z') {
        syntax = Syntax::ExplicitLittle;
    }
    // The library stops the program on a file that ends with its file header.
    if (walk.problem.isEmpty() && walk.size - at < 8)
        walk.fail(Import::tr("it holds nothing after its file header"));
    if (walk.problem.isEmpty() && !deflated)
        walk.elements(at, walk.size, syntax, 0, false);
    if (walk.problem.isEmpty() && deflated) {
        // The library inflates the whole data set before reading it: the
        // walk goes over the inflated bytes, and only so many are allowed.
        QString problem;
        const QByteArray inflated = inflatedDataSet(bytes.sliced(at), problem);
        if (!problem.isEmpty())
            walk.fail(problem);
        walk.data = reinterpret_cast<const uchar *>(inflated.constData());
        walk.size = inflated.size();
        if (walk.problem.isEmpty())
            walk.elements(0, walk.size, Syntax::ExplicitLittle, 0, false);
    }
    DicomFileFacts facts;
    facts.problem = walk.problem;
    if (raw && !deflated && syntax != Syntax::ExplicitBig) {
        facts.pixelOffset = walk.pixelOffset;
        facts.pixelLength = walk.pixelLength;
    }
    return facts;
}

DicomFileFacts inspectDicomFile(const QString &path)
{
    QFile file(path);
    DicomFileFacts facts;
    if (!file.open(QIODevice::ReadOnly))
        facts.problem = Import::tr("it cannot be opened");
    else if (file.size() == 0)
        facts.problem = Import::tr("it is empty");
    else if (const uchar *mapped = file.map(0, file.size()))
        facts = inspectDicomBytes(QByteArrayView(mapped, file.size()));
    else
        facts = inspectDicomBytes(file.readAll());
    return facts;
}
