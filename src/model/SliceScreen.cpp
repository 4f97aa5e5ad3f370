#include "SliceScreen.h"

#include "SliceGrey.h"

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
    for (int k = 0; k < 3; ++k) {
        screen.rightStep[size_t(k)] = screen.flipColumns ? -columnStep[k] : columnStep[k];
        screen.downStep[size_t(k)] = screen.flipRows ? -rowStep[k] : rowStep[k];
    }
    return screen;
}

std::vector<quint8> pictureGreys(const ImageSlice &slice, const SliceScreen &screen,
                                 WindowLevel windowLevel)
{
    const std::vector<quint8> grey = windowed(slice, windowLevel);
    std::vector<quint8> picture(grey.size());
    for (qint64 v = 0; v < slice.height; ++v)
        for (qint64 u = 0; u < slice.width; ++u) {
            const QPointF at = screen.toPicture(double(u), double(v));
            const qint64 column = qint64(at.x()), row = qint64(at.y());
            picture[size_t(column + screen.columns * row)] = grey[size_t(u + slice.width * v)];
        }
    return picture;
}

std::array<qint64, 3> voxelOfPixel(const ImageSlice &slice, qint64 u, qint64 v)
{
    const std::array<int, 2> uv = sliceAxes(slice.axis);
    std::array<qint64, 3> voxel {};
    voxel[size_t(slice.axis)] = slice.index;
    voxel[size_t(uv[0])] = u;
    voxel[size_t(uv[1])] = v;
    return voxel;
}

SliceReadout readoutAt(const ImageVolume &image, const ImageSlice &slice, qint64 u, qint64 v)
{
    SliceReadout r;
    r.voxel = voxelOfPixel(slice, u, v);
    image.toWorld.apply(double(r.voxel[0]), double(r.voxel[1]), double(r.voxel[2]), r.world.data());
    r.value = image.at(r.voxel[0], r.voxel[1], r.voxel[2]);
    r.missing = image.missingPlane(r.voxel[2]);
    r.number = std::isfinite(r.value) && !r.missing;
    return r;
}
