#include "VtkStream.h"

#include "ImportTypes.h"

#include <QtEndian>

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

enum class Kind { Signed, Unsigned, Real };

struct DataType
{
    int bytes;
    Kind kind;
};

DataType dataType(const QByteArray &name)
{
    const QByteArray n = name.toLower();
    if (n == "unsigned_char")
        return {1, Kind::Unsigned};
    if (n == "char" || n == "signed_char")
        return {1, Kind::Signed};
    if (n == "unsigned_short")
        return {2, Kind::Unsigned};
    if (n == "short")
        return {2, Kind::Signed};
    if (n == "unsigned_int" || n == "vtktypeuint32")
        return {4, Kind::Unsigned};
    if (n == "int" || n == "vtktypeint32")
        return {4, Kind::Signed};
    if (n == "unsigned_long" || n == "vtktypeuint64")
        return {8, Kind::Unsigned};
    if (n == "long" || n == "vtktypeint64" || n == "vtkidtype")
        return {8, Kind::Signed};
    if (n == "float")
        return {4, Kind::Real};
    if (n == "double")
        return {8, Kind::Real};
    failImport(Import::tr("The VTK data type \"%1\" is not read.").arg(QString::fromLatin1(name)));
}

// One big-endian value of the type as a double.
double binaryValue(const char *p, DataType t)
{
    switch (t.bytes) {
    case 1:
        return t.kind == Kind::Signed ? double(qint8(*p)) : double(quint8(*p));
    case 2: {
        const quint16 v = qFromBigEndian<quint16>(p);
        return t.kind == Kind::Signed ? double(qint16(v)) : double(v);
    }
    case 4: {
        const quint32 v = qFromBigEndian<quint32>(p);
        return t.kind == Kind::Real  ? double(std::bit_cast<float>(v))
            : t.kind == Kind::Signed ? double(qint32(v))
                                     : double(v);
    }
    default: {
        const quint64 v = qFromBigEndian<quint64>(p);
        return t.kind == Kind::Real  ? std::bit_cast<double>(v)
            : t.kind == Kind::Signed ? double(qint64(v))
                                     : double(v);
    }
    }
}

[[noreturn]] void endsEarly()
{
    failImport(Import::tr("The VTK file ends, or breaks off, inside a block of numbers."));
}

} // namespace

void VtkStream::skipSpace()
{
    while (pos < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[pos])))
        ++pos;
}

bool VtkStream::atEnd()
{
    skipSpace();
    return pos >= bytes.size();
}

QByteArray VtkStream::line()
{
    qsizetype end = bytes.indexOf('\n', pos);
    end = end < 0 ? bytes.size() : end;
    QByteArray text = bytes.sliced(pos, end - pos).toByteArray();
    pos = end < bytes.size() ? end + 1 : end;
    lineStart = true;
    if (text.endsWith('\r'))
        text.chop(1);
    return text;
}

QByteArray VtkStream::word()
{
    skipSpace();
    const qsizetype start = pos;
    while (pos < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[pos])))
        ++pos;
    lineStart = false;
    return bytes.sliced(start, pos - start).toByteArray();
}

QByteArray VtkStream::requiredWord(const char *what)
{
    const QByteArray w = word();
    if (w.isEmpty())
        failImport(Import::tr("The VTK file ends where it should give %1.")
                       .arg(QString::fromLatin1(what)));
    return w;
}

qint64 VtkStream::count(const char *what)
{
    const QByteArray w = requiredWord(what);
    bool ok = false;
    const qint64 n = w.toLongLong(&ok);
    if (!ok || n < 0)
        failImport(Import::tr("The VTK file gives \"%1\" where it should give %2.")
                       .arg(QString::fromLatin1(w.left(40)), QString::fromLatin1(what)));
    return n;
}

bool VtkStream::nextLineStartsWith(QByteArrayView keyword) const
{
    qsizetype p = bytes.indexOf('\n', pos);
    if (p < 0)
        return false;
    ++p;
    while (p < bytes.size()
           && (bytes[p] == ' ' || bytes[p] == '\t' || bytes[p] == '\r' || bytes[p] == '\n'))
        ++p;
    return bytes.sliced(p).startsWith(keyword);
}

// Binary values start on the line after their keyword's line.
void VtkStream::startBinaryBlock()
{
    if (lineStart)
        return;
    const qsizetype end = bytes.indexOf('\n', pos);
    pos = end < 0 ? bytes.size() : end + 1;
    lineStart = true;
}

bool VtkStream::nextWordIs(QByteArrayView keyword) const
{
    qsizetype p = pos;
    while (p < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[p])))
        ++p;
    return bytes.sliced(p).startsWith(keyword);
}

template<class Reserve, class Out>
void VtkStream::read(qint64 count, const QByteArray &type, Reserve &&reserve, Out &&store)
{
    const DataType t = dataType(type);
    if (binary) {
        startBinaryBlock();
        if (count > (bytes.size() - pos) / t.bytes)
            endsEarly();
        reserve(count);
        for (qint64 n = 0; n < count; ++n, pos += t.bytes)
            store(binaryValue(bytes.data() + pos, t));
        lineStart = false;
        return;
    }
    if (count > (bytes.size() - pos) / 2 + 1) // a digit and a separator each
        endsEarly();
    reserve(count);
    const char *end = bytes.data() + bytes.size();
    for (qint64 n = 0; n < count; ++n) {
        skipSpace();
        const char *p = bytes.data() + pos;
        double v = 0;
        const auto [next, error] = std::from_chars(p, end, v);
        if (error == std::errc::result_out_of_range)
            v = *p == '-' ? -HUGE_VAL : HUGE_VAL;
        else if (error != std::errc())
            endsEarly();
        pos = next - bytes.data();
        store(v);
    }
}

void VtkStream::numbers(qint64 count, const QByteArray &type, std::vector<double> &out)
{
    read(
        count, type, [&](qint64 n) { out.reserve(out.size() + size_t(n)); },
        [&](double v) { out.push_back(v); });
}

void VtkStream::integers(qint64 count, const QByteArray &type, std::vector<qint64> &out)
{
    read(
        count, type, [&](qint64 n) { out.reserve(out.size() + size_t(n)); },
        [&](double v) {
            // Counts and point numbers: whole and within 2^53, else not a number
            // of anything.
            out.push_back(v == std::floor(v) && std::fabs(v) < 9.0e15 ? qint64(v) : -1);
        });
}

void VtkStream::skip(qint64 count, const QByteArray &type)
{
    read(
        count, type, [](qint64) {}, [](double) {});
}

void VtkStream::skipToBlankLine()
{
    line(); // the rest of the keyword's line
    while (pos < bytes.size() && !line().trimmed().isEmpty()) { }
}
