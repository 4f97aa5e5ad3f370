// The icon set as the resource compiler and Qt's SVG renderer see it: every entry of the
// resource file points at a drawing that exists, parses without a warning, stays inside the
// subset the renderer draws, uses the common 64-unit grid and actually puts ink on the canvas.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QStringList g_messages;

void collectMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        g_messages << message;
}

struct QrcEntry
{
    QString alias;
    QString file;
};

QList<QrcEntry> readQrc(const QString &path)
{
    QList<QrcEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("file")) {
            const QString alias = xml.attributes().value(QStringLiteral("alias")).toString();
            entries.append({alias, xml.readElementText()});
        }
    }
    return entries;
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void icon_data();
    void icon();
    void resourceFileCoversFolder();
    void desktopEntry();
};

void TestIcons::icon_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("file");
    const QList<QrcEntry> entries = readQrc(QStringLiteral(ICONS_DIR "/icons.qrc"));
    QVERIFY2(entries.size() > 40, "icons.qrc lists too few icons");
    for (const QrcEntry &e : entries)
        QTest::newRow(qPrintable(e.alias)) << e.alias << e.file;
}

void TestIcons::icon()
{
    QFETCH(QString, alias);
    QFETCH(QString, file);

    // The resource path is ":/" + alias, and the file carries the same name.
    QCOMPARE(file, alias + QStringLiteral(".svg"));
    const QString path = QStringLiteral(ICONS_DIR "/") + file;
    QFile source(path);
    QVERIFY2(source.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(path));
    const QString text = QString::fromUtf8(source.readAll());

    // Filters, masks, clipping, CSS and embedded text are dropped or drawn differently by
    // the renderer; shapes and simple gradients are all the set uses.
    static const QRegularExpression unsupported(
        QStringLiteral("<(filter|mask|clipPath|style|text|image|pattern|symbol|use)\\b|\\bclass="));
    const QRegularExpressionMatch bad = unsupported.match(text);
    QVERIFY2(!bad.hasMatch(), qPrintable(QStringLiteral("uses ") + bad.captured(0)));

    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
    QSvgRenderer renderer(path);
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    qInstallMessageHandler(previous);
    QVERIFY(renderer.isValid());
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 64, 64));

    // A drawing whose shapes all fail to render leaves the canvas empty; require real ink.
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    QVERIFY2(opaque > 32 * 32 / 10,
             qPrintable(QStringLiteral("only %1 opaque pixels").arg(opaque)));
}

void TestIcons::resourceFileCoversFolder()
{
    QStringList aliases;
    for (const QrcEntry &e : readQrc(QStringLiteral(ICONS_DIR "/icons.qrc")))
        aliases << e.alias;
    const qsizetype count = aliases.size();
    aliases.removeDuplicates();
    QCOMPARE(aliases.size(), count);

    // Every drawing in the folder is reachable through the resource file.
    const QStringList files = QDir(QStringLiteral(ICONS_DIR)).entryList({QStringLiteral("*.svg")});
    for (const QString &f : files)
        QVERIFY2(aliases.contains(f.chopped(4)), qPrintable(f + QStringLiteral(" is not listed")));
}

void TestIcons::desktopEntry()
{
    QFile file(QStringLiteral(APP_DIR "/tessaron.desktop"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
    QHash<QString, QString> keys;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(keys.value(QStringLiteral("Name")), QStringLiteral("Tessaron"));
    QVERIFY(keys.value(QStringLiteral("Exec")).startsWith(QStringLiteral("tessaron")));
    QVERIFY(keys.value(QStringLiteral("Categories")).endsWith(QLatin1Char(';')));
    // The launcher finds the icon by this name once it is installed beside the others.
    const QString icon = keys.value(QStringLiteral("Icon"));
    QVERIFY(QFile::exists(QStringLiteral(ICONS_DIR "/") + icon + QStringLiteral(".svg")));
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
