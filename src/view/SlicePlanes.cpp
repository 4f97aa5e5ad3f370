// The slice planes of the image in the 3-D view: one grey texture per shown
// orientation on a quad exactly over its voxel plane. A new window greys the
// kept 16-bit voxels through one table and refills the textures in place.

#include "SlicePlanes.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

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
    plane.voxels = planeVoxels(image, key.axis, key.index);
    return true;
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
    greyPlane(plane.voxels, {key.window, key.level}, Table, Greys);
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
