#include "SettingsFile.h"

#include "ViewConfig.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>
#include <pwd.h>
#include <unistd.h>

namespace SettingsFile {
namespace {

// Says a text once per run on standard error.
void sayOnce(bool &said, const QString &text)
{
    if (said)
        return;
    said = true;
    std::fprintf(stderr, "tessaron: %s\n", qPrintable(text));
}

bool usableHome(const QString &folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isAbsolute() && info.isDir();
}

} // namespace

QString chooseHome(const QString &environment, const QString &passwordHome)
{
    if (usableHome(environment))
        return environment;
    return usableHome(passwordHome) ? passwordHome : QString();
}

QString homeFolder()
{
    const passwd *entry = ::getpwuid(::getuid());
    return chooseHome(qEnvironmentVariable("HOME"),
                      entry && entry->pw_dir ? QFile::decodeName(entry->pw_dir) : QString());
}

QString path()
{
    const QString home = homeFolder();
    return home.isEmpty() ? QString() : home + "/.Tessaron/config.ini";
}

bool usable(const QString &file)
{
    static bool said = false;
    if (file.isEmpty()) {
        sayOnce(
            said,
            QCoreApplication::translate(
                "Tessaron", "No home folder: the settings are the defaults and are not saved."));
        return false;
    }
    const QFileInfo info(file);
    if (info.exists() && !info.isFile()) {
        sayOnce(said,
                QCoreApplication::translate(
                    "Tessaron",
                    "%1 is not a regular file: the settings are the defaults and are not "
                    "saved.")
                    .arg(file));
        return false;
    }
    return true;
}

QString notSavedOnce()
{
    static bool said = false;
    if (said)
        return QString();
    const QString text =
        QCoreApplication::translate("Tessaron", "The settings could not be saved to %1.")
            .arg(path());
    sayOnce(said, text);
    return text;
}

Language savedLanguage()
{
    if (!usable())
        return Language::Russian;
    QSettings settings(path(), QSettings::IniFormat);
    return ViewConfig::readLanguage(settings);
}

} // namespace SettingsFile
