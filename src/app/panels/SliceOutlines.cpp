#include "SliceOutlines.h"

#include "measure/ModelSurface.h"
#include "measure/PlaneSection.h"
#include "model/ModelListClass.h"

#include <algorithm>

bool SliceOutlines::Plane::operator==(const Plane &other) const
{
    const auto same = [](const SliceScreen &a, const SliceScreen &b) {
        return a.transposed == b.transposed && a.flipColumns == b.flipColumns
            && a.flipRows == b.flipRows && a.columns == b.columns && a.rows == b.rows;
    };
    return image == other.image && axis == other.axis && index == other.index
        && same(screen, other.screen);
}

SliceOutlines::Key SliceOutlines::keyOf(const ModelClass &model)
{
    Key key;
    key.model = &model;
    key.version = model.DataVersion;
    for (int k = 0; k < 3; ++k) {
        key.colour[size_t(k)] = model.ModelColor[k];
        if (!model.Meshes.isEmpty())
            key.colour[size_t(k + 3)] = model.Meshes[0]->FrontColor[k];
    }
    return key;
}

bool SliceOutlines::takeSources(const ModelListClass &models)
{
    std::vector<Key> keys;
    for (qsizetype i = 1; i < models.count(); ++i) // entry 0 is the scene
        if (models.at(i)->Visible)
            keys.push_back(keyOf(*models.at(i)));
    if (keys.size() == Sources.size()
        && std::equal(keys.begin(), keys.end(), Sources.begin(),
                      [](const Key &key, const Source &source) { return key == source.key; }))
        return false;
    std::vector<Source> sources;
    for (const Key &key : keys) {
        const auto old = std::find_if(Sources.begin(), Sources.end(),
                                      [&key](const Source &s) { return s.key == key; });
        if (old != Sources.end()) {
            sources.push_back(std::move(*old));
            continue;
        }
        measure::ModelSnapshot shot = measure::snapshotModel(*key.model);
        sources.push_back(
            {key, std::move(shot.surface), QColor(shot.colour[0], shot.colour[1], shot.colour[2])});
    }
    Sources = std::move(sources);
    return true;
}

void SliceOutlines::cut(const ImageVolume &image, const ImageSlice &slice,
                        const SliceScreen &screen)
{
    Outlines.clear();
    // Surface points are placed through the inverse of the image's map.
    if (slice.isEmpty() || !image.toWorld.isUsable())
        return;
    const std::array<int, 2> uv = sliceAxes(slice.axis);
    const measure::Point3 point = {slice.corner[0], slice.corner[1], slice.corner[2]};
    const std::array<double, 3> normal = slice.normal();
    const auto toPicture = [&](const measure::Point3 &world) {
        const std::array<double, 3> voxel = voxelOf(image, world.data());
        return screen.toPicture(voxel[size_t(uv[0])], voxel[size_t(uv[1])]);
    };
    for (const Source &source : Sources) {
        SliceOutline outline {source.colour, {}};
        for (const measure::SectionSegment &segment :
             measure::planeSection(source.surface, point, normal))
            outline.lines.emplace_back(toPicture(segment.a), toPicture(segment.b));
        if (!outline.lines.empty())
            Outlines.push_back(std::move(outline));
    }
}

bool SliceOutlines::update(const ModelListClass &models, const ImageVolume &image,
                           const ImageSlice &slice, const SliceScreen &screen)
{
    const bool sources = takeSources(models);
    const Plane plane {&image, slice.isEmpty() ? -1 : slice.axis, slice.index, screen};
    if (!sources && plane == CutFor)
        return false;
    CutFor = plane;
    cut(image, slice, screen);
    return true;
}
