#pragma once

#include <QString>

enum class Language : qint32;

// Where the settings file lives and whether it may be used. A missing file is
// a first start; anything that is not a regular file (a pipe would block the
// start for good) and a user without a home folder start on the defaults,
// which are then not saved; each such case is said once on standard error.
namespace SettingsFile {

// The first of `environment` ($HOME) and `passwordHome` (the home of the
// password database) that names an existing folder by an absolute path, or
// empty when neither does.
QString chooseHome(const QString &environment, const QString &passwordHome);
// The user's home folder as chooseHome() finds it, or empty.
QString homeFolder();
// homeFolder() and "/.Tessaron/config.ini", or empty without a home folder.
QString path();

// True when settings may be read from and written to `file` (path() or a
// file beside it): it names a regular file or nothing yet. Otherwise says
// once why the defaults are used.
bool usable(const QString &file = path());
// The text that says the settings could not be saved, also written to
// standard error; empty after the first time, so that it is said once.
QString notSavedOnce();

// The interface language the settings file holds: Russian, as on a first
// start, when there is no file, it cannot be used or its value makes no sense.
Language savedLanguage();

} // namespace SettingsFile
