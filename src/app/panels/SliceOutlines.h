#pragma once

#include "SliceView.h"
#include "measure/Surface.h"

#include <array>
#include <vector>

class ModelListClass;
class ModelClass;

// The outlines of the visible models where a slice's plane cuts them, in
// the slice picture's coordinates, each in its model's colour. A model's
// triangles are copied once per change of its data or colour, and the
// outlines are cut again only when the plane or a model changed, so that
// hovering or windowing a slice costs nothing here.
class SliceOutlines
{
public:
    // True when the outlines changed since the last call.
    bool update(const ModelListClass &models, const ImageVolume &image, const ImageSlice &slice,
                const SliceScreen &screen);
    const std::vector<SliceOutline> &outlines() const { return Outlines; }
    // Cuts again at the next update: a new image may sit where an old one was.
    void forgetPlane() { CutFor = Plane(); }

private:
    // What a model's copy was taken from: when any of it differs, the copy is stale.
    struct Key
    {
        const ModelClass *model = nullptr;
        quint64 version = 0;
        std::array<double, 6> colour {};
        bool operator==(const Key &) const = default;
    };
    struct Source
    {
        Key key;
        measure::TriangleSurface surface;
        QColor colour;
    };
    // The plane the outlines were cut for.
    struct Plane
    {
        const ImageVolume *image = nullptr;
        int axis = -1;
        qint64 index = -1;
        SliceScreen screen;
        bool operator==(const Plane &other) const;
    };

    static Key keyOf(const ModelClass &model);
    // True when the visible models' copies changed.
    bool takeSources(const ModelListClass &models);
    void cut(const ImageVolume &image, const ImageSlice &slice, const SliceScreen &screen);

    std::vector<Source> Sources;
    Plane CutFor;
    std::vector<SliceOutline> Outlines;
};
