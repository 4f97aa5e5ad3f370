#include "SliceView.h"
#include "view/Orientation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

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
    const std::vector<quint8> grey = pictureGreys(slice, screen, windowLevel);
    Picture = QImage(int(screen.columns), int(screen.rows), QImage::Format_Grayscale8);
    for (int row = 0; row < Picture.height(); ++row)
        std::memcpy(Picture.scanLine(row), grey.data() + qint64(row) * screen.columns,
                    size_t(screen.columns));
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
    painter.resetTransform();
    paintBox(painter);
    paintEdgeLetters(painter, area);
}

void SliceView::setBoxDrawing(bool on)
{
    BoxDrawing = on;
    DragFrom.reset();
    update();
}

void SliceView::setBox(const std::optional<std::array<double, 4>> &box)
{
    Box = box;
    update();
}

// The search box where it crosses the plane, dashed, and the one being dragged.
void SliceView::paintBox(QPainter &painter) const
{
    painter.setBrush(Qt::NoBrush);
    if (Box) {
        const auto &b = *Box;
        const QPointF corners[] = {widgetPointOf(b[0], b[2]), widgetPointOf(b[1], b[2]),
                                   widgetPointOf(b[1], b[3]), widgetPointOf(b[0], b[3])};
        painter.setPen(QPen(QColor(0, 220, 255), 1.5, Qt::DashLine));
        painter.drawPolygon(corners, 4);
    }
    if (DragFrom) {
        painter.setPen(QPen(QColor(0, 220, 255), 1, Qt::DotLine));
        painter.drawRect(QRectF(*DragFrom, DragTo).normalized());
    }
}

// The sides of the patient the picture's edges face, at their middles.
void SliceView::paintEdgeLetters(QPainter &painter, const QRectF &area) const
{
    const auto &r = Screen.rightStep, &d = Screen.downStep;
    const double right[3] = {r[0], r[1], r[2]}, left[3] = {-r[0], -r[1], -r[2]};
    const double down[3] = {d[0], d[1], d[2]}, up[3] = {-d[0], -d[1], -d[2]};
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 220, 0));
    const QRectF inside = area.adjusted(4, 2, -4, -2);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, directionLetters(left));
    painter.drawText(inside, Qt::AlignRight | Qt::AlignVCenter, directionLetters(right));
    painter.drawText(inside, Qt::AlignHCenter | Qt::AlignTop, directionLetters(up));
    painter.drawText(inside, Qt::AlignHCenter | Qt::AlignBottom, directionLetters(down));
}

void SliceView::mouseMoveEvent(QMouseEvent *event)
{
    if (DragFrom) {
        DragTo = event->position();
        update();
    }
    if (const auto pixel = pixelAt(event->position()))
        emit hovered((*pixel)[0], (*pixel)[1]);
    else
        emit left();
}

void SliceView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (BoxDrawing && pictureRect().contains(event->position())) {
        DragFrom = DragTo = event->position();
        return;
    }
    if (const auto pixel = pixelAt(event->position()))
        emit clicked((*pixel)[0], (*pixel)[1]);
}

void SliceView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!DragFrom || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const QPointF from = *DragFrom, to = event->position();
    DragFrom.reset();
    update();
    // A drag that ends outside the picture ends at its edge.
    const QRectF area = pictureRect().adjusted(0, 0, -0.01, -0.01);
    const QPointF end(std::clamp(to.x(), area.left(), area.right()),
                      std::clamp(to.y(), area.top(), area.bottom()));
    const auto a = pixelAt(from), b = pixelAt(end);
    if (a && b && (end - from).manhattanLength() >= 4)
        emit boxDragged((*a)[0], (*a)[1], (*b)[0], (*b)[1]);
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
