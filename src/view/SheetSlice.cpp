// The case sheet's CT slice: the axial plane of the image through the
// largest stone's centre, in the stone window, the visible models' outlines
// drawn over it in their colours.

#include "CaseSheet.h"

#include "measure/MeasureReport.h"
#include "measure/PlaneSection.h"
#include "model/SliceGrey.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>

namespace {

// The slice is drawn about this many pixels along its longer side: finer
// than the page's 300 dpi at the size the sheet gives it.
constexpr double kSliceLongSide = 900;
// Outlines this wide, in millimetres of the patient, at least 2 pixels.
constexpr double kOutlineMm = 0.6;

struct Found
{
    const measure::StoneBurden *burden = nullptr;
    const measure::Stone *stone = nullptr;
};

// The largest stone of every stones model: by volume where one is closed,
// by diameter otherwise, as each model picks its own largest.
Found largestStone(const measure::SceneMeasurement &scene)
{
    Found best;
    for (const measure::StoneBurden &burden : scene.stones) {
        if (burden.largest < 0)
            continue;
        const measure::Stone &s = burden.stones[std::size_t(burden.largest)];
        const bool larger = !best.stone
            || (s.closed != best.stone->closed ? s.closed
                    : s.closed                 ? s.volume > best.stone->volume
                                               : s.diameter > best.stone->diameter);
        if (larger)
            best = {&burden, &s};
    }
    return best;
}

// Pixel (u, v) of the slice to the plane of the page: x and y of the world
// turned so that the patient's right is on the left and the front up.
QTransform pixelsToPlane(const ImageSlice &slice)
{
    return QTransform(-slice.stepU[0], -slice.stepU[1], -slice.stepV[0], -slice.stepV[1],
                      -slice.corner[0], -slice.corner[1]);
}

QColor colourOf(const std::array<int, 3> &rgb)
{
    return QColor(std::clamp(rgb[0], 0, 255), std::clamp(rgb[1], 0, 255),
                  std::clamp(rgb[2], 0, 255));
}

void drawOutlines(QPainter &painter, const ImageSlice &slice, const QTransform &fromWorld,
                  const std::vector<measure::ModelSnapshot> &shots, double width)
{
    const std::array<double, 3> n = slice.normal();
    const measure::Point3 point {slice.corner[0], slice.corner[1], slice.corner[2]};
    for (const measure::ModelSnapshot &shot : shots) {
        if (!shot.refusal.isEmpty())
            continue;
        QPen pen(colourOf(shot.colour), width);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        for (const measure::SectionSegment &s :
             measure::planeSection(shot.surface, point, {n[0], n[1], n[2]}))
            painter.drawLine(fromWorld.map(QPointF(s.a[0], s.a[1])),
                             fromWorld.map(QPointF(s.b[0], s.b[1])));
    }
}

} // namespace

namespace sheet {

void sliceThroughStone(const ImageVolume &image, const std::vector<measure::ModelSnapshot> &shots,
                       CaseSheet &sheet)
{
    sheet.slice = {};
    const Found found = largestStone(sheet.measured);
    if (!found.stone)
        return;
    const int axis = sliceAxis(image, SliceOrientation::Axial);
    const double *c = found.stone->centre.data();
    const double index = std::round(voxelOf(image, c)[std::size_t(axis)]);
    if (!(index >= 0 && index < double(image.size[axis])))
        return;
    const ImageSlice slice = sliceOf(image, axis, qint64(index));
    if (slice.isEmpty())
        return;
    const std::vector<quint8> grey = windowed(slice, {kSliceWindow, kSliceLevel});
    const QImage voxels(grey.data(), int(slice.width), int(slice.height), int(slice.width),
                        QImage::Format_Grayscale8);
    // Pixel centres sit on the voxel centres: the picture spans half a voxel more each way.
    const QTransform toPlane = pixelsToPlane(slice);
    const QRectF pixels(-0.5, -0.5, double(slice.width), double(slice.height));
    const QRectF plane = toPlane.mapRect(pixels);
    if (!(plane.width() > 0 && plane.height() > 0))
        return;
    const double scale = kSliceLongSide / std::max(plane.width(), plane.height());
    const QTransform planeToImage = QTransform::fromTranslate(-plane.left(), -plane.top())
        * QTransform::fromScale(scale, scale);
    QImage out(std::max(1, int(std::ceil(plane.width() * scale))),
               std::max(1, int(std::ceil(plane.height() * scale))), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(toPlane * planeToImage);
    painter.drawImage(pixels, voxels);
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing);
    // World x and y to the plane is a turn of both axes.
    const QTransform fromWorld = QTransform::fromScale(-1, -1) * planeToImage;
    drawOutlines(painter, slice, fromWorld, shots, std::max(2.0, kOutlineMm * scale));
    painter.end();
    sheet.slice.image = out;
    sheet.slice.fromWorld = fromWorld;
    sheet.slice.stone = QCoreApplication::translate("Measurements", "%1 #%2")
                            .arg(measure::shownName(found.burden->model, measure::Anatomy::Stones))
                            .arg(found.stone->number);
    sheet.slice.plane = slice.index + 1;
    sheet.slice.planes = image.size[axis];
}

} // namespace sheet
