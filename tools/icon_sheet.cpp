// Renders every icon listed in an icon resource file onto one contact sheet: each icon at
// 64, 32 and 16 pixels on a light and on a dark background, with its resource name. With
// --magnify the renderings at --base pixels (32 unless given) are enlarged without smoothing,
// so that blurred edges (lines off the pixel grid) are easy to spot.
//
//   icon_sheet src/app/icons/icons.qrc docs/icons.png
//   icon_sheet src/app/icons/icons.qrc /tmp/zoom.png --magnify 6 --only open,save,print
//   icon_sheet src/app/icons/icons.qrc /tmp/app.png --magnify 1 --base 256 --only tessaron
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cstdio>
#include <vector>

namespace {

struct Entry
{
    QString alias;
    QString path;
};

std::vector<Entry> readQrc(const QString &qrcPath)
{
    std::vector<Entry> entries;
    QFile file(qrcPath);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QString dir = QFileInfo(qrcPath).absolutePath();
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("file"))
            continue;
        QString alias = xml.attributes().value(QStringLiteral("alias")).toString();
        const QString name = xml.readElementText();
        entries.push_back({alias.isEmpty() ? name : alias, dir + QLatin1Char('/') + name});
    }
    return entries;
}

QImage renderIcon(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

// One panel: a grid of cells, each holding the 64-, 32- and 16-pixel renderings and the name.
QImage contactPanel(const std::vector<Entry> &entries, QColor background, QColor text)
{
    const int columns = 6;
    const int cellW = 176;
    const int cellH = 96;
    const int rows = int((entries.size() + columns - 1) / columns);
    QImage panel(columns * cellW + 16, rows * cellH + 16, QImage::Format_ARGB32_Premultiplied);
    panel.fill(background);
    QPainter painter(&panel);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(text);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int x = 8 + int(i % columns) * cellW;
        const int y = 8 + int(i / columns) * cellH;
        QSvgRenderer renderer(entries[i].path);
        if (!renderer.isValid()) {
            painter.fillRect(x, y, 64, 64, Qt::red);
        } else {
            painter.drawImage(x + 4, y + 4, renderIcon(renderer, 64));
            painter.drawImage(x + 80, y + 4 + 16, renderIcon(renderer, 32));
            painter.drawImage(x + 124, y + 4 + 24, renderIcon(renderer, 16));
        }
        painter.drawText(QRect(x, y + 70, cellW - 8, 20), Qt::AlignLeft | Qt::AlignVCenter,
                         entries[i].alias);
    }
    return panel;
}

QImage magnifiedPanel(const std::vector<Entry> &entries, int base, int factor, QColor background)
{
    const int size = base * factor;
    const int gap = 8;
    QImage panel(int(entries.size()) * (size + gap) + gap, size + 2 * gap,
                 QImage::Format_ARGB32_Premultiplied);
    panel.fill(background);
    QPainter painter(&panel);
    for (size_t i = 0; i < entries.size(); ++i) {
        QSvgRenderer renderer(entries[i].path);
        const QImage small = renderIcon(renderer, base);
        painter.drawImage(gap + int(i) * (size + gap), gap,
                          small.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    return panel;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: icon_sheet ICONS.qrc OUT.png [--magnify N [--base S]] [--only a,b]\n");
        return 2;
    }
    std::vector<Entry> entries = readQrc(args[1]);
    if (entries.empty()) {
        std::fprintf(stderr, "icon_sheet: no icons in %s\n", qPrintable(args[1]));
        return 1;
    }
    int magnify = 0;
    int base = 32;
    QStringList only;
    for (int i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--magnify"))
            magnify = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--base"))
            base = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1].split(QLatin1Char(','));
    }
    if (!only.isEmpty()) {
        std::vector<Entry> chosen;
        for (const QString &name : only)
            for (const Entry &e : entries)
                if (e.alias == name)
                    chosen.push_back(e);
        entries = chosen;
    }

    QImage light, dark;
    if (magnify > 0) {
        light = magnifiedPanel(entries, base, magnify, QColor(0xf3, 0xf3, 0xf3));
        dark = magnifiedPanel(entries, base, magnify, QColor(0x2b, 0x2b, 0x2b));
    } else {
        light = contactPanel(entries, QColor(0xf3, 0xf3, 0xf3), QColor(0x20, 0x20, 0x20));
        dark = contactPanel(entries, QColor(0x2b, 0x2b, 0x2b), QColor(0xe0, 0xe0, 0xe0));
    }
    QImage sheet(light.width(), light.height() + dark.height(), QImage::Format_ARGB32);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, light);
    painter.drawImage(0, light.height(), dark);
    painter.end();
    if (!sheet.save(args[2])) {
        std::fprintf(stderr, "icon_sheet: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
