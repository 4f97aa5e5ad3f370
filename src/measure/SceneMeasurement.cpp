// The scene's planning numbers: every model measured, the stones counted,
// the gaps the anatomy asks for, and the nephrometry of every tumour.

#include "SceneMeasurement.h"

#include <algorithm>
#include <memory>

namespace measure {

namespace {

class Scene
{
public:
    Scene(const std::vector<ModelSnapshot> &models, const SceneOptions &options)
        : models(models)
        , options(options)
        , topologies(models.size())
        , trees(models.size())
        , hulls(models.size())
    { }

    SceneMeasurement run()
    {
        for (std::size_t i = 0; i < models.size() && !cancelled(); ++i)
            out.models.push_back(measureModel(i));
        for (std::size_t t : of(Anatomy::Tumour)) {
            if (cancelled())
                break;
            presetGaps(t, Anatomy::CollectingSystem, PresetGap::TumourToCollectingSystem);
            presetGaps(t, Anatomy::Artery, PresetGap::TumourToArtery);
            presetGaps(t, Anatomy::Vein, PresetGap::TumourToVein);
            out.nephrometry.push_back(nephrometry(t));
        }
        for (std::size_t i : of(Anatomy::Stones))
            if (!cancelled())
                measureStones(i);
        if (!cancelled())
            checkModelSides();
        out.withImage = options.image != nullptr;
        out.cancelled = cancelled();
        return std::move(out);
    }

private:
    bool cancelled() const { return options.cancel && options.cancel->load(); }
    bool usable(std::size_t i) const
    {
        return models[i].refusal.isEmpty() && models[i].surface.triangleCount() > 0;
    }
    std::vector<std::size_t> of(Anatomy anatomy) const
    {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < models.size(); ++i)
            if (models[i].anatomy == anatomy && usable(i))
                found.push_back(i);
        return found;
    }
    bool closed(std::size_t i) const { return topologies[i].total.enclosesVolume(); }
    const SurfaceTree &tree(std::size_t i)
    {
        if (!trees[i])
            trees[i] = std::make_unique<SurfaceTree>(models[i].surface);
        return *trees[i];
    }

    void checkModelSides()
    {
        out.sides = checkSides(
            models, options.midline ? *options.midline : sceneMidline(models, options.image));
        for (const SideWarning &w : out.sides.warnings)
            out.models[w.model].sideWarning = w.text;
    }

    ModelReport measureModel(std::size_t i)
    {
        const ModelSnapshot &shot = models[i];
        ModelReport report;
        report.name = shot.name;
        report.fileName = shot.fileName;
        report.colour = shot.colour;
        report.visible = shot.visible;
        report.anatomy = shot.anatomy;
        report.side = shot.side;
        report.voxelVolume = shot.voxelVolume;
        report.codes = shot.codes;
        report.refusal = shot.refusal;
        if (!shot.refusal.isEmpty())
            return report;
        topologies[i] = analyseTopology(shot.surface);
        report.measures =
            measureSurface(shot.surface, topologies[i], {options.selfIntersection, options.cancel});
        if (options.image && report.measures.hasVolume)
            report.hu = huInside(shot.surface, *options.image);
        return report;
    }

    void measureStones(std::size_t i)
    {
        const TriangleSurface &surface = models[i].surface;
        const SurfaceTopology &topo = topologies[i];
        const auto groups = topo.componentTriangles();
        StoneBurden burden;
        burden.model = models[i].name;
        burden.modelIndex = i;
        const std::size_t first = stoneSurfaces.size();
        for (std::size_t c = 0; c < groups.size(); ++c) {
            Stone stone;
            stone.number = int(c + 1);
            stone.triangles = groups[c].size();
            stone.closed = topo.components[c].enclosesVolume();
            const SurfaceIntegrals sums = integrate(surface, groups[c]);
            stone.volume = stone.closed ? std::abs(sums.signedVolume) : 0;
            stone.centre =
                stone.closed && sums.signedVolume != 0 ? sums.volumeCentroid : sums.areaCentroid;
            burden.stones.push_back(stone);
        }
        for (TriangleSurface &piece : splitSurface(surface, groups))
            stoneSurfaces.push_back(std::make_unique<TriangleSurface>(std::move(piece)));
        for (std::size_t c = 0; c < groups.size(); ++c) {
            Stone &stone = burden.stones[c];
            const std::vector<Point3> points = pointsOf(*stoneSurfaces[first + c]);
            const Diameter length = farthestPair(points);
            stone.diameter = length.length;
            stone.width = widthAcross(points, length);
            if (options.image && stone.closed)
                stone.hu = huInside(*stoneSurfaces[first + c], *options.image);
            if (stone.closed)
                burden.totalVolume += stone.volume;
            else
                ++burden.openStones;
        }
        burden.largest = largestStone(burden.stones);
        stoneGaps(i, burden, first);
        stoneScore(i, burden);
        out.stones.push_back(std::move(burden));
    }

    // The largest extent of the points across the segment `length`: the
    // farthest pair of their shadows on a plane square to it.
    static double widthAcross(std::vector<Point3> points, const Diameter &length)
    {
        if (length.length <= 0)
            return 0;
        Point3 u;
        for (int a = 0; a < 3; ++a)
            u[a] = (length.ends[1][a] - length.ends[0][a]) / length.length;
        for (Point3 &p : points) {
            const double along = (p[0] - length.ends[0][0]) * u[0]
                + (p[1] - length.ends[0][1]) * u[1] + (p[2] - length.ends[0][2]) * u[2];
            for (int a = 0; a < 3; ++a)
                p[a] -= along * u[a];
        }
        return farthestPair(points).length;
    }

    // S, T and E of the S.T.O.N.E. score; O and N are the user's.
    void stoneScore(std::size_t stonesModel, StoneBurden &burden)
    {
        StoneScore &score = burden.score;
        if (!burden.stones.empty()) {
            score.area = 0;
            for (const Stone &s : burden.stones)
                *score.area += s.diameter * s.width;
        }
        // The tract leads to the largest stone, from the nearest skin.
        const int target =
            burden.largest >= 0 ? burden.stones[std::size_t(burden.largest)].number : 0;
        for (const PresetGap &g : out.gaps)
            if (g.kind == PresetGap::StoneToSkin && g.fromIndex == stonesModel && g.stone == target
                && g.gap.valid && (!score.tract || g.gap.distance < *score.tract)) {
                score.tract = g.gap.distance;
                score.skin = g.to;
                score.tractStone = target;
            }
        // With several stones the densest one decides: the hardest stone is
        // the one the lithotripsy has to break.
        for (const Stone &s : burden.stones)
            if (s.hu && s.hu->voxels > 0 && (!score.density || s.hu->mean > *score.density)) {
                score.density = s.hu->mean;
                score.denseStone = s.number;
            }
    }

    static std::vector<Point3> pointsOf(const TriangleSurface &s)
    {
        std::vector<Point3> points(s.vertexCount());
        for (std::size_t v = 0; v < points.size(); ++v)
            points[v] = s.point(std::uint32_t(v));
        return points;
    }

    static int largestStone(const std::vector<Stone> &stones)
    {
        int largest = -1;
        const bool anyClosed =
            std::any_of(stones.begin(), stones.end(), [](const Stone &s) { return s.closed; });
        for (std::size_t k = 0; k < stones.size(); ++k) {
            const Stone &s = stones[k];
            if (anyClosed && !s.closed)
                continue;
            const double size = anyClosed ? s.volume : s.diameter;
            if (largest < 0
                || size > (anyClosed ? stones[std::size_t(largest)].volume
                                     : stones[std::size_t(largest)].diameter))
                largest = int(k);
        }
        return largest;
    }

    // Each stone to every skin and every collecting system.
    void stoneGaps(std::size_t stonesModel, const StoneBurden &burden, std::size_t first)
    {
        const std::vector<std::size_t> skins = of(Anatomy::Skin);
        const std::vector<std::size_t> systems = of(Anatomy::CollectingSystem);
        for (std::size_t c = 0; c < burden.stones.size() && !cancelled(); ++c) {
            const SurfaceTree stoneTree(*stoneSurfaces[first + c]);
            auto add = [&](std::size_t to, PresetGap::Kind kind) {
                addGap(kind, stonesModel, to, burden.stones[c].number,
                       closestGap(stoneTree, tree(to), burden.stones[c].closed, closed(to)));
            };
            for (std::size_t s : skins)
                add(s, PresetGap::StoneToSkin);
            for (std::size_t s : systems)
                add(s, PresetGap::StoneToCollectingSystem);
        }
    }

    void addGap(PresetGap::Kind kind, std::size_t from, std::size_t to, int stone, const Gap &gap)
    {
        out.gaps.push_back({kind, models[from].name, models[to].name, from, to, stone, gap});
    }

    void presetGaps(std::size_t from, Anatomy to, PresetGap::Kind kind)
    {
        for (std::size_t j : of(to))
            addGap(kind, from, j, 0, closestGap(tree(from), tree(j), closed(from), closed(j)));
    }

    Nephrometry nephrometry(std::size_t t)
    {
        Nephrometry n;
        n.tumour = models[t].name;
        n.tumourIndex = t;
        const ModelReport &report = out.models[t];
        if (report.measures.hasPoints)
            n.diameter = report.measures.diameter.length;
        for (const PresetGap &g : out.gaps)
            if (g.kind == PresetGap::TumourToCollectingSystem && g.fromIndex == t && g.gap.valid
                && (!n.nearestGap || g.gap.distance < *n.nearestGap)) {
                n.nearestGap = g.gap.distance;
                n.collectingSystem = g.to;
            }
        if (!closed(t))
            return n;
        // The tumour's kidney, of two (left and right) or more: the one whose
        // hull holds the most of it.
        for (std::size_t k : of(Anatomy::Kidney)) {
            if (!hulls[k])
                hulls[k] = convexHull(surfacePoints(models[k].surface, topologies[k]));
            const auto share = shareOutsideHull(models[t].surface, *hulls[k]);
            if (share && (!n.outsideShare || *share < *n.outsideShare)) {
                n.outsideShare = share;
                n.kidney = models[k].name;
            }
        }
        return n;
    }

    const std::vector<ModelSnapshot> &models;
    const SceneOptions &options;
    std::vector<SurfaceTopology> topologies;
    std::vector<std::unique_ptr<SurfaceTree>> trees;
    std::vector<std::optional<ConvexHull>> hulls; // of the kidneys, made on first use
    std::vector<std::unique_ptr<TriangleSurface>> stoneSurfaces; // trees keep references
    SceneMeasurement out;
};

} // namespace

SceneMeasurement measureScene(const std::vector<ModelSnapshot> &models, const SceneOptions &options)
{
    return Scene(models, options).run();
}

Gap measureGap(const ModelSnapshot &a, const ModelSnapshot &b)
{
    if (!a.refusal.isEmpty() || !b.refusal.isEmpty())
        return {};
    const SurfaceTree ta(a.surface), tb(b.surface);
    return closestGap(ta, tb, analyseTopology(a.surface).total.enclosesVolume(),
                      analyseTopology(b.surface).total.enclosesVolume());
}

std::optional<HuStatistics> measureHu(const ModelSnapshot &model, const ImageVolume &image)
{
    if (!model.refusal.isEmpty() || !analyseTopology(model.surface).total.enclosesVolume())
        return std::nullopt;
    return huInside(model.surface, image);
}

} // namespace measure
