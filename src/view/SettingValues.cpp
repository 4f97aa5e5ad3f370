#include "SettingValues.h"

#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace SettingValues {

int integer(const QSettings &settings, const char *key, int fallback, int min, int max)
{
    bool ok = false;
    const qlonglong value = settings.value(key, fallback).toLongLong(&ok);
    return ok ? int(std::clamp<qlonglong>(value, min, max)) : fallback;
}

int choice(const QSettings &settings, const char *key, int fallback, int count)
{
    bool ok = false;
    const int value = settings.value(key, fallback).toInt(&ok);
    return ok && value >= 0 && value < count ? value : fallback;
}

bool flag(const QSettings &settings, const char *key, bool fallback)
{
    const QVariant value = settings.value(key, fallback);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

float real(const QSettings &settings, const char *key, float fallback, float min, float max)
{
    bool ok = false;
    const double value = settings.value(key, fallback).toDouble(&ok);
    return ok && std::isfinite(value) ? float(std::clamp<double>(value, min, max)) : fallback;
}

QString colour(const QSettings &settings, const char *key, const QString &fallback)
{
    static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    const QString value = settings.value(key, fallback).toString();
    return form.match(value).hasMatch() ? value : fallback;
}

} // namespace SettingValues
