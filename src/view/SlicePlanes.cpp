// The slice planes of the image in the 3-D view: one grey texture per shown
// orientation on a quad exactly over its voxel plane. A new window greys the
// kept 16-bit voxels through one table and refills the textures in place.

#include "SlicePlanes.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Whether the image holds Hounsfield units: it says so, or it is whole
// numbers reaching down to air (-1000; scanners write down to -3024 outside
// the field of view), as a CT passed on without its header does.
bool inHounsfield(const ImageVolume &image, double low)
{
    if (image.unit == QLatin1String("HU") || image.modality == QLatin1String("CT"))
        return true;
    return !image.shorts.empty() && low <= -900 && low >= -3100;
}

} // namespace

SliceState startingSlices(const ImageVolume &image)
{
    SliceState slices = centredSlices(image);
    const ImageValueRange r = valueRange(image);
    if (!r.count || inHounsfield(image, r.min))
        slices.windowLevel = windowpreset::SoftTissue;
    else
        slices.windowLevel = {r.max > r.min ? r.max - r.min : 1.0, (r.max + r.min) / 2};
    return slices;
}

std::array<std::array<double, 3>, 8> imageCorners(const ImageVolume &image)
{
    std::array<std::array<double, 3>, 8> corners {};
    for (int c = 0; c < 8; ++c) {
        const double i = (c & 1) ? double(image.size[0]) - 0.5 : -0.5;
        const double j = (c & 2) ? double(image.size[1]) - 0.5 : -0.5;
        const double k = (c & 4) ? double(image.size[2]) - 0.5 : -0.5;
        image.toWorld.apply(i, j, k, corners[size_t(c)].data());
    }
    return corners;
}

std::array<std::array<double, 3>, 4> sliceQuad(const ImageSlice &slice)
{
    // Pixel centres run from 0 to width - 1; the quad reaches half a pixel
    // beyond them on every side.
    const double u[2] = {-0.5, double(slice.width) - 0.5};
    const double v[2] = {-0.5, double(slice.height) - 0.5};
    std::array<std::array<double, 3>, 4> corners {};
    slice.toWorld(u[0], v[0], corners[0].data());
    slice.toWorld(u[1], v[0], corners[1].data());
    slice.toWorld(u[1], v[1], corners[2].data());
    slice.toWorld(u[0], v[1], corners[3].data());
    return corners;
}

bool SlicePlanes::readPlane(Plane &plane, const ImageVolume &image, const Key &key)
{
    ImageSlice frame = sliceFrame(image, key.axis, key.index);
    if (frame.width <= 0 || frame.height <= 0)
        return false;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (frame.width > largest || frame.height > largest)
        return false; // larger than any texture this context takes: not shown
    plane.corners = sliceQuad(frame);
    plane.width = frame.width;
    plane.height = frame.height;
    if (!image.shorts.empty()) {
        plane.shorts = planeShorts(image, key.axis, key.index);
        plane.slice = ImageSlice();
    } else {
        plane.shorts.clear();
        plane.slice = sliceOf(image, key.axis, key.index);
    }
    return true;
}

void SlicePlanes::grey(const Plane &plane, const Key &key)
{
    const WindowLevel windowLevel {key.window, key.level};
    if (plane.shorts.empty()) {
        Greys = windowed(plane.slice, windowLevel);
        return;
    }
    // One table per window, whichever plane asks first.
    const WindowLevel built = Table ? Table->windowLevel() : WindowLevel {};
    if (!Table || built.window != key.window || built.level != key.level)
        Table.emplace(windowLevel);
    Greys.resize(plane.shorts.size());
    greyShorts(plane.shorts.data(), plane.shorts.size(), *Table, Greys.data());
}

void SlicePlanes::upload(Plane &plane)
{
    const bool made = plane.texture != 0;
    if (!made)
        glGenTextures(1, &plane.texture);
    glBindTexture(GL_TEXTURE_2D, plane.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (made && plane.textureWidth == plane.width && plane.textureHeight == plane.height) {
        // The same size: the texture's store is refilled, not made anew.
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(plane.width), GLsizei(plane.height),
                        GL_LUMINANCE, GL_UNSIGNED_BYTE, Greys.data());
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        // Enlarged, each voxel shows as the square it is.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE8, GLsizei(plane.width), GLsizei(plane.height),
                     0, GL_LUMINANCE, GL_UNSIGNED_BYTE, Greys.data());
        plane.textureWidth = plane.width;
        plane.textureHeight = plane.height;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ++Uploads;
}

void SlicePlanes::refresh(Plane &plane, const ImageVolume &image, const Key &key)
{
    const Key &old = plane.shows;
    if (old.image != key.image || old.axis != key.axis || old.index != key.index) {
        plane.shows = Key(); // until the new plane is in the texture
        if (!readPlane(plane, image, key))
            return;
    }
    grey(plane, key);
    // A missing slice's filling shows striped, in every plane crossing it.
    ImageSlice frame;
    frame.axis = key.axis;
    frame.index = key.index;
    frame.width = plane.width;
    frame.height = plane.height;
    markMissing(image, frame, Greys.data());
    upload(plane);
    plane.shows = key;
}

void SlicePlanes::draw(const std::shared_ptr<const ImageVolume> &image, const SliceState &slices)
{
    if (!image || image->isEmpty())
        return;
    if (Held != image)
        Held = image;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    for (int o = 0; o < kSliceOrientations; ++o) {
        if (!slices.shown[size_t(o)])
            continue;
        Plane &plane = Planes[size_t(o)];
        const Key key {image.get(), sliceAxis(*image, SliceOrientation(o)), slices.index[size_t(o)],
                       slices.windowLevel.window, slices.windowLevel.level};
        if (!(plane.shows == key))
            refresh(plane, *image, key);
        if (!(plane.shows == key))
            continue; // out of range, or too large to show
        glBindTexture(GL_TEXTURE_2D, plane.texture);
        static const float texel[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        glBegin(GL_QUADS);
        for (int c = 0; c < 4; ++c) {
            glTexCoord2fv(texel[c]);
            glVertex3dv(plane.corners[size_t(c)].data());
        }
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopAttrib();
}

void SlicePlanes::release()
{
    for (Plane &plane : Planes) {
        if (plane.texture)
            glDeleteTextures(1, &plane.texture);
        plane = Plane();
    }
    Table.reset();
    Greys = std::vector<quint8>();
    Held.reset();
}
