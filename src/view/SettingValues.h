#pragma once

#include <QString>

class QSettings;

// Values of the settings file read with sense, since anyone may edit the
// file: a value that is not of its kind (not a number, not true or false, not
// a "#RRGGBB" colour, not finite) takes its default, and a number outside its
// range is clamped into it. What is read is what is written back.
namespace SettingValues {

int integer(const QSettings &settings, const char *key, int fallback, int min, int max);
// One of the numbers 0 .. count - 1; anything else takes the default.
int choice(const QSettings &settings, const char *key, int fallback, int count);
bool flag(const QSettings &settings, const char *key, bool fallback);
float real(const QSettings &settings, const char *key, float fallback, float min, float max);
QString colour(const QSettings &settings, const char *key, const QString &fallback);

} // namespace SettingValues
