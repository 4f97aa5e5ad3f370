// The case sheet's page: header, the three views, the legend, the tables
// and the footer, laid out in millimetres on any paged device. The tables
// take the largest type that lets everything fit the first page; when none
// does, they go on to further pages, their headings repeated.

#include "CaseSheet.h"

#include "Drawing.h"
#include "measure/MeasureReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <algorithm>
#include <numeric>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CaseSheet)
};

constexpr double kMarginMm = 12;
constexpr double kColumnGapMm = 2.5;
constexpr double kViewGapMm = 4;
// Type sizes of the legend and tables, tried largest first.
constexpr double kTypeSizes[] = {8.0, 7.0, 6.0};
// On further pages the tables keep this size.
constexpr double kFlowTypeSize = 7.0;
const QColor kRuleColour(150, 150, 150);
const QColor kQuietColour(90, 90, 90);
const QColor kMarkColour(204, 13, 13); // the measured gap, as the views draw it

QFont sheetFont(double points, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A table laid out for one type size: its columns' widths, and per cell
// whether it runs on over the empty cells after it (a row's last words).
struct ColumnPlan
{
    std::vector<double> widths;
};

class PageLayout
{
public:
    PageLayout(const CaseSheet &sheet, QPagedPaintDevice &device, QPainter *painter)
        : Sheet(sheet)
        , Device(device)
        , Painter(painter)
    {
        Mm = device.logicalDpiY() / 25.4;
        Width = device.width();
        Bottom = device.height() - footerHeight();
    }

    // Lays out (and, with a painter, paints) every page; the page count.
    int run(int totalPages)
    {
        Total = totalPages;
        Pages = 1;
        startPage();
        header();
        views();
        slice();
        const double typeSize = chooseTypeSize();
        Flowing = false;
        legend(typeSize);
        for (const measure::Table &table : measure::sceneTables(Sheet.measured, true))
            tableBlock(table, Flowing ? kFlowTypeSize : typeSize);
        return Pages;
    }

private:
    double px(double mm) const { return mm * Mm; }
    QFontMetricsF metrics(const QFont &font) const { return QFontMetricsF(font, &Device); }
    double lineHeight(const QFont &font) const { return metrics(font).height() * 1.25; }
    double footerHeight() const { return lineHeight(sheetFont(7.5)) + px(2); }

    void text(const QRectF &box, const QFont &font, const QString &s, const QColor &colour,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
              Qt::TextElideMode elide = Qt::ElideRight)
    {
        if (!Painter)
            return;
        Painter->setFont(font);
        Painter->setPen(colour);
        const QString shown = metrics(font).elidedText(s, elide, box.width());
        Painter->drawText(box, int(align) | Qt::TextSingleLine, shown);
    }

    void rule(double at)
    {
        if (!Painter)
            return;
        Painter->setPen(QPen(kRuleColour, px(0.2)));
        Painter->drawLine(QPointF(0, at), QPointF(Width, at));
    }

    void startPage()
    {
        Y = 0;
        const QFont font = sheetFont(7.5);
        const double h = lineHeight(font);
        const QRectF line(0, Device.height() - h, Width, h);
        rule(line.top() - px(1));
        const QString page =
            Total > 1 ? Text::tr("Page %1 of %2").arg(Pages).arg(Total) : QString();
        const double pageWidth = page.isEmpty() ? 0 : metrics(font).horizontalAdvance(page) + px(3);
        text(line.adjusted(0, 0, -pageWidth, 0), font,
             Text::tr("Measurements from the surfaces as loaded; not a diagnosis."), Qt::black);
        text(line, font, page, kQuietColour, Qt::AlignRight | Qt::AlignVCenter);
    }

    void newPage()
    {
        if (Painter)
            Device.newPage();
        ++Pages;
        Flowing = true;
        startPage();
        const QFont font = sheetFont(8, true);
        const double h = lineHeight(font);
        text(QRectF(0, Y, Width, h), font, Text::tr("%1 (continued)").arg(Sheet.title), Qt::black);
        Y += h + px(1);
        rule(Y);
        Y += px(2);
    }

    void header()
    {
        const QFont title = sheetFont(15, true), small = sheetFont(8.5);
        const double th = lineHeight(title), sh = lineHeight(small);
        text(QRectF(0, Y, Width, th), title, Sheet.title, Qt::black);
        Y += th;
        if (!Sheet.folder.isEmpty()) {
            text(QRectF(0, Y, Width, sh), small,
                 Text::tr("Folder: %1").arg(sheet::shownFolder(Sheet.folder)), kQuietColour,
                 Qt::AlignLeft | Qt::AlignVCenter, Qt::ElideMiddle);
            Y += sh;
        }
        text(
            QRectF(0, Y, Width, sh), small,
            Text::tr("Made %1 with %2")
                .arg(Sheet.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")), sheet::programText()),
            kQuietColour);
        Y += sh + px(1);
        rule(Y);
        Y += px(3);
    }

    void views()
    {
        const QFont font = sheetFont(8, true);
        const double lh = lineHeight(font);
        const double side = (Width - 2 * px(kViewGapMm)) / 3;
        for (std::size_t k = 0; k < 3; ++k) {
            const double x = double(k) * (side + px(kViewGapMm));
            text(QRectF(x, Y, side, lh), font, Sheet.views[k].label, Qt::black);
            paintView(Sheet.views[k], QRectF(x, Y + lh, side, side));
        }
        Y += lh + side + px(4);
    }

    // The CT slice through the largest stone, as large as a view, its
    // caption beside it.
    void slice()
    {
        const SheetSlice &slice = Sheet.slice;
        if (slice.empty())
            return;
        const QFont bold = sheetFont(8, true), font = sheetFont(8);
        const double lh = lineHeight(bold), side = (Width - 2 * px(kViewGapMm)) / 3;
        text(QRectF(0, Y, side, lh), bold, Text::tr("CT through the largest stone"), Qt::black);
        const QRectF frame(0, Y + lh, side, side);
        if (Painter) {
            const QRectF inside = frame.adjusted(px(0.5), px(0.5), -px(0.5), -px(0.5));
            const QSizeF size =
                QSizeF(slice.image.size()).scaled(inside.size(), Qt::KeepAspectRatio);
            Painter->fillRect(inside, Qt::black);
            Painter->drawImage(
                QRectF(inside.center() - QPointF(size.width(), size.height()) / 2, size),
                slice.image);
            // Read as a CT is: the patient's right on the left, the front up.
            const double right[3] = {1, 0, 0}, front[3] = {0, 1, 0};
            const double leftSide[3] = {-1, 0, 0}, back[3] = {0, -1, 0};
            edgeLetters({directionLetters(right), directionLetters(leftSide),
                         directionLetters(front), directionLetters(back)},
                        inside, Qt::white);
            Painter->setPen(QPen(kRuleColour, px(0.25)));
            Painter->setBrush(Qt::NoBrush);
            Painter->drawRect(frame);
        }
        const double x = side + px(kViewGapMm), lineH = lineHeight(font);
        const QStringList lines {
            Text::tr("Axial plane through the centre of %1").arg(slice.stone),
            Text::tr("Plane %1 of %2 of the image").arg(slice.plane).arg(slice.planes),
            Text::tr("Window %1 / level %2 HU").arg(sheet::kSliceWindow).arg(sheet::kSliceLevel),
            Text::tr("The patient's right on the left, the front up"),
            Text::tr("Outlines: the visible models where the plane cuts them, in their colours")};
        double y = Y + lh;
        for (const QString &line : lines) {
            text(QRectF(x, y, Width - x, lineH), font, line, Qt::black);
            y += lineH;
        }
        Y += lh + side + px(4);
    }

    void paintView(const SheetView &view, const QRectF &frame)
    {
        if (!Painter)
            return;
        const QRectF inside = frame.adjusted(px(0.5), px(0.5), -px(0.5), -px(0.5));
        if (!view.svg.isEmpty()) {
            QSvgRenderer renderer(view.svg);
            Painter->save();
            Painter->setClipRect(inside);
            renderer.render(Painter, inside);
            Painter->restore();
        } else if (!view.image.isNull()) {
            Painter->drawImage(inside, view.image);
        } else {
            text(inside, sheetFont(8), Text::tr("no picture"), kQuietColour, Qt::AlignCenter);
        }
        viewLabels(view, inside);
        edgeLetters(view.letters, inside, kQuietColour);
        Painter->setPen(QPen(kRuleColour, px(0.25)));
        Painter->setBrush(Qt::NoBrush);
        Painter->drawRect(frame);
    }

    // The patient's sides at the middles of a picture's edges, inside it.
    void edgeLetters(const EdgeLetters &letters, const QRectF &inside, const QColor &colour)
    {
        const QFont font = sheetFont(8, true);
        const double size = lineHeight(font), pad = px(0.8);
        const QRectF left(inside.left() + pad, inside.center().y() - size / 2, 2 * size, size);
        const QRectF right(inside.right() - pad - 2 * size, left.top(), 2 * size, size);
        const QRectF top(inside.center().x() - size, inside.top() + pad, 2 * size, size);
        const QRectF bottom(top.left(), inside.bottom() - pad - size, 2 * size, size);
        text(left, font, letters.left, colour, Qt::AlignLeft | Qt::AlignVCenter);
        text(right, font, letters.right, colour, Qt::AlignRight | Qt::AlignVCenter);
        text(top, font, letters.top, colour, Qt::AlignHCenter | Qt::AlignTop);
        text(bottom, font, letters.bottom, colour, Qt::AlignHCenter | Qt::AlignBottom);
    }

    // The labels of a drawing (a gap's length) as text of the page, each on
    // a white box beside its point so that it reads over the models.
    void viewLabels(const SheetView &view, const QRectF &inside)
    {
        const QFont font = sheetFont(7, true);
        Painter->setFont(font);
        const QFontMetrics fm(font, &Device);
        for (const SheetView::Label &label : view.labels) {
            const QPointF at(inside.left() + label.at.x() * inside.width(),
                             inside.top() + label.at.y() * inside.height());
            if (!inside.contains(at))
                continue;
            const QRectF box = labelBox(fm, at, label.text);
            Painter->setPen(QPen(kMarkColour, px(0.15)));
            Painter->setBrush(QColor(255, 255, 255, 230));
            Painter->drawRect(box);
            Painter->setPen(kMarkColour);
            Painter->drawText(box, Qt::AlignCenter, label.text);
        }
    }

    // The legend: three columns of colour swatch and name.
    static constexpr int kLegendColumns = 3;
    int legendRows() const
    {
        const int n = int(std::count_if(Sheet.measured.models.begin(), Sheet.measured.models.end(),
                                        [](const measure::ModelReport &m) { return m.visible; }));
        return (n + kLegendColumns - 1) / kLegendColumns;
    }

    double legendHeight(double size) const
    {
        return lineHeight(sheetFont(size, true)) + legendRows() * lineHeight(sheetFont(size))
            + px(3);
    }

    void legend(double size)
    {
        const QFont bold = sheetFont(size, true), font = sheetFont(size);
        const double head = lineHeight(bold), lh = lineHeight(font);
        if (Y + head + lh > Bottom)
            newPage();
        text(QRectF(0, Y, Width, head), bold, Text::tr("Legend"), Qt::black);
        Y += head;
        const int rows = legendRows();
        const double column = Width / kLegendColumns;
        int i = 0;
        double top = Y;
        for (const measure::ModelReport &model : Sheet.measured.models) {
            if (!model.visible)
                continue;
            const int row = i % std::max(rows, 1), col = i / std::max(rows, 1);
            ++i;
            const QRectF cell(col * column, top + row * lh, column - px(kColumnGapMm), lh);
            swatch(cell, model.colour, lh);
            text(cell.adjusted(lh, 0, 0, 0), font, measure::shownName(model), Qt::black);
        }
        Y = top + rows * lh + px(3);
    }

    void swatch(const QRectF &cell, const std::array<int, 3> &colour, double lh)
    {
        if (!Painter)
            return;
        const double s = lh * 0.6;
        const QRectF box(cell.left(), cell.center().y() - s / 2, s, s);
        Painter->setPen(QPen(Qt::black, px(0.15)));
        Painter->setBrush(QColor(std::clamp(colour[0], 0, 255), std::clamp(colour[1], 0, 255),
                                 std::clamp(colour[2], 0, 255)));
        Painter->drawRect(box);
    }

    // A cell whose following cells are all empty runs on over them.
    static bool runsOn(const QStringList &row, qsizetype c)
    {
        for (qsizetype k = c + 1; k < row.size(); ++k)
            if (!row[k].isEmpty())
                return false;
        return c + 1 < row.size();
    }

    ColumnPlan plan(const measure::Table &table, double size) const
    {
        const QFontMetricsF bold = metrics(sheetFont(size, true)), plain = metrics(sheetFont(size));
        const double swatchWidth = lineHeight(sheetFont(size));
        ColumnPlan p;
        for (const QString &h : table.header)
            p.widths.push_back(bold.horizontalAdvance(h) + px(kColumnGapMm));
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QStringList &row = table.rows[r];
            for (qsizetype c = 0; c < row.size() && std::size_t(c) < p.widths.size(); ++c) {
                if (runsOn(row, c))
                    continue;
                double w = plain.horizontalAdvance(row[c]) + px(kColumnGapMm);
                if (c == 0 && r < table.swatches.size())
                    w += swatchWidth;
                p.widths[std::size_t(c)] = std::max(p.widths[std::size_t(c)], w);
            }
        }
        // Too wide: the widest columns give way, down to a share of the page;
        // their texts are then shortened with an ellipsis.
        const double floor = Width / (3.0 * std::max<std::size_t>(p.widths.size(), 1));
        for (int guard = 0; guard < 64; ++guard) {
            const double total = std::accumulate(p.widths.begin(), p.widths.end(), 0.0);
            if (total <= Width)
                break;
            auto widest = std::max_element(p.widths.begin(), p.widths.end());
            *widest = std::max(floor, *widest - (total - Width));
            if (*widest == floor)
                break;
        }
        return p;
    }

    double tableHeight(const measure::Table &table, double size) const
    {
        const double bold = lineHeight(sheetFont(size, true)), plain = lineHeight(sheetFont(size));
        const qsizetype notes = table.note.isEmpty() ? 0 : table.note.count(QLatin1Char('\n')) + 1;
        return 2 * bold + double(table.rows.size() + notes) * plain + px(3);
    }

    void tableHead(const measure::Table &table, const ColumnPlan &p, double size, bool continued)
    {
        const QFont bold = sheetFont(size, true);
        const double h = lineHeight(bold);
        const QString title = continued ? Text::tr("%1 (continued)").arg(table.title) : table.title;
        text(QRectF(0, Y, Width, h), bold, title, Qt::black);
        Y += h;
        double x = 0;
        for (std::size_t c = 0; c < p.widths.size() && qsizetype(c) < table.header.size(); ++c) {
            text(QRectF(x, Y, p.widths[c] - px(kColumnGapMm), h), bold, table.header[qsizetype(c)],
                 kQuietColour);
            x += p.widths[c];
        }
        Y += h;
        rule(Y);
    }

    void tableBlock(const measure::Table &table, double size)
    {
        const ColumnPlan p = plan(table, size);
        const QFont font = sheetFont(size), bold = sheetFont(size, true);
        const double lh = lineHeight(font);
        if (Y + 2 * lineHeight(bold) + lh > Bottom)
            newPage();
        tableHead(table, p, size, false);
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            if (Y + lh > Bottom) {
                newPage();
                tableHead(table, p, size, true);
            }
            const QStringList &row = table.rows[r];
            double x = 0;
            for (qsizetype c = 0; c < row.size() && std::size_t(c) < p.widths.size(); ++c) {
                double w = p.widths[std::size_t(c)];
                if (runsOn(row, c))
                    w = std::accumulate(p.widths.begin() + c, p.widths.end(), 0.0);
                QRectF cell(x, Y, w - px(kColumnGapMm), lh);
                if (c == 0 && r < table.swatches.size()) {
                    swatch(cell, table.swatches[r], lh);
                    cell.adjust(lh, 0, 0, 0);
                }
                text(cell, font, row[c], Qt::black);
                if (runsOn(row, c))
                    break;
                x += p.widths[std::size_t(c)];
            }
            Y += lh;
        }
        // A note of several lines: the side warnings under the models.
        const QStringList notes = table.note.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &note : notes) {
            if (Y + lh > Bottom)
                newPage();
            text(QRectF(0, Y, Width, lh), sheetFont(size, false, true), note, Qt::black);
            Y += lh;
        }
        Y += px(3);
    }

    // The largest type at which the legend and every table fit below the views.
    double chooseTypeSize() const
    {
        for (double size : kTypeSizes) {
            double need = legendHeight(size);
            for (const measure::Table &table : measure::sceneTables(Sheet.measured, true))
                need += tableHeight(table, size);
            if (Y + need <= Bottom)
                return size;
        }
        return kFlowTypeSize;
    }

    const CaseSheet &Sheet;
    QPagedPaintDevice &Device;
    QPainter *Painter;
    double Mm = 1, Width = 0, Bottom = 0, Y = 0;
    int Pages = 1, Total = 1;
    bool Flowing = false;
};

} // namespace

namespace sheet {

QString shownFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(folder), home = QDir::cleanPath(QDir::homePath());
    if (clean == home)
        return QStringLiteral("~");
    if (home != QLatin1String("/") && clean.startsWith(home + QLatin1Char('/')))
        return QStringLiteral("~") + clean.mid(home.size());
    return QFileInfo(clean).fileName();
}

QString programText()
{
    return QStringLiteral("Tessaron %1").arg(QStringLiteral(TESSARON_VERSION));
}

int paint(const CaseSheet &sheet, QPagedPaintDevice &device)
{
    // A first pass counts the pages, so that each can say "Page n of m".
    const int pages = PageLayout(sheet, device, nullptr).run(1);
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PageLayout(sheet, device, &painter).run(pages);
    return pages;
}

QString writePdf(const CaseSheet &sheet, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Text::tr("Cannot write %1: %2").arg(fileName, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(sheet.title);
        writer.setCreator(programText());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        paint(sheet, writer);
    }
    if (!file.commit())
        return Text::tr("Cannot write %1: %2").arg(fileName, file.errorString());
    return QString();
}

} // namespace sheet
