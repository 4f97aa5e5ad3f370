#include "LabelTables.h"

#include "ImportTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One <Label> element as written, its colour not yet scaled.
struct XmlLabel
{
    qint64 key = 0;
    QString name;
    bool hasColor = false;
    double rgb[3] = {0, 0, 0};
};

void warnAt(const QString &source, qint64 line, const QString &what)
{
    warnImport(Import::tr("%1, line %2: %3").arg(source).arg(line).arg(what));
}

// The element the reader stands on; nothing, with a warning, when its Key
// is not a whole number or it has no name.
std::optional<XmlLabel> readXmlLabel(QXmlStreamReader &xml, const QString &source)
{
    const qint64 line = xml.lineNumber();
    const QXmlStreamAttributes a = xml.attributes();
    XmlLabel label;
    bool keyOk = false;
    label.key = a.value(QLatin1StringView("Key")).toLongLong(&keyOk);
    const char *channels[3] = {"Red", "Green", "Blue"};
    int given = 0;
    for (int c = 0; c < 3; ++c) {
        bool ok = false;
        const double v = a.value(QLatin1StringView(channels[c])).toDouble(&ok);
        if (ok && std::isfinite(v) && v >= 0 && v <= 255) {
            label.rgb[c] = v;
            ++given;
        }
    }
    label.hasColor = given == 3;
    label.name = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    if (!keyOk || label.name.isEmpty()) {
        warnAt(source, line, Import::tr("a label without a whole Key or a name is left out."));
        return std::nullopt;
    }
    return label;
}

std::vector<XmlLabel> readXmlLabels(QXmlStreamReader &xml, const QString &source)
{
    std::vector<XmlLabel> labels;
    int tables = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"LabelTable")
            ++tables;
        else if (xml.name() == u"Label" && tables > 0) {
            if (std::optional<XmlLabel> label = readXmlLabel(xml, source))
                labels.push_back(*label);
        }
    }
    if (xml.hasError())
        warnAt(source, xml.lineNumber(),
               Import::tr("the label table breaks off (%1); the labels before it are kept.")
                   .arg(xml.errorString()));
    return labels;
}

// The line of `text` on which `needle` first occurs; 1 when it does not.
qint64 lineOf(const QByteArray &text, const QByteArray &needle)
{
    const qsizetype at = text.indexOf(needle);
    return at < 0 ? 1 : text.left(at).count('\n') + 1;
}

bool isBackground(const QString &name, qint64 value)
{
    return value == 0 || name.compare(u"background", Qt::CaseInsensitive) == 0;
}

// A whole number, or a string holding one.
std::optional<qint64> wholeNumber(const QJsonValue &v)
{
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15)
            return qint64(d);
        return std::nullopt;
    }
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    return v.isString() && ok ? std::optional<qint64>(n) : std::nullopt;
}

} // namespace

std::optional<QByteArray> tableFile(const QString &path)
{
    QFile file(path);
    const QFileInfo info(file);
    if (!info.isFile() || info.size() > kLargestLabelTable || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(kLargestLabelTable);
}

LabelTable parseXmlLabelTable(QByteArrayView xmlText, const QString &source)
{
    QXmlStreamReader xml(
        xmlText.first(std::min<qsizetype>(xmlText.size(), kLargestLabelTable)).toByteArray());
    const std::vector<XmlLabel> labels = readXmlLabels(xml, source);
    bool fractions = true;
    for (const XmlLabel &label : labels)
        for (double c : label.rgb)
            fractions = fractions && (!label.hasColor || c <= 1);
    LabelTable table;
    for (const XmlLabel &label : labels) {
        if (isBackground(QString(), label.key))
            continue;
        LabelLook look;
        look.name = label.name;
        look.hasColor = label.hasColor;
        for (int c = 0; c < 3; ++c)
            look.rgb[c] = int(std::lround(fractions ? label.rgb[c] * 255 : label.rgb[c]));
        table.insert(label.key, look);
    }
    return table;
}

LabelTable parseDatasetJson(const QByteArray &json, const QString &source)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        warnAt(source, json.left(error.offset).count('\n') + 1,
               Import::tr("the file is not JSON (%1).").arg(error.errorString()));
        return {};
    }
    const QJsonObject labels = document.object().value(u"labels").toObject();
    LabelTable table;
    for (auto entry = labels.begin(); entry != labels.end(); ++entry) {
        QString name = entry.key();
        std::optional<qint64> value = wholeNumber(entry.value());
        if (!value && wholeNumber(QJsonValue(name)) && entry.value().isString()) {
            value = wholeNumber(QJsonValue(name)); // "1": "kidney"
            name = entry.value().toString();
        }
        if (!value) {
            warnAt(source, lineOf(json, '"' + entry.key().toUtf8() + '"'),
                   Import::tr("\"%1\" has no single whole label value; it is left out.")
                       .arg(entry.key()));
            continue;
        }
        if (isBackground(name, *value) || name.trimmed().isEmpty())
            continue;
        LabelLook look;
        look.name = name.trimmed();
        table.insert(*value, look);
    }
    return table;
}

LabelTable datasetJsonBeside(const QString &labelMapPath)
{
    QDir folder = QFileInfo(labelMapPath).absoluteDir();
    for (int up = 0; up < 2; ++up) {
        const QString path = folder.filePath(QStringLiteral("dataset.json"));
        if (const std::optional<QByteArray> bytes = tableFile(path))
            return parseDatasetJson(*bytes, QDir::toNativeSeparators(path));
        if (!folder.cdUp())
            break;
    }
    return {};
}
