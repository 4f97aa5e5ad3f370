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
        // new reading of the image.
        PlaneVoxels voxels;
        qint64 width = 0, height = 0;
        // The world corners of the quad, in drawing order.
        std::array<std::array<double, 3>, 4> corners {};
    };

    // Reads the plane's voxels anew; false when it cannot be shown.
    bool readPlane(Plane &plane, const ImageVolume &image, const Key &key);
    void refresh(Plane &plane, const ImageVolume &image, const Key &key);
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
