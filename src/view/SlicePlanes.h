#pragma once

#include "model/SliceGrey.h"

#include <array>
#include <memory>
#include <optional>

// The image's slice planes in the 3-D view: each shown orientation as a
// textured quad over its voxel plane, grey under the state's window, the
// planes of missing slices striped. The
// textures live in the view's GL context and are refilled only when what
// they show changed: the image, the plane's index or the window.
class SlicePlanes
{
public:
    SlicePlanes() = default;
    SlicePlanes(const SlicePlanes &) = delete;
    SlicePlanes &operator=(const SlicePlanes &) = delete;

    // Draws the shown planes with the current model-view matrix, which maps
    // world millimetres to the eye, depth-tested with what is drawn. The
    // lighting and blending are left as they were.
    void draw(const std::shared_ptr<const ImageVolume> &image, const SliceState &slices);
    // Deletes the textures and lets the image go; the view's context must
    // be current.
    void release();
    // Textures filled since the view started: for tests and benchmarks.
    qint64 uploads() const { return Uploads; }

private:
    // What a plane's texture shows.
    struct Key
    {
        const ImageVolume *image = nullptr;
        int axis = -1;
        qint64 index = -1;
        double window = 0, level = 0;
        bool operator==(const Key &) const = default;
    };
    struct Plane
    {
        unsigned texture = 0;
        qint64 textureWidth = 0, textureHeight = 0; // as allocated
        Key shows;
        // The voxels of the plane shown, kept so that a new window needs no
        // new reading of the image: 16-bit values as the image holds them,
        // else the slice's floats.
        std::vector<qint16> shorts;
        ImageSlice slice;
        qint64 width = 0, height = 0;
        // The world corners of the quad, in drawing order.
        std::array<std::array<double, 3>, 4> corners {};
    };

    // Reads the plane's voxels anew; false when it cannot be shown.
    bool readPlane(Plane &plane, const ImageVolume &image, const Key &key);
    void refresh(Plane &plane, const ImageVolume &image, const Key &key);
    // The greys of the plane under the key's window, into Greys.
    void grey(const Plane &plane, const Key &key);
    void upload(Plane &plane);

    std::array<Plane, kSliceOrientations> Planes;
    // The greys of the last window, shared by the planes of a 16-bit image.
    std::optional<GreyTable> Table;
    std::vector<quint8> Greys; // reused for every upload
    // Kept while its textures exist, so that a key never matches a new image
    // that happens to take the freed one's address.
    std::shared_ptr<const ImageVolume> Held;
    qint64 Uploads = 0;
};

// The world corners of the quad that covers a slice exactly: the outer
// edges of its edge pixels, half a step beyond their centres.
std::array<std::array<double, 3>, 4> sliceQuad(const ImageSlice &slice);

// The world corners of an image's box: the outer edges of its edge voxels.
std::array<std::array<double, 3>, 8> imageCorners(const ImageVolume &image);

// The slices a freshly opened image shows: every plane through its middle,
// under the soft-tissue window for a CT in Hounsfield units, else under a
// window that spans the image's values.
SliceState startingSlices(const ImageVolume &image);
