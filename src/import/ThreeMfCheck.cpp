#include "ThreeMfCheck.h"

#include "ImportTypes.h"
#include "Inflate.h"

#include <QRegularExpression>
#include <QString>
#include <QtEndian>

#include <zlib.h>

#include <vector>

namespace {

constexpr quint32 kEndRecord = 0x06054b50;
constexpr quint32 kEntryRecord = 0x02014b50;
constexpr quint32 kLocalRecord = 0x04034b50;
constexpr qint64 kEndBytes = 22;
constexpr qint64 kEntryBytes = 46;
constexpr qint64 kLocalBytes = 30;
// What the package may hold once inflated, in all: 32 MiB and 50 times its
// size. A model's XML compresses some 4 to 10 times; a zip bomb a thousand.
constexpr qint64 kFixedAllowance = qint64(32) << 20;
constexpr qint64 kGrowth = 50;
// The relationships part is a few lines long.
constexpr qint64 kLargestRelationships = 1 << 16;

struct Entry
{
    QByteArray name;
    int method = 0;
    qint64 compressed = 0;
    qint64 size = 0;
    qint64 dataStart = 0;
};

quint32 u32(QByteArrayView bytes, qint64 at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 u16(QByteArrayView bytes, qint64 at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

[[noreturn]] void damaged()
{
    failImport(
        Import::tr("The 3MF package is not a zip file, or its table of contents is damaged."));
}

qint64 endRecord(QByteArrayView bytes)
{
    const qint64 lowest = std::max<qint64>(0, bytes.size() - kEndBytes - 0xFFFF);
    for (qint64 at = bytes.size() - kEndBytes; at >= lowest; --at)
        if (u32(bytes, at) == kEndRecord)
            return at;
    damaged();
}

// Where an entry's data starts, from its local header, checked to lie in the file.
qint64 dataStart(QByteArrayView bytes, qint64 local, qint64 limit)
{
    if (local > limit - kLocalBytes || u32(bytes, local) != kLocalRecord)
        damaged();
    return local + kLocalBytes + u16(bytes, local + 26) + u16(bytes, local + 28);
}

Entry entryAt(QByteArrayView bytes, qint64 at, qint64 end, qint64 directory)
{
    if (at > end - kEntryBytes || u32(bytes, at) != kEntryRecord)
        damaged();
    Entry e;
    e.method = u16(bytes, at + 10);
    e.compressed = u32(bytes, at + 20);
    e.size = u32(bytes, at + 24);
    const qint64 nameBytes = u16(bytes, at + 28);
    if (at + kEntryBytes + nameBytes > end)
        damaged();
    e.name = bytes.sliced(at + kEntryBytes, nameBytes).toByteArray();
    if (e.compressed == 0xFFFFFFFF || e.size == 0xFFFFFFFF)
        failImport(Import::tr("3MF packages of more than 4 GB are not read."));
    if (e.method != 0 && e.method != Z_DEFLATED)
        failImport(Import::tr("The 3MF part %1 is compressed by a method other than deflate.")
                       .arg(quoted(e.name, 48)));
    e.dataStart = dataStart(bytes, u32(bytes, at + 42), directory);
    if (e.dataStart > directory || e.compressed > directory - e.dataStart)
        damaged();
    const qint64 most = e.method == 0 ? e.compressed : inflatedLimit(e.compressed);
    if (e.size > most)
        failImport(Import::tr("The 3MF part %1 says it holds %2 bytes; its %3 compressed bytes "
                              "cannot hold so many.")
                       .arg(quoted(e.name, 48))
                       .arg(e.size)
                       .arg(e.compressed));
    return e;
}

std::vector<Entry> entries(QByteArrayView bytes)
{
    const qint64 end = endRecord(bytes);
    const qint64 count = u16(bytes, end + 10);
    const qint64 size = u32(bytes, end + 12);
    const qint64 start = u32(bytes, end + 16);
    if (start > end || size > end - start || count * kEntryBytes > size)
        damaged();
    std::vector<Entry> list;
    qint64 total = 0;
    for (qint64 at = start, n = 0; n < count; ++n) {
        list.push_back(entryAt(bytes, at, start + size, start));
        at += kEntryBytes + u16(bytes, at + 28) + u16(bytes, at + 30) + u16(bytes, at + 32);
        total += list.back().size;
    }
    const qint64 allowed = kFixedAllowance + kGrowth * bytes.size();
    if (total > allowed)
        failImport(Import::tr("The 3MF package would inflate to %1 bytes, more than %2 times its "
                              "size; it is refused as a zip bomb.")
                       .arg(total)
                       .arg(kGrowth));
    return list;
}

const Entry *find(const std::vector<Entry> &list, QByteArrayView name)
{
    for (const Entry &e : list)
        if (QLatin1StringView(e.name).compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QByteArray contents(QByteArrayView bytes, const Entry &e)
{
    if (e.size > kLargestRelationships)
        failImport(Import::tr("The 3MF part %1 is too large.").arg(quoted(e.name, 48)));
    const QByteArrayView data = bytes.sliced(e.dataStart, e.compressed);
    if (e.method == 0)
        return data.toByteArray();
    QByteArray out(e.size, 0);
    z_stream z {};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        damaged();
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const int status = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (status != Z_STREAM_END || z.total_out != uLong(e.size))
        failImport(Import::tr("The 3MF part %1 is damaged.").arg(quoted(e.name, 48)));
    return out;
}

// The part the package's relationships name as its 3-D model.
QByteArray modelPart(QByteArrayView bytes, const std::vector<Entry> &list)
{
    const Entry *rels = find(list, "_rels/.rels");
    if (!rels)
        failImport(Import::tr("The 3MF package has no _rels/.rels part naming its model."));
    const QString text = QString::fromUtf8(contents(bytes, *rels));
    static const QRegularExpression relation(QStringLiteral("<Relationship\\b[^>]*>"));
    static const QRegularExpression target(QStringLiteral("Target\\s*=\\s*\"/?([^\"]*)\""));
    for (auto it = relation.globalMatch(text); it.hasNext();) {
        const QString element = it.next().captured();
        const QRegularExpressionMatch name = target.match(element);
        if (element.contains(QLatin1StringView("3dmodel")) && name.hasMatch())
            return name.captured(1).toUtf8();
    }
    failImport(Import::tr("The 3MF package's relationships name no model."));
}

} // namespace

void checkThreeMf(QByteArrayView bytes)
{
    if (bytes.size() < kEndBytes)
        damaged();
    const std::vector<Entry> list = entries(bytes);
    const QByteArray model = modelPart(bytes, list);
    if (!find(list, model))
        failImport(Import::tr("The 3MF package has no model part %1.").arg(quoted(model, 48)));
}
