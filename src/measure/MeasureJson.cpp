// The JSON form of the planning numbers (docs/measurements.md describes it).
// Numbers are numbers in the file's unit, keys are fixed English words, and
// a value that could not be measured is null.

#include "MeasureReport.h"

#include <QJsonArray>

namespace measure {

namespace {

QJsonArray array(const Point3 &p)
{
    return {p[0], p[1], p[2]};
}

QJsonValue orNull(bool present, double value)
{
    return present ? QJsonValue(value) : QJsonValue();
}

QJsonValue number(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonValue number(const std::optional<int> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QString contactKey(Contact contact)
{
    switch (contact) {
    case Contact::Touching:
        return QStringLiteral("touching");
    case Contact::Overlapping:
        return QStringLiteral("overlapping");
    case Contact::Apart:
        break;
    }
    return QStringLiteral("apart");
}

QString containmentKey(Containment containment)
{
    switch (containment) {
    case Containment::AInsideB:
        return QStringLiteral("from_inside_to");
    case Containment::BInsideA:
        return QStringLiteral("to_inside_from");
    case Containment::None:
        break;
    }
    return QStringLiteral("none");
}

QString gapKindKey(PresetGap::Kind kind)
{
    switch (kind) {
    case PresetGap::TumourToCollectingSystem:
        return QStringLiteral("tumour_to_collecting_system");
    case PresetGap::TumourToArtery:
        return QStringLiteral("tumour_to_artery");
    case PresetGap::TumourToVein:
        return QStringLiteral("tumour_to_vein");
    case PresetGap::StoneToSkin:
        return QStringLiteral("stone_to_skin");
    case PresetGap::StoneToCollectingSystem:
        return QStringLiteral("stone_to_collecting_system");
    }
    return QString();
}

// Why a model has no volume, and so no image values: fixed words.
QString noVolumeKey(const SurfaceMeasures &m)
{
    if (m.triangles == 0)
        return QStringLiteral("no triangles");
    if (!m.topology.closed())
        return QStringLiteral("not closed");
    if (!m.topology.manifold())
        return QStringLiteral("not manifold");
    return QStringLiteral("not oriented");
}

QJsonValue sideJson(anatomy::Side side)
{
    switch (side) {
    case anatomy::Side::Left:
        return QStringLiteral("left");
    case anatomy::Side::Right:
        return QStringLiteral("right");
    case anatomy::Side::None:
        break;
    }
    return QJsonValue();
}

QJsonObject modelJson(const ModelReport &model, bool withImage)
{
    const SurfaceMeasures &m = model.measures;
    QJsonObject o {{"name", model.name},
                   {"file", model.fileName},
                   {"anatomy", anatomyKey(model.anatomy)},
                   {"side", sideJson(model.side)},
                   {"colour", QJsonArray {model.colour[0], model.colour[1], model.colour[2]}},
                   {"visible", model.visible},
                   {"measured", model.refusal.isEmpty()}};
    if (!model.refusal.isEmpty()) {
        o["refusal"] = model.refusal;
        return o;
    }
    const TopologyCounts &t = m.topology;
    o["vertices"] = double(m.vertices);
    o["triangles"] = double(m.triangles);
    o["area_mm2"] = m.area;
    o["closed"] = t.closed();
    o["manifold"] = t.manifold();
    o["oriented"] = t.oriented();
    o["self_intersecting"] = m.selfIntersecting == SelfIntersection::NotTested
        ? QJsonValue()
        : QJsonValue(m.selfIntersecting == SelfIntersection::Yes);
    o["border_edges"] = double(t.borderEdges);
    o["non_manifold_edges"] = double(t.nonManifoldEdges);
    o["non_manifold_vertices"] = double(t.nonManifoldVertices);
    o["misoriented_edges"] = double(t.misorientedEdges);
    o["degenerate_triangles"] = double(m.degenerateTriangles);
    o["volume_mm3"] = orNull(m.hasVolume, m.volume);
    o["volume_ml"] = orNull(m.hasVolume, m.volume / 1000);
    o["voxel_volume_mm3"] = model.voxelVolume ? QJsonValue(*model.voxelVolume) : QJsonValue();
    if (!model.codes.isEmpty())
        o["codes"] = QJsonArray::fromVariantList(model.codes);
    o["inside_out"] = m.insideOut;
    if (withImage) {
        o["hu"] = huJson(model.hu);
        if (!model.hu)
            o["hu_missing"] = noVolumeKey(m);
    }
    o["components"] = m.components;
    if (m.hasPoints) {
        o["box_min"] = array(m.boxMin);
        o["box_max"] = array(m.boxMax);
        o["extents_mm"] = QJsonArray {m.boxMax[0] - m.boxMin[0], m.boxMax[1] - m.boxMin[1],
                                      m.boxMax[2] - m.boxMin[2]};
        o["largest_diameter_mm"] = m.diameter.length;
        o["diameter_ends"] = QJsonArray {array(m.diameter.ends[0]), array(m.diameter.ends[1])};
    }
    return o;
}

QJsonValue stoneNumber(int number)
{
    return number > 0 ? QJsonValue(number) : QJsonValue();
}

QJsonObject stoneScoreJson(const StoneScore &s)
{
    QJsonArray computed;
    for (const auto &[name, present] :
         {std::pair {"S", bool(s.sizeScore())}, std::pair {"T", bool(s.tractScore())},
          std::pair {"E", bool(s.essenceScore())}})
        if (present)
            computed.append(QString::fromLatin1(name));
    return {{"S", QJsonObject {{"score", number(s.sizeScore())}, {"area_mm2", number(s.area)}}},
            {"T",
             QJsonObject {{"score", number(s.tractScore())},
                          {"gap_mm", number(s.tract)},
                          {"skin", s.skin},
                          {"stone", stoneNumber(s.tractStone)}}},
            {"O", number(s.obstructionScore())},
            {"N", number(s.calycesScore())},
            {"E",
             QJsonObject {{"score", number(s.essenceScore())},
                          {"hu_mean", number(s.density)},
                          {"stone", stoneNumber(s.denseStone)}}},
            {"computed", computed},
            {"sum", s.sum()},
            {"complete", s.complete()}};
}

QJsonObject stonesJson(const StoneBurden &burden, bool withImage)
{
    QJsonArray stones;
    for (const Stone &s : burden.stones) {
        QJsonObject o {{"number", s.number},        {"triangles", double(s.triangles)},
                       {"closed", s.closed},        {"volume_mm3", orNull(s.closed, s.volume)},
                       {"diameter_mm", s.diameter}, {"width_mm", s.width},
                       {"centre", array(s.centre)}};
        if (withImage) {
            const bool any = s.hu && s.hu->voxels > 0;
            o["hu_mean"] = orNull(any, any ? s.hu->mean : 0);
            o["hu_max"] = orNull(any, any ? s.hu->max : 0);
        }
        stones.append(o);
    }
    return {{"model", burden.model},
            {"count", int(burden.stones.size())},
            {"total_volume_mm3", burden.totalVolume},
            {"total_volume_ml", burden.totalVolume / 1000},
            {"open_stones", burden.openStones},
            {"largest",
             burden.largest >= 0 ? QJsonValue(burden.stones[std::size_t(burden.largest)].number)
                                 : QJsonValue()},
            {"stones", stones},
            {"stone_score", stoneScoreJson(burden.score)}};
}

QJsonObject gapFields(const Gap &gap)
{
    return {{"distance_mm", orNull(gap.valid, gap.distance)},
            {"point_from", gap.valid ? QJsonValue(array(gap.onA)) : QJsonValue()},
            {"point_to", gap.valid ? QJsonValue(array(gap.onB)) : QJsonValue()},
            {"contact", contactKey(gap.contact)},
            {"containment", containmentKey(gap.containment)}};
}

QJsonObject nephrometryJson(const Nephrometry &n)
{
    QJsonArray computed;
    for (const auto &[name, present] :
         {std::pair {"R", bool(n.radiusScore())}, std::pair {"E", bool(n.exophyticScore())},
          std::pair {"N", bool(n.nearnessScore())}})
        if (present)
            computed.append(QString::fromLatin1(name));
    return {{"tumour", n.tumour},
            {"R",
             QJsonObject {{"score", number(n.radiusScore())}, {"diameter_mm", number(n.diameter)}}},
            {"E",
             QJsonObject {{"score", number(n.exophyticScore())},
                          {"outside_share", number(n.outsideShare)},
                          {"kidney", n.kidney},
                          {"estimate", true}}},
            {"N",
             QJsonObject {{"score", number(n.nearnessScore())},
                          {"gap_mm", number(n.nearestGap)},
                          {"collecting_system", n.collectingSystem}}},
            {"A", n.anterior ? QJsonValue(QString(QChar(n.anterior))) : QJsonValue()},
            {"L", number(n.polarScore())},
            {"computed", computed},
            {"sum", n.sum()},
            {"complete", n.complete()}};
}

} // namespace

QJsonObject gapJson(const Gap &gap, const QString &nameOfA, const QString &nameOfB)
{
    QJsonObject o = gapFields(gap);
    o["units"] = QStringLiteral("mm");
    o["from"] = nameOfA;
    o["to"] = nameOfB;
    return o;
}

QJsonValue huJson(const std::optional<HuStatistics> &hu)
{
    if (!hu)
        return QJsonValue();
    const bool any = hu->voxels > 0;
    return QJsonObject {{"voxels", double(hu->voxels)}, {"mean", orNull(any, hu->mean)},
                        {"sd", orNull(any, hu->sd)},    {"min", orNull(any, hu->min)},
                        {"max", orNull(any, hu->max)},  {"p95", orNull(any, hu->p95)}};
}

QJsonObject sceneJson(const SceneMeasurement &scene)
{
    QJsonArray models, stones, gaps, nephrometry;
    for (const ModelReport &model : scene.models)
        models.append(modelJson(model, scene.withImage));
    for (const StoneBurden &burden : scene.stones)
        stones.append(stonesJson(burden, scene.withImage));
    for (const PresetGap &g : scene.gaps) {
        QJsonObject o = gapFields(g.gap);
        o["kind"] = gapKindKey(g.kind);
        o["from"] = g.from;
        o["stone"] = g.stone > 0 ? QJsonValue(g.stone) : QJsonValue();
        o["to"] = g.to;
        gaps.append(o);
    }
    for (const Nephrometry &n : scene.nephrometry)
        nephrometry.append(nephrometryJson(n));
    QJsonArray warnings;
    for (const SideWarning &w : scene.sides.warnings)
        warnings.append(w.text);
    const body::Midline &midline = scene.sides.midline;
    return {{"units", QStringLiteral("mm")},
            {"models", models},
            {"stones", stones},
            {"gaps", gaps},
            {"nephrometry", nephrometry},
            {"side_checked", scene.sides.checked()},
            {"midline",
             midline.found() ? QJsonValue(
                 QJsonObject {{"x_mm", midline.x}, {"source", body::sourceKey(midline.source)}})
                             : QJsonValue()},
            {"warnings", warnings}};
}

} // namespace measure
