#include "MeasureReport.h"

#include <QCoreApplication>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace measure {

namespace {

// Every text of the tables is in the translation context "Measurements".
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Measurements)
};

QString fixed(double value, int decimals)
{
    // No "-0.00" for tiny negatives.
    const double rounded = std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}

QString yesNo(bool on)
{
    return on ? Text::tr("yes") : Text::tr("no");
}

QString surfaceState(const SurfaceMeasures &m)
{
    const TopologyCounts &t = m.topology;
    QStringList parts;
    if (m.triangles == 0)
        return Text::tr("no triangles");
    if (t.borderEdges)
        parts << Text::tr("border edges: %1").arg(t.borderEdges);
    if (t.nonManifoldEdges)
        parts << Text::tr("non-manifold edges: %1").arg(t.nonManifoldEdges);
    if (t.nonManifoldVertices)
        parts << Text::tr("non-manifold vertices: %1").arg(t.nonManifoldVertices);
    if (t.misorientedEdges)
        parts << Text::tr("misoriented edges: %1").arg(t.misorientedEdges);
    if (m.selfIntersecting == SelfIntersection::Yes)
        parts << Text::tr("self-intersecting");
    if (parts.isEmpty())
        parts << (m.insideOut ? Text::tr("closed, inside out") : Text::tr("closed"));
    return parts.join(QStringLiteral(", "));
}

// Why a model has no volume.
QString noVolume(const SurfaceMeasures &m)
{
    if (m.triangles == 0)
        return Text::tr("no triangles");
    if (!m.topology.closed())
        return Text::tr("not closed");
    if (!m.topology.manifold())
        return Text::tr("not manifold");
    return Text::tr("not oriented");
}

QString stoneName(const QString &model, int number)
{
    return Text::tr("%1 #%2").arg(model).arg(number);
}

QString percent(double share)
{
    if (share > 0 && share < 0.001)
        return QStringLiteral("< 0.1 %");
    return fixed(100 * share, 1) + QStringLiteral(" %");
}

QString score(const std::optional<int> &value)
{
    return value ? QString::number(*value) : QStringLiteral("–");
}

} // namespace

QString structureName(Anatomy structure)
{
    return anatomy::shownName(structure);
}

QString shownName(const QString &name, Anatomy anatomy)
{
    const QString structure = structureName(anatomy);
    if (structure.isEmpty() || name.isEmpty())
        return structure.isEmpty() ? name : structure;
    if (structure.compare(name, Qt::CaseInsensitive) == 0)
        return name;
    return Text::tr("%1 (%2)").arg(structure, name);
}

QString shownName(const ModelReport &model)
{
    return shownName(model.name, model.anatomy);
}

QString lengthText(double mm)
{
    return Text::tr("%1 mm").arg(fixed(mm, 2));
}

QString areaText(double mm2)
{
    return Text::tr("%1 mm²").arg(fixed(mm2, 1));
}

QString volumeText(double mm3)
{
    return Text::tr("%1 mm³ (%2 mL)").arg(fixed(mm3, 1), fixed(mm3 / 1000, 2));
}

QString pointText(const Point3 &p)
{
    return QStringLiteral("(%1; %2; %3)").arg(fixed(p[0], 2), fixed(p[1], 2), fixed(p[2], 2));
}

namespace {

// The image values of a model: "312 ± 45".
QString huMeanText(const std::optional<HuStatistics> &hu)
{
    if (!hu)
        return QString();
    return hu->voxels ? Text::tr("%1 ± %2").arg(fixed(hu->mean, 0), fixed(hu->sd, 0))
                      : Text::tr("no voxels");
}

QString huValueText(const std::optional<HuStatistics> &hu, double HuStatistics::*value)
{
    return hu && hu->voxels ? fixed((*hu).*value, 0) : QString();
}

} // namespace

Table modelTable(const SceneMeasurement &scene, bool visibleOnly)
{
    Table table;
    table.title = Text::tr("Models");
    table.header = {Text::tr("Model"),      Text::tr("Area, mm²"),  Text::tr("Volume, mm³"),
                    Text::tr("Volume, mL"), Text::tr("Components"), Text::tr("Surface")};
    if (scene.withImage)
        table.header << Text::tr("HU ± SD") << Text::tr("HU p95");
    for (const ModelReport &model : scene.models) {
        if (visibleOnly && !model.visible)
            continue;
        const SurfaceMeasures &m = model.measures;
        QStringList row {shownName(model)};
        if (!model.refusal.isEmpty()) {
            row << Text::tr("not measured: %1").arg(model.refusal) << QString() << QString()
                << QString() << QString();
        } else {
            row << fixed(m.area, 1);
            if (m.hasVolume)
                row << fixed(m.volume, 1) << fixed(m.volume / 1000, 2);
            else
                row << noVolume(m) << QString();
            row << QString::number(m.components) << surfaceState(m);
        }
        if (scene.withImage)
            row << huMeanText(model.hu) << huValueText(model.hu, &HuStatistics::p95);
        table.rows << row;
        table.swatches << model.colour;
    }
    QStringList warnings;
    for (const SideWarning &w : scene.sides.warnings)
        if (!visibleOnly || (w.model < scene.models.size() && scene.models[w.model].visible))
            warnings << w.text;
    table.note = warnings.join(QLatin1Char('\n'));
    return table;
}

QString midlineSourceText(body::MidlineSource source)
{
    switch (source) {
    case body::MidlineSource::CtSpine:
        return Text::tr("the spine in the CT");
    case body::MidlineSource::CtOutline:
        return Text::tr("the body's outline in the CT");
    case body::MidlineSource::Spine:
        return Text::tr("the spine's model");
    case body::MidlineSource::PairedOrgans:
        return Text::tr("the paired organs");
    case body::MidlineSource::GridCentre:
        return Text::tr("the centre of the scan");
    case body::MidlineSource::None:
        break;
    }
    return QString();
}

QString sidesText(const SceneMeasurement &scene)
{
    const body::Midline &m = scene.sides.midline;
    if (!m.found())
        return Text::tr(
            "Sides not checked: neither a CT nor paired organs show the body's midline.");
    return Text::tr("Sides checked against the body's midline at x = %1, from %2.")
        .arg(lengthText(m.x), midlineSourceText(m.source));
}

Table stoneTable(const StoneBurden &burden)
{
    Table table;
    table.title = shownName(burden.model, Anatomy::Stones);
    table.header = {Text::tr("Stone"), Text::tr("Volume, mm³"), Text::tr("Largest diameter, mm"),
                    Text::tr("Centre, mm")};
    const bool hu = std::any_of(burden.stones.begin(), burden.stones.end(),
                                [](const Stone &s) { return s.hu.has_value(); });
    if (hu)
        table.header << Text::tr("HU mean") << Text::tr("HU max");
    for (const Stone &s : burden.stones) {
        table.rows << QStringList {QString::number(s.number),
                                   s.closed ? fixed(s.volume, 1) : Text::tr("not closed"),
                                   fixed(s.diameter, 2), pointText(s.centre)};
        if (hu)
            table.rows.last() << huValueText(s.hu, &HuStatistics::mean)
                              << huValueText(s.hu, &HuStatistics::max);
    }
    table.note = stoneSummary(burden);
    return table;
}

QString stoneSummary(const StoneBurden &burden)
{
    const int count = int(burden.stones.size());
    QString text = Text::tr("Stones: %1; in all %2").arg(count).arg(volumeText(burden.totalVolume));
    if (burden.openStones > 0)
        text += Text::tr(" (not closed, without volume: %1)").arg(burden.openStones);
    if (burden.largest >= 0) {
        const Stone &s = burden.stones[std::size_t(burden.largest)];
        text += Text::tr("; the largest #%1, %2 across").arg(s.number).arg(lengthText(s.diameter));
    }
    return text;
}

QString contactText(const Gap &gap, const QString &nameOfA, const QString &nameOfB)
{
    Q_UNUSED(nameOfA)
    switch (gap.contact) {
    case Contact::Touching:
        return Text::tr("touching");
    case Contact::Overlapping:
        return Text::tr("overlapping");
    case Contact::Apart:
        break;
    }
    if (gap.containment == Containment::AInsideB)
        return Text::tr("inside %1").arg(nameOfB);
    if (gap.containment == Containment::BInsideA)
        return Text::tr("holds %1").arg(nameOfB);
    return QString();
}

QString gapText(const Gap &gap, const QString &nameOfA, const QString &nameOfB)
{
    if (!gap.valid)
        return Text::tr("no triangles to measure");
    const QString contact = contactText(gap, nameOfA, nameOfB);
    return contact.isEmpty() ? lengthText(gap.distance)
                             : QStringLiteral("%1, %2").arg(lengthText(gap.distance), contact);
}

Table gapTable(const SceneMeasurement &scene)
{
    Table table;
    table.title = Text::tr("Gaps");
    table.header = {Text::tr("From"), Text::tr("To"), Text::tr("Gap, mm"), Text::tr("Note")};
    auto named = [&](const QString &name, std::size_t index) {
        return index < scene.models.size() ? shownName(scene.models[index]) : name;
    };
    for (const PresetGap &g : scene.gaps) {
        const QString to = named(g.to, g.toIndex), fromModel = named(g.from, g.fromIndex);
        const QString from = g.stone > 0 ? stoneName(fromModel, g.stone) : fromModel;
        table.rows << QStringList {from, to,
                                   g.gap.valid ? fixed(g.gap.distance, 2) : QStringLiteral("–"),
                                   contactText(g.gap, from, to)};
    }
    return table;
}

namespace {

QString enteredText(const std::optional<int> &value)
{
    return value ? Text::tr("entered") : Text::tr("to be entered");
}

// What a score names as known and as missing: "Sum so far 5 (S + T); missing O, N, E".
QString partialSum(int sum, const QList<std::pair<QString, bool>> &parts)
{
    QStringList known, missing;
    for (const auto &[name, present] : parts)
        (present ? known : missing) << name;
    return Text::tr("Sum so far %1 (%2); missing %3")
        .arg(sum)
        .arg(known.join(QStringLiteral(" + ")), missing.join(QStringLiteral(", ")));
}

} // namespace

Table nephrometryTable(const Nephrometry &n)
{
    Table table;
    table.title =
        Text::tr("R.E.N.A.L. nephrometry of %1").arg(shownName(n.tumour, Anatomy::Tumour));
    table.header = {Text::tr("Part"), Text::tr("Score"), Text::tr("From")};
    table.rows << QStringList {Text::tr("R: radius"), score(n.radiusScore()),
                               n.diameter
                                   ? Text::tr("largest diameter %1").arg(lengthText(*n.diameter))
                                   : Text::tr("no surface")};
    table.rows << QStringList {
        Text::tr("E: exophytic"), score(n.exophyticScore()),
        n.outsideShare ? Text::tr("estimate: %1 of the volume outside the convex hull of %2")
                             .arg(percent(*n.outsideShare), shownName(n.kidney, Anatomy::Kidney))
                       : Text::tr("needs a closed tumour and a kidney")};
    table.rows << QStringList {
        Text::tr("N: nearness"), score(n.nearestGap ? n.nearnessScore() : std::nullopt),
        n.nearestGap ? Text::tr("gap %1 to %2")
                           .arg(lengthText(*n.nearestGap),
                                shownName(n.collectingSystem, Anatomy::CollectingSystem))
                     : Text::tr("needs a collecting system")};
    table.rows << QStringList {Text::tr("A: anterior or posterior"),
                               n.anterior ? QString(QChar(n.anterior)) : QStringLiteral("–"),
                               n.anterior ? Text::tr("entered") : Text::tr("to be entered")};
    table.rows << QStringList {Text::tr("L: location to the polar lines"), score(n.polarScore()),
                               n.polarScore() ? Text::tr("entered") : Text::tr("to be entered")};
    table.note = nephrometrySum(n);
    return table;
}

QString nephrometrySum(const Nephrometry &n)
{
    if (n.complete())
        return Text::tr("R.E.N.A.L. score %1%2").arg(n.sum()).arg(QChar(n.anterior));
    return partialSum(n.sum(),
                      {{QStringLiteral("R"), bool(n.radiusScore())},
                       {QStringLiteral("E"), bool(n.exophyticScore())},
                       {QStringLiteral("N"), bool(n.nearnessScore())},
                       {QStringLiteral("A"), n.anterior != 0},
                       {QStringLiteral("L"), bool(n.polarScore())}});
}

Table stoneScoreTable(const StoneBurden &burden)
{
    const StoneScore &s = burden.score;
    Table table;
    table.title =
        Text::tr("S.T.O.N.E. nephrolithometry of %1").arg(shownName(burden.model, Anatomy::Stones));
    table.header = {Text::tr("Part"), Text::tr("Score"), Text::tr("From")};
    table.rows << QStringList {
        Text::tr("S: stone size"), score(s.sizeScore()),
        s.area ? Text::tr("%1 in all, each stone its length × width").arg(areaText(*s.area))
               : Text::tr("no stones")};
    table.rows << QStringList {Text::tr("T: tract length"), score(s.tractScore()),
                               s.tract ? Text::tr("gap %1 from #%2 (the largest stone) to %3")
                                             .arg(lengthText(*s.tract))
                                             .arg(s.tractStone)
                                             .arg(shownName(s.skin, Anatomy::Skin))
                                       : Text::tr("needs a skin model")};
    table.rows << QStringList {Text::tr("O: obstruction"), score(s.obstructionScore()),
                               enteredText(s.obstructionScore())};
    table.rows << QStringList {Text::tr("N: number of involved calyces"), score(s.calycesScore()),
                               enteredText(s.calycesScore())};
    table.rows << QStringList {Text::tr("E: essence (stone density)"), score(s.essenceScore()),
                               s.density ? Text::tr("mean %1 HU of #%2, the densest stone")
                                               .arg(fixed(*s.density, 0))
                                               .arg(s.denseStone)
                                         : Text::tr("needs a CT image")};
    table.note = stoneScoreSum(s);
    return table;
}

QString stoneScoreSum(const StoneScore &s)
{
    if (s.complete())
        return Text::tr("S.T.O.N.E. score %1").arg(s.sum());
    return partialSum(s.sum(),
                      {{QStringLiteral("S"), bool(s.sizeScore())},
                       {QStringLiteral("T"), bool(s.tractScore())},
                       {QStringLiteral("O"), bool(s.obstructionScore())},
                       {QStringLiteral("N"), bool(s.calycesScore())},
                       {QStringLiteral("E"), bool(s.essenceScore())}});
}

QString huText(const HuStatistics &hu)
{
    if (hu.voxels == 0)
        return Text::tr("no voxel of the image lies inside the surface");
    return Text::tr("mean %1, SD %2, min %3, max %4, 95th percentile %5 (%6 voxels)")
        .arg(fixed(hu.mean, 1), fixed(hu.sd, 1), fixed(hu.min, 1), fixed(hu.max, 1),
             fixed(hu.p95, 1))
        .arg(hu.voxels);
}

QStringList modelInfoLines(const ModelReport &model)
{
    QStringList lines;
    if (!model.refusal.isEmpty())
        return {Text::tr("Not measured: %1").arg(model.refusal)};
    const SurfaceMeasures &m = model.measures;
    lines << Text::tr("Surface area = %1").arg(areaText(m.area));
    lines << Text::tr("Closed = %1").arg(yesNo(m.topology.closed()));
    lines << Text::tr("Manifold = %1").arg(yesNo(m.topology.manifold()));
    lines << Text::tr("Consistently oriented = %1").arg(yesNo(m.topology.oriented()));
    if (m.selfIntersecting != SelfIntersection::NotTested)
        lines << Text::tr("Self-intersecting = %1")
                     .arg(yesNo(m.selfIntersecting == SelfIntersection::Yes));
    if (m.hasVolume) {
        lines << Text::tr("Volume = %1").arg(volumeText(m.volume));
        if (m.insideOut)
            lines << Text::tr("The surface was inside out (its triangles faced inwards)");
    } else {
        lines << Text::tr("Volume: %1 (%2 border edges, %3 non-manifold edges)")
                     .arg(noVolume(m))
                     .arg(m.topology.borderEdges)
                     .arg(m.topology.nonManifoldEdges);
    }
    if (model.voxelVolume)
        lines << Text::tr("Voxel volume of the label = %1").arg(volumeText(*model.voxelVolume));
    if (model.side != anatomy::Side::None)
        lines << Text::tr("Side = %1")
                     .arg(model.side == anatomy::Side::Left ? Text::tr("left") : Text::tr("right"));
    if (!model.sideWarning.isEmpty())
        lines << Text::tr("Warning: %1").arg(model.sideWarning);
    for (const QVariant &code : model.codes) {
        const QVariantMap c = code.toMap();
        lines << Text::tr("Code (%1) = %2 %3 %4")
                     .arg(c["role"].toString().replace(u'_', u' '), c["scheme"].toString(),
                          c["value"].toString(), c["meaning"].toString());
    }
    if (model.hu)
        lines << Text::tr("HU inside = %1").arg(huText(*model.hu));
    lines << Text::tr("Connected components = %1").arg(m.components);
    if (m.hasPoints) {
        lines << Text::tr("Extents = %1 x %2 x %3 mm")
                     .arg(fixed(m.boxMax[0] - m.boxMin[0], 2), fixed(m.boxMax[1] - m.boxMin[1], 2),
                          fixed(m.boxMax[2] - m.boxMin[2], 2));
        lines << Text::tr("Largest diameter = %1").arg(lengthText(m.diameter.length));
    }
    return lines;
}

QList<Table> sceneTables(const SceneMeasurement &scene, bool visibleOnly)
{
    QList<Table> tables {modelTable(scene, visibleOnly)};
    for (const StoneBurden &burden : scene.stones)
        tables << stoneTable(burden);
    if (!scene.gaps.empty())
        tables << gapTable(scene);
    for (const Nephrometry &n : scene.nephrometry)
        tables << nephrometryTable(n);
    for (const StoneBurden &burden : scene.stones)
        tables << stoneScoreTable(burden);
    return tables;
}

QString tablesAsTsv(const QList<Table> &tables)
{
    QStringList lines;
    for (const Table &table : tables) {
        if (!lines.isEmpty())
            lines << QString();
        lines << table.title << table.header.join(QLatin1Char('\t'));
        for (const QStringList &row : table.rows)
            lines << row.join(QLatin1Char('\t'));
        if (!table.note.isEmpty())
            lines << table.note;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString tableAsText(const Table &table)
{
    QList<qsizetype> width(table.header.size(), 0);
    auto measureRow = [&](const QStringList &row) {
        for (qsizetype c = 0; c < row.size() && c < width.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    };
    measureRow(table.header);
    for (const QStringList &row : table.rows)
        measureRow(row);
    auto line = [&](const QStringList &row) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (c + 1 < row.size() ? row[c].leftJustified(width.value(c)) : row[c]);
        return QStringLiteral("  ") + cells.join(QStringLiteral("  "));
    };
    QStringList lines {table.title + QLatin1Char(':'), line(table.header)};
    for (const QStringList &row : table.rows)
        lines << line(row);
    if (!table.note.isEmpty())
        lines << QStringLiteral("  ") + table.note;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace measure
