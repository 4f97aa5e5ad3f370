#pragma once

#include "model/SliceScreen.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

// One model's outline on a slice: segments in picture coordinates.
struct SliceOutline
{
    QColor colour;
    std::vector<QLineF> lines;
};

// The picture of one slice, its greys under a window, scaled to fit the
// widget with the true millimetre aspect, the models' outlines drawn over
// it, the sides of the patient its edges face at their middles. It tells where the cursor is, a
// left click and the wheel in slice pixels; what they do is the panel's business.
class QPainter;

class SliceView : public QWidget
{
    Q_OBJECT

public:
    explicit SliceView(QWidget *parent = nullptr);

    // The slice's greys under the window; an empty slice clears the picture.
    void setPicture(const ImageSlice &slice, const SliceScreen &screen, WindowLevel windowLevel);
    void setOutlines(std::vector<SliceOutline> outlines);
    const QImage &picture() const { return Picture; }
    const SliceScreen &screen() const { return Screen; }

    // Where the picture lies in the widget, and the widget point of a
    // fractional slice pixel.
    QRectF pictureRect() const;
    QPointF widgetPointOf(double u, double v) const;
    // The slice pixel under a widget point; none outside the picture.
    std::optional<std::array<qint64, 2>> pixelAt(QPointF widget) const;

    QSize sizeHint() const override { return {320, 320}; }

    // With box drawing on, a left drag draws a rectangle and reports it
    // instead of a click.
    void setBoxDrawing(bool on);
    // The box a search stays in where it crosses this plane, in fractional
    // slice pixels (u0, u1, v0, v1); none hides it.
    void setBox(const std::optional<std::array<double, 4>> &box);
    const std::optional<std::array<double, 4>> &box() const { return Box; }

signals:
    void hovered(qint64 u, qint64 v);
    void left();
    void clicked(qint64 u, qint64 v);
    // Wheel steps, Shift held: ten per notch, else one.
    void wheeled(int steps);
    // A rectangle dragged with box drawing on: its corner pixels.
    void boxDragged(qint64 u0, qint64 v0, qint64 u1, qint64 v1);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintEdgeLetters(QPainter &painter, const QRectF &area) const;
    void paintBox(QPainter &painter) const;

    QImage Picture; // columns × rows greys, one pixel per voxel
    SliceScreen Screen;
    std::vector<SliceOutline> Outlines;
    int WheelRest = 0; // eighths of a degree not yet turned into a step
    bool BoxDrawing = false;
    std::optional<QPointF> DragFrom; // widget points of a box being dragged
    QPointF DragTo;
    std::optional<std::array<double, 4>> Box;
};
