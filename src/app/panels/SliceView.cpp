#include "SliceView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// The screen's right and down in world directions, per SliceOrientation
// (sagittal, coronal, axial); see screenOf.
constexpr double kRight[kSliceOrientations][3] = {{0, -1, 0}, {-1, 0, 0}, {-1, 0, 0}};
constexpr double kDown[kSliceOrientations][3] = {{0, 0, -1}, {0, 0, -1}, {0, -1, 0}};

double dot(const double a[3], const double b[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double lengthOf(const double a[3])
{
    const double length = std::sqrt(dot(a, a));
    return length > 0 && std::isfinite(length) ? length : 1;
}

} // namespace

QPointF SliceScreen::toPicture(double u, double v) const
{
    double column = transposed ? v : u;
    double row = transposed ? u : v;
    if (flipColumns)
        column = double(columns - 1) - column;
    if (flipRows)
        row = double(rows - 1) - row;
    return {column + 0.5, row + 0.5};
}

std::array<double, 2> SliceScreen::toSlice(QPointF picture) const
{
    double column = picture.x() - 0.5;
    double row = picture.y() - 0.5;
    if (flipColumns)
        column = double(columns - 1) - column;
    if (flipRows)
        row = double(rows - 1) - row;
    return transposed ? std::array<double, 2> {row, column} : std::array<double, 2> {column, row};
}

SliceScreen screenOf(const ImageSlice &slice, SliceOrientation orientation)
{
    const double *right = kRight[int(orientation)];
    const double *down = kDown[int(orientation)];
    SliceScreen screen;
    screen.transposed = std::abs(dot(slice.stepV, right)) > std::abs(dot(slice.stepU, right));
    const double *columnStep = screen.transposed ? slice.stepV : slice.stepU;
    const double *rowStep = screen.transposed ? slice.stepU : slice.stepV;
    screen.flipColumns = dot(columnStep, right) < 0;
    screen.flipRows = dot(rowStep, down) < 0;
    screen.columns = screen.transposed ? slice.height : slice.width;
    screen.rows = screen.transposed ? slice.width : slice.height;
    screen.columnMm = lengthOf(columnStep);
    screen.rowMm = lengthOf(rowStep);
    return screen;
}

SliceView::SliceView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("sliceView");
    setMouseTracking(true);
    setMinimumSize(120, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SliceView::setPicture(const ImageSlice &slice, const SliceScreen &screen,
                           WindowLevel windowLevel)
{
    Screen = screen;
    if (slice.isEmpty()) {
        Picture = QImage();
        Outlines.clear();
        update();
        return;
    }
    const std::vector<quint8> grey = windowed(slice, windowLevel);
    Picture = QImage(int(screen.columns), int(screen.rows), QImage::Format_Grayscale8);
    for (qint64 v = 0; v < slice.height; ++v)
        for (qint64 u = 0; u < slice.width; ++u) {
            const QPointF at = screen.toPicture(double(u), double(v));
            Picture.scanLine(int(at.y()))[int(at.x())] = grey[size_t(u + slice.width * v)];
        }
    update();
}

void SliceView::setOutlines(std::vector<SliceOutline> outlines)
{
    Outlines = std::move(outlines);
    update();
}

QRectF SliceView::pictureRect() const
{
    if (Picture.isNull())
        return {};
    const double widthMm = double(Screen.columns) * Screen.columnMm;
    const double heightMm = double(Screen.rows) * Screen.rowMm;
    const double scale = std::min(width() / widthMm, height() / heightMm);
    const QSizeF size(widthMm * scale, heightMm * scale);
    return {QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

QPointF SliceView::widgetPointOf(double u, double v) const
{
    const QRectF area = pictureRect();
    const QPointF at = Screen.toPicture(u, v);
    return area.topLeft()
        + QPointF(at.x() * area.width() / double(Screen.columns),
                  at.y() * area.height() / double(Screen.rows));
}

std::optional<std::array<qint64, 2>> SliceView::pixelAt(QPointF widget) const
{
    const QRectF area = pictureRect();
    if (area.isEmpty() || !area.contains(widget))
        return std::nullopt;
    const QPointF at((widget.x() - area.left()) * double(Screen.columns) / area.width(),
                     (widget.y() - area.top()) * double(Screen.rows) / area.height());
    const std::array<double, 2> uv = Screen.toSlice(at);
    const qint64 width = Screen.transposed ? Screen.rows : Screen.columns;
    const qint64 height = Screen.transposed ? Screen.columns : Screen.rows;
    return std::array<qint64, 2> {std::clamp<qint64>(std::llround(uv[0]), 0, width - 1),
                                  std::clamp<qint64>(std::llround(uv[1]), 0, height - 1)};
}

void SliceView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRectF area = pictureRect();
    if (area.isEmpty())
        return;
    painter.drawImage(area, Picture);
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(area.width() / double(Screen.columns), area.height() / double(Screen.rows));
    for (const SliceOutline &outline : Outlines) {
        QPen pen(outline.colour, 0); // cosmetic: one screen pixel at any scale
        painter.setPen(pen);
        painter.drawLines(outline.lines.data(), int(outline.lines.size()));
    }
}

void SliceView::mouseMoveEvent(QMouseEvent *event)
{
    if (const auto pixel = pixelAt(event->position()))
        emit hovered((*pixel)[0], (*pixel)[1]);
    else
        emit left();
}

void SliceView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (const auto pixel = pixelAt(event->position()))
        emit clicked((*pixel)[0], (*pixel)[1]);
}

void SliceView::wheelEvent(QWheelEvent *event)
{
    // Some systems turn a wheel held with Shift into a horizontal one.
    const QPoint delta = event->angleDelta();
    WheelRest += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = WheelRest / 120; // a notch is 15 degrees, 120 eighths
    WheelRest -= notches * 120;
    if (notches != 0)
        emit wheeled(event->modifiers() & Qt::ShiftModifier ? 10 * notches : notches);
    event->accept();
}

void SliceView::leaveEvent(QEvent *event)
{
    emit left();
    QWidget::leaveEvent(event);
}
