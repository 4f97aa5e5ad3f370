#include "LabelMapImport.h"

#include "ImageImport.h"
#include "LabelModels.h"
#include "LabelNames.h"
#include "LabelSides.h"
#include "LabelSurface.h"
#include "LabelVolumeFit.h"
#include "formats/FileKinds.h"
#include "model/MaterialColor.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Names and colours the labels of one file, in the order of the sources:
// the file's own segments (.seg.nrrd) or label table (NIfTI header), a
// label table beside it, the file's own name when it holds one structure (a
// mask), else "Label N".
class LabelNamer
{
public:
    LabelNamer(const Recognition &file, std::vector<SegmentInfo> segments, bool mask)
        : segments(std::move(segments))
        , table(labelTableBeside(file.path, file.stem))
        , stem(file.stem)
        , mask(mask)
    { }

    LabelLook look(int layer, qint64 value, int labelsInFile) const
    {
        for (const SegmentInfo &s : segments)
            if (s.layer == layer && s.value == value && !s.name.isEmpty()) {
                const LabelLook own {s.name, {}, s.hasColor, {s.rgb[0], s.rgb[1], s.rgb[2]}};
                if (s.kind == anatomy::Structure::Other)
                    return named(own, value);
                return known(own, s.kind, s.side);
            }
        if (table.contains(value))
            return named(table.value(value), value);
        if (labelsInFile == 1 && (mask || structureLook(stem)))
            return named({stem, {}, false, {0, 0, 0}}, value);
        return withColour({Import::tr("Label %1").arg(value), {}, false, {0, 0, 0}}, value);
    }

private:
    // The look of a label with a name of its own: the name stays as the file
    // writes it; a structure the anatomy table knows gives its structure,
    // side and colour, so that one structure looks alike from every file.
    static LabelLook named(LabelLook look, qint64 value)
    {
        const std::optional<LabelLook> known = structureLook(look.name);
        if (!known) {
            look.structure = look.name;
            return withColour(look, value);
        }
        look.structure = known->structure;
        look.kind = known->kind;
        look.side = known->side;
        look.hasColor = true;
        std::copy_n(known->rgb, 3, look.rgb);
        return look;
    }

    // The look of a label whose structure and side the importer knows: the
    // structure as the anatomy table names it, and its colour.
    static LabelLook known(LabelLook look, anatomy::Structure kind, anatomy::Side side)
    {
        look.kind = kind;
        look.side = side;
        const anatomy::StructureRow *row = anatomy::rowOf(kind);
        look.structure = row ? QString::fromLatin1(row->modelName) + sideSuffix(side) : look.name;
        if (row) {
            look.hasColor = true;
            std::copy(row->colour.begin(), row->colour.end(), look.rgb);
        }
        return look;
    }

    // A look without a colour takes that of its number.
    static LabelLook withColour(LabelLook look, qint64 value)
    {
        if (look.hasColor)
            return look;
        const Rgba8 c = materialColor(qint32(std::clamp<qint64>(value, 1, 1 << 30)), 1.0);
        look.rgb[0] = c[0], look.rgb[1] = c[1], look.rgb[2] = c[2];
        look.hasColor = true;
        return look;
    }

    std::vector<SegmentInfo> segments;
    LabelTable table;
    QString stem;
    bool mask;
};

// A structure the body has on each side, named without one: its parts are
// given sides by their place.
bool sideFromPlace(const LabelLook &look)
{
    const anatomy::StructureRow *row = anatomy::rowOf(look.kind);
    return row && row->paired && look.side == anatomy::Side::None;
}

// The look of a label that got its side from its place: the side named the
// way the anatomy table names sides ("Parenhima_left").
LabelLook placed(LabelLook look, anatomy::Side side)
{
    if (side == anatomy::Side::None || look.side != anatomy::Side::None)
        return look;
    const QString suffix = sideSuffix(side);
    look.side = side;
    look.name += suffix;
    if (!look.structure.isEmpty())
        look.structure += suffix;
    return look;
}

// Voxels to models: label volumes of every layer (the samples are released
// once they are made), then per layer the boundaries and their smoothing,
// then a model per label. `steps` has done `done` steps before.
void surfaceLayers(LabelMapData map, const Recognition &file, bool mask, ProgressSteps &steps,
                   int done, const SmoothingOptions &smoothing,
                   std::vector<std::unique_ptr<ModelClass>> &models)
{
    // The readers refuse such maps; checked here too, as every way in
    // passes here and the surfaces are bounded in the voxel grid.
    if (!map.toWorld.isUsable())
        failImport(Import::tr("The label map's voxel spacing is zero or not a number."));
    std::vector<LabelVolume> volumes;
    int labels = 0, layersWithLabels = 0;
    for (int l = 0; l < map.layers; ++l) {
        volumes.push_back(makeLabelVolume(map.layer(l), map.toWorld));
        labels += volumes.back().count();
        layersWithLabels += volumes.back().count() > 0;
    }
    const double gridCentre = gridMidline(map.grid.size, map.toWorld);
    map.storage.reset();
    if (labels == 0 && !mask)
        failImport(Import::tr("The label map holds no labels: every voxel is 0."));
    const LabelNamer namer(file, std::move(map.segments), mask);
    const int labelsInFile = labels;
    // The map's own spine or paired labels place the midline; the centre of
    // the scan only when it has neither.
    const body::Midline found = labelMidline(volumes, [&](int l, int label) {
        const LabelLook look =
            namer.look(l, volumes[size_t(l)].values[size_t(label)], labelsInFile);
        return body::PlacedStructure {look.kind, look.side, 0, anatomy::liesOnMidline(look.name)};
    });
    const double midline = found.found() ? found.x : gridCentre;
    // Sides are given before the surfaces are found, so each side's part is
    // a label of its own: a closed surface with its own voxel volume.
    std::vector<std::vector<anatomy::Side>> sides;
    for (int l = 0; l < int(volumes.size()); ++l) {
        LabelVolume &volume = volumes[size_t(l)];
        const int before = volume.count();
        sides.push_back(splitSides(volume, midline, [&](int label) {
            return sideFromPlace(namer.look(l, volume.values[size_t(label)], labelsInFile));
        }));
        labels += volume.count() - before;
    }
    steps.setStepCount(done + 2 * layersWithLabels + labels);
    for (int l = 0; l < int(volumes.size()); ++l) {
        const LabelVolume &volume = volumes[size_t(l)];
        if (volume.count() == 0)
            continue;
        steps.begin(done++, Import::tr("Finding the surfaces of the labels..."));
        LabelSurface surface = extractLabelSurface(volume, steps.fractions());
        steps.begin(done++, Import::tr("Smoothing the surfaces..."));
        const std::vector<double> unsmoothed = surface.xyz;
        smoothLabelSurface(surface, smoothing, steps.fractions());
        const std::vector<double> voxels = voxelVolumes(volume);
        fitLabelVolumes(surface, unsmoothed, volume.toWorld, voxels);
        const auto lookOf = [&](int label) {
            return placed(namer.look(l, volume.values[size_t(label)], labelsInFile),
                          sides[size_t(l)][size_t(label)]);
        };
        const auto step = [&](int label, const QString &name) {
            steps.begin(done++, Import::tr("%1 (label %2 of %3)").arg(name).arg(label).arg(labels));
        };
        addLabelModels(surface, volume.values, voxels, file.path, lookOf, step, models);
    }
}

void importOne(const Recognition &file, bool mask, ProgressSteps &steps, int done,
               const SmoothingOptions &smoothing, std::vector<std::unique_ptr<ModelClass>> &models)
{
    steps.begin(done, Import::tr("Reading %1...").arg(QFileInfo(file.path).fileName()));
    surfaceLayers(readVolumeData(file, steps.fractions()), file, mask, steps, done + 1, smoothing,
                  models);
}

// The label maps of a folder, each entry recognised by its name once.
std::vector<Recognition> labelMapsIn(const QString &folder)
{
    std::vector<Recognition> files;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        Recognition file = recogniseName(entry.absoluteFilePath());
        if (file.row && file.row->reader == KindReader::LabelMap)
            files.push_back(std::move(file));
    }
    return files;
}

} // namespace

void labelMapModels(LabelMapData map, const Recognition &file,
                    std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress, const SmoothingOptions &smoothing)
{
    ProgressSteps steps(progress, 1);
    std::vector<std::unique_ptr<ModelClass>> made;
    surfaceLayers(std::move(map), file, false, steps, 0, smoothing, made);
    for (auto &model : made)
        models.push_back(std::move(model));
}

void importLabelMap(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress, const SmoothingOptions &smoothing)
{
    ProgressSteps steps(progress, 4);
    std::vector<std::unique_ptr<ModelClass>> made;
    importOne(file, false, steps, 0, smoothing, made);
    for (auto &model : made)
        models.push_back(std::move(model));
}

void importMaskFolder(const QString &folder, std::vector<std::unique_ptr<ModelClass>> &models,
                      const ImportProgress &progress, const SmoothingOptions &smoothing)
{
    const std::vector<Recognition> files = labelMapsIn(folder);
    std::vector<std::unique_ptr<ModelClass>> made;
    for (qsizetype f = 0; f < qsizetype(files.size()); ++f) {
        // One share of the bar per mask, the mask's own steps inside it.
        const ImportProgress share = [&, f](int value, int maximum, const QString &text) {
            if (!progress)
                return true;
            const double inside = maximum > 0 ? double(value) / maximum : 0.0;
            return progress(
                int((f + inside) * 1000), int(files.size() * 1000),
                Import::tr("%1 (%2 of %3)").arg(files[size_t(f)].stem).arg(f + 1).arg(files.size())
                    + "\n" + text);
        };
        ProgressSteps steps(share, 4);
        try {
            importOne(files[size_t(f)], true, steps, 0, smoothing, made);
        } catch (const ImportFailure &failure) {
            failImport(QFileInfo(files[size_t(f)].path).fileName() + ": " + failure.message);
        }
    }
    if (made.empty())
        failImport(Import::tr("The masks in this folder hold no labels."));
    for (auto &model : made)
        models.push_back(std::move(model));
}
