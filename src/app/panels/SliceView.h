#pragma once

#include "model/ImageSlice.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

// How the pixels (u, v) of a slice lie in its picture: which of u and v runs
// across the screen, and whether either runs backwards. The picture has
// `columns` × `rows` pixels, one per voxel; `columnMm` and `rowMm` are the
// millimetres one picture pixel spans across and down.
struct SliceScreen
{
    bool transposed = false; // columns follow v, rows follow u
    bool flipColumns = false;
    bool flipRows = false;
    qint64 columns = 0;
    qint64 rows = 0;
    double columnMm = 1;
    double rowMm = 1;

    // The picture position (pixel centres at half-integers) of a fractional
    // slice pixel, and back.
    QPointF toPicture(double u, double v) const;
    std::array<double, 2> toSlice(QPointF picture) const;
};

// The usual radiological orientation of a slice: the screen's right and
// down as world directions (x to the patient's right, y to the front, z to
// the head). Axial: seen from the feet, the patient's right on the screen's
// left and the front at the top. Coronal: seen from the front, the patient's
// right on the left, the head at the top. Sagittal: seen from the patient's
// left, the front on the left, the head at the top. Whichever slice axis
// runs most nearly along the screen's right becomes the columns, the other
// the rows, and each runs backwards when its world step points against the
// screen direction; so (u, v) lands the same way for any storage order.
SliceScreen screenOf(const ImageSlice &slice, SliceOrientation orientation);

// One model's outline on a slice: segments in picture coordinates.
struct SliceOutline
{
    QColor colour;
    std::vector<QLineF> lines;
};

// The picture of one slice, its greys under a window, scaled to fit the
// widget with the true millimetre aspect, the models' outlines drawn over
// it. It tells where the cursor is, a left click and the wheel in slice
// pixels; what they do is the panel's business.
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

signals:
    void hovered(qint64 u, qint64 v);
    void left();
    void clicked(qint64 u, qint64 v);
    // Wheel steps, Shift held: ten per notch, else one.
    void wheeled(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QImage Picture; // columns × rows greys, one pixel per voxel
    SliceScreen Screen;
    std::vector<SliceOutline> Outlines;
    int WheelRest = 0; // eighths of a degree not yet turned into a step
};
