#include "ImageInfo.h"

#include "formats/FileKinds.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The unit vector of index axis `axis` in world coordinates.
std::array<double, 3> axisDirection(const Affine &a, int axis)
{
    const double length = a.spacing(axis);
    return {a.m[0][axis] / length, a.m[1][axis] / length, a.m[2][axis] / length};
}

QString numbers(const QJsonArray &values)
{
    QStringList texts;
    for (const QJsonValue &v : values)
        texts << QString::number(v.toDouble(), 'g', 6);
    return texts.join(QLatin1Char(' '));
}

QJsonArray seriesJson(const ImageVolume &image, const std::vector<DicomSeriesInfo> &series)
{
    QJsonArray list;
    for (const DicomSeriesInfo &s : series)
        list.append(QJsonObject {{"number", double(list.size() + 1)},
                                 {"uid", s.uid},
                                 {"modality", s.modality},
                                 {"description", s.description},
                                 {"patient", s.patient},
                                 {"date", s.date},
                                 {"images", s.slices},
                                 {"rows", s.rows},
                                 {"columns", s.columns},
                                 {"read", s.uid == image.seriesUid}});
    return list;
}

} // namespace

std::vector<DicomSeriesInfo> seriesOf(const QString &path, const ImageVolume &image)
{
    if (recognise(path).kind != FileKind::Dicom)
        return {};
    return image.pathSeries;
}

QJsonObject imageJson(const ImageVolume &image, const std::vector<DicomSeriesInfo> &series)
{
    const Affine &a = image.toWorld;
    QJsonArray size, spacing, origin, direction, warnings;
    for (int axis = 0; axis < 3; ++axis) {
        size.append(double(image.size[axis]));
        spacing.append(a.spacing(axis));
        origin.append(a.m[axis][3]);
        for (double d : axisDirection(a, axis))
            direction.append(d);
    }
    for (const QString &w : image.warnings)
        warnings.append(w);
    const ImageValueRange r = valueRange(image);
    const auto value = [&](double v) { return r.count ? QJsonValue(v) : QJsonValue(); };
    QJsonObject o {{"size", size},
                   {"spacing", spacing},
                   {"origin", origin},
                   {"direction", direction},
                   {"modality", image.modality},
                   {"unit", image.unit},
                   {"description", image.description},
                   {"min", value(r.min)},
                   {"max", value(r.max)},
                   {"mean", value(r.mean)},
                   {"warnings", warnings}};
    if (series.size() > 1)
        o["series"] = seriesJson(image, series);
    return o;
}

QString imageText(const ImageVolume &image, const std::vector<DicomSeriesInfo> &series)
{
    const QJsonObject o = imageJson(image, series);
    const auto text = [&](const char *key) {
        const QString s = o.value(QLatin1String(key)).toString();
        return s.isEmpty() ? QStringLiteral("not given") : s;
    };
    QStringList lines {QStringLiteral("Image: ") + image.description};
    lines << QStringLiteral("  size: %1 voxels").arg(numbers(o["size"].toArray()));
    lines << QStringLiteral("  spacing: %1 mm").arg(numbers(o["spacing"].toArray()));
    lines << QStringLiteral("  origin: %1 mm").arg(numbers(o["origin"].toArray()));
    const QJsonArray d = o["direction"].toArray();
    for (int axis = 0; axis < 3; ++axis)
        lines << QStringLiteral("  direction of %1: %2")
                     .arg(QChar("ijk"[axis]))
                     .arg(numbers(QJsonArray {d[3 * axis], d[3 * axis + 1], d[3 * axis + 2]}));
    lines << QStringLiteral("  modality: ") + text("modality");
    lines << QStringLiteral("  unit: ") + text("unit");
    if (o["min"].isNull())
        lines << QStringLiteral("  values: none is a number");
    else
        lines << QStringLiteral("  values: min %1, max %2, mean %3")
                     .arg(o["min"].toDouble(), 0, 'g', 6)
                     .arg(o["max"].toDouble(), 0, 'g', 6)
                     .arg(o["mean"].toDouble(), 0, 'g', 6);
    for (const QString &w : image.warnings)
        lines << QStringLiteral("  warning: ") + w;
    const QJsonArray list = o["series"].toArray();
    if (!list.isEmpty())
        lines << QStringLiteral("  series in the path: %1").arg(list.size());
    for (const QJsonValue &v : list) {
        const QJsonObject s = v.toObject();
        lines << QStringLiteral("    %1. %2, %3 images of %4 x %5, %6 (UID %7)%8")
                     .arg(s["number"].toInt())
                     .arg(s["modality"].toString().isEmpty() ? QStringLiteral("no modality")
                                                             : s["modality"].toString())
                     .arg(s["images"].toInt())
                     .arg(s["columns"].toInt())
                     .arg(s["rows"].toInt())
                     .arg(s["description"].toString().isEmpty() ? QStringLiteral("no description")
                                                                : s["description"].toString())
                     .arg(s["uid"].toString())
                     .arg(s["read"].toBool() ? QStringLiteral(": read") : QString());
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
