#include "NrrdHeader.h"

#include "ImportTypes.h"

#include <QRegularExpression>

#include <cmath>

namespace {

[[noreturn]] void badField(const QString &field, const QString &value)
{
    failImport(Import::tr("The NRRD header's field \"%1\" has a value that cannot be read: %2")
                   .arg(field, value.left(80)));
}

SampleType typeOf(const QString &name)
{
    static const std::pair<const char *, SampleType> types[] = {
        {"signed char", SampleType::Int8},
        {"int8", SampleType::Int8},
        {"int8_t", SampleType::Int8},
        {"uchar", SampleType::UInt8},
        {"unsigned char", SampleType::UInt8},
        {"uint8", SampleType::UInt8},
        {"uint8_t", SampleType::UInt8},
        {"short", SampleType::Int16},
        {"short int", SampleType::Int16},
        {"signed short", SampleType::Int16},
        {"signed short int", SampleType::Int16},
        {"int16", SampleType::Int16},
        {"int16_t", SampleType::Int16},
        {"ushort", SampleType::UInt16},
        {"unsigned short", SampleType::UInt16},
        {"unsigned short int", SampleType::UInt16},
        {"uint16", SampleType::UInt16},
        {"uint16_t", SampleType::UInt16},
        {"int", SampleType::Int32},
        {"signed int", SampleType::Int32},
        {"int32", SampleType::Int32},
        {"int32_t", SampleType::Int32},
        {"uint", SampleType::UInt32},
        {"unsigned int", SampleType::UInt32},
        {"uint32", SampleType::UInt32},
        {"uint32_t", SampleType::UInt32},
        {"longlong", SampleType::Int64},
        {"long long", SampleType::Int64},
        {"long long int", SampleType::Int64},
        {"signed long long", SampleType::Int64},
        {"signed long long int", SampleType::Int64},
        {"int64", SampleType::Int64},
        {"int64_t", SampleType::Int64},
        {"ulonglong", SampleType::UInt64},
        {"unsigned long long", SampleType::UInt64},
        {"unsigned long long int", SampleType::UInt64},
        {"uint64", SampleType::UInt64},
        {"uint64_t", SampleType::UInt64},
        {"float", SampleType::Float32},
        {"double", SampleType::Float64},
    };
    for (const auto &[text, type] : types)
        if (name == QLatin1StringView(text))
            return type;
    failImport(
        Import::tr("The NRRD voxel type \"%1\" is not one a label map or an image has.").arg(name));
}

NrrdHeader::Encoding encodingOf(const QString &name)
{
    if (name == "raw")
        return NrrdHeader::Encoding::Raw;
    if (name == "gz" || name == "gzip")
        return NrrdHeader::Encoding::Gzip;
    if (name == "txt" || name == "text" || name == "ascii")
        return NrrdHeader::Encoding::Text;
    failImport(
        Import::tr("The NRRD encoding \"%1\" is not read; raw, gzip and text are.").arg(name));
}

double number(const QString &field, const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok && text.trimmed().compare("nan", Qt::CaseInsensitive) != 0)
        badField(field, text);
    return ok ? value : std::nan("");
}

std::vector<qint64> integers(const QString &field, const QString &text)
{
    std::vector<qint64> values;
    for (const QString &word : text.split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        values.push_back(word.toLongLong(&ok));
        if (!ok)
            badField(field, text);
    }
    return values;
}

// "(x,y,z)" as three numbers.
std::array<double, 3> vector3(const QString &field, const QString &text)
{
    const QString inner = text.trimmed();
    if (!inner.startsWith('(') || !inner.endsWith(')'))
        badField(field, text);
    const QStringList parts = inner.mid(1, inner.size() - 2).split(',');
    if (parts.size() != 3)
        badField(field, text);
    return {number(field, parts[0]), number(field, parts[1]), number(field, parts[2])};
}

std::vector<std::optional<std::array<double, 3>>> directions(const QString &field,
                                                             const QString &text)
{
    std::vector<std::optional<std::array<double, 3>>> axes;
    static const QRegularExpression item(QStringLiteral("none|\\([^)]*\\)"));
    QString rest = text;
    for (const QRegularExpressionMatch &m : item.globalMatch(text)) {
        const QString word = m.captured();
        axes.push_back(word == "none" ? std::nullopt : std::optional(vector3(field, word)));
        rest.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), ' '));
    }
    if (!rest.trimmed().isEmpty())
        badField(field, text);
    return axes;
}

void readSpace(NrrdHeader &h, const QString &space)
{
    const QString s = space.toLower();
    h.lps = s == "left-posterior-superior" || s == "lps" || s == "left-posterior-superior-time";
    h.las = s == "left-anterior-superior" || s == "las" || s == "left-anterior-superior-time";
}

void readField(NrrdHeader &h, const QString &field, const QString &value, bool &haveEncoding)
{
    if (field == "type") {
        h.type = typeOf(value.toLower());
    } else if (field == "dimension") {
        h.dimension = int(number(field, value));
        if (h.dimension < 1 || h.dimension > 16)
            badField(field, value);
    } else if (field == "sizes") {
        h.sizes = integers(field, value);
    } else if (field == "encoding") {
        h.encoding = encodingOf(value.toLower());
        haveEncoding = true;
    } else if (field == "endian") {
        h.bigEndian = value.toLower() == "big";
    } else if (field == "space") {
        readSpace(h, value);
    } else if (field == "space directions") {
        h.directions = directions(field, value);
    } else if (field == "space origin") {
        h.origin = vector3(field, value);
    } else if (field == "spacings") {
        for (const QString &word : value.split(' ', Qt::SkipEmptyParts))
            h.spacings.push_back(number(field, word));
    } else if (field == "data file" || field == "datafile") {
        h.dataFile = value;
    } else if (field == "line skip" || field == "lineskip") {
        h.lineSkip = qint64(number(field, value));
    } else if (field == "byte skip" || field == "byteskip") {
        h.byteSkip = qint64(number(field, value));
    }
}

} // namespace

NrrdHeader parseNrrdHeader(QByteArrayView bytes)
{
    if (!bytes.startsWith("NRRD000"))
        failImport(Import::tr("This is not a NRRD file: it does not start with \"NRRD000\"."));
    NrrdHeader h;
    bool haveType = false, haveEncoding = false;
    qsizetype pos = bytes.indexOf('\n');
    pos = pos < 0 ? bytes.size() : pos + 1;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        end = end < 0 ? bytes.size() : end;
        QString line = QString::fromUtf8(bytes.sliced(pos, end - pos));
        pos = next;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            break; // attached data follows the blank line
        if (line.startsWith('#'))
            continue;
        const qsizetype pair = line.indexOf(":=");
        const qsizetype colon = line.indexOf(": ");
        if (pair >= 0 && (colon < 0 || pair < colon)) {
            h.values.insert(line.left(pair), line.mid(pair + 2));
            continue;
        }
        if (colon < 0)
            failImport(Import::tr("The NRRD header has a line that is neither a field nor a "
                                  "comment: %1")
                           .arg(line.left(80)));
        const QString field = line.left(colon).trimmed().toLower();
        haveType = haveType || field == "type";
        readField(h, field, line.mid(colon + 2).trimmed(), haveEncoding);
    }
    h.headerBytes = pos;
    if (!haveType || h.dimension == 0 || !haveEncoding)
        failImport(Import::tr("The NRRD header lacks one of the fields type, dimension and "
                              "encoding."));
    if (qsizetype(h.sizes.size()) != h.dimension)
        failImport(Import::tr("The NRRD header gives %1 sizes for %2 dimensions.")
                       .arg(h.sizes.size())
                       .arg(h.dimension));
    if (!h.directions.empty() && qsizetype(h.directions.size()) != h.dimension)
        badField("space directions", QString::number(h.directions.size()));
    return h;
}
