// Settings a careless user or a lost monitor leaves behind: a window off
// every screen, a file that cannot be saved, nonsense values, no home.

#include "AppTestBase.h"

#include <pwd.h>
#include <unistd.h>

namespace {

bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QString passwordHome()
{
    const passwd *entry = ::getpwuid(::getuid());
    return entry ? QFile::decodeName(entry->pw_dir) : QString();
}

} // namespace

class TestBadSettings : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void windowOffEveryScreen();
    void settingsThatCannotBeSaved();
    void valuesThatMakeNoSense();
    void homeNotSetOrNotThere();
};

void TestBadSettings::windowOffEveryScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(writeText(Tessaron::settingsPath(),
                      "[Window]\nMaximized=false\nFullScreen=false\n"
                      "PositionX=-30000\nPositionY=40000\n"
                      "Width=800\nHeight=600\n"));
    Tessaron window;
    window.show();
    QCOMPARE(window.readSettings(false), 0);
    QVERIFY2(screen.intersected(window.frameGeometry()).width() >= 64
                 && screen.intersected(window.frameGeometry()).height() >= 64,
             qPrintable(QString("%1,%2").arg(window.x()).arg(window.y())));
    QCOMPARE(window.size(), QSize(800, 600));

    // A window partly off the screen but reachable stays where it was put, no
    // larger than the screen.
    QVERIFY(writeText(Tessaron::settingsPath(),
                      "[Window]\nMaximized=false\nPositionX=-100\n"
                      "PositionY=20\nWidth=700\nHeight=100000\n"));
    Tessaron placed;
    placed.show();
    placed.readSettings(false);
    QCOMPARE(placed.pos(), QPoint(-100, 20));
    QCOMPARE(placed.width(), 700);
    QVERIFY(placed.height() <= screen.height());
}

void TestBadSettings::settingsThatCannotBeSaved()
{
    // The settings folder's name is taken by a file: nothing can be saved there.
    QVERIFY(writeText(home.filePath(".Tessaron"), "not a folder"));
    Tessaron window;
    window.show();
    window.readSettings(false);
    window.writeSettings();
    QCOMPARE(window.statusText(),
             "The settings could not be saved to " + Tessaron::settingsPath() + ".");
    window.writeSettings(); // said once
    QCOMPARE(window.statusText(), QString());
}

void TestBadSettings::valuesThatMakeNoSense()
{
    const QByteArray nonsense =
        "[Config]\npointThickness=-3\nlineThickness=abc\naxisThickness=99999\n"
        "printingQuality=1e309\nlanguage=7\njoin=9\nisoline_V=1e309\n"
        "isoline_width=0\nselActiveMat=maybe\nshade_type=true\n"
        "[Colors]\nbackground=blue\nfrontFaces=#12345\naxis=#FFFFFFFF\n"
        "edges=#0a0B0c\n";
    QVERIFY(writeText(Tessaron::settingsPath(), nonsense));
    // Only 1 installs the Russian texts: 7, a word or nothing after the sign
    // installs none; an absent key keeps the first-start default.
    QCOMPARE(SettingsFile::savedLanguage(), Language::English);
    for (const auto &[line, expected] :
         {std::pair("language=abc\n", Language::English),
          std::pair("language=\n", Language::English), std::pair("language=1\n", Language::Russian),
          std::pair("join=1\n", Language::Russian)}) {
        QVERIFY(writeText(Tessaron::settingsPath(), QByteArray("[Config]\n") + line));
        QCOMPARE(SettingsFile::savedLanguage(), expected);
    }
    QVERIFY(writeText(Tessaron::settingsPath(), nonsense));
    {
        Tessaron window;
        window.show();
        window.readSettings(false);
        const ViewConfig &c = window.view()->State.Config;
        // Numbers out of range are clamped, anything else takes its default.
        QCOMPARE(std::tuple(c.pointThickness, c.lineThickness, c.axisThickness, c.printingQuality),
                 std::tuple(1, 1, 20, 4));
        QCOMPARE(std::tuple(c.language, c.join, c.isoline_V, c.isoline_width),
                 std::tuple(Language::English, JoinMode::OneZone, 0.8f, 1));
        QCOMPARE(std::tuple(c.selActiveMat, c.shade_type), std::tuple(quint8(0), quint8(1)));
        QCOMPARE((QStringList {c.background, c.frontFaces, c.axis, c.edges}),
                 (QStringList {"#000000", "#0000DD", "#FFFFFF", "#0a0B0c"}));
        window.close();
    }
    // What is written back is what was used.
    QSettings written(Tessaron::settingsPath(), QSettings::IniFormat);
    QCOMPARE(written.value("Config/pointThickness").toInt(), 1);
    QCOMPARE(written.value("Config/language").toInt(), 0);
    QCOMPARE(written.value("Colors/background").toString(), QString("#000000"));

    // The largest values the preferences dialog offers are kept as they are.
    QVERIFY(writeText(Tessaron::settingsPath(),
                      "[Config]\npointThickness=30\nselPointThickness=31\nlineThickness=20\n"
                      "printingQuality=64\nisoline_width=10\n"));
    Tessaron window;
    window.readSettings(false);
    const ViewConfig &c = window.view()->State.Config;
    QCOMPARE(std::tuple(c.pointThickness, c.selPointThickness, c.lineThickness, c.printingQuality,
                        c.isoline_width),
             std::tuple(30, 30, 20, 64, 10));
}

void TestBadSettings::homeNotSetOrNotThere()
{
    const QString fallback = passwordHome() + "/.Tessaron/config.ini";
    qunsetenv("HOME");
    QCOMPARE(Tessaron::settingsPath(), fallback);
    qputenv("HOME", "/nonexistent/home");
    QCOMPARE(Tessaron::settingsPath(), fallback);
    qputenv("HOME", "relative/home");
    QCOMPARE(Tessaron::settingsPath(), fallback);
    qputenv("HOME", home.path().toUtf8());
    QCOMPARE(Tessaron::settingsPath(), home.path() + "/.Tessaron/config.ini");

    // Without either, nothing is read or written: the defaults are used.
    QCOMPARE(SettingsFile::chooseHome("", ""), QString());
    QCOMPARE(SettingsFile::chooseHome("/nonexistent/a", "/nonexistent/b"), QString());
    QCOMPARE(SettingsFile::chooseHome("", home.path()), home.path());
}

QTEST_MAIN(TestBadSettings)
#include "test_bad_settings.moc"
