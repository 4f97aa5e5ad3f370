#pragma once

#include "SceneMeasurement.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace measure {

// The one place where planning numbers become text: the Measurements panel,
// the model information report, tessaron-cli and the case sheet all show
// these tables and lines. Texts are translated in the context
// "Measurements"; numbers use the point as decimal separator.

struct Table
{
    QString title;
    QStringList header;
    QList<QStringList> rows;
    // Per row, the colour of its model's swatch (model tables only).
    QList<std::array<int, 3>> swatches;
    QString note; // a line under the table: the stones in all, the score
};

// Units the tables use: the file's length unit is taken for millimetres.
QString lengthText(double mm);      // "12.35 mm"
QString areaText(double mm2);       // "1234.5 mm²"
QString volumeText(double mm3);     // "1234.5 mm³ (1.23 mL)"
QString pointText(const Point3 &p); // "(1.25; -3.5; 40)"

// The structure's name in the interface language ("Kidney", "Почка"); empty
// for a model of no known structure.
QString structureName(Anatomy structure);
// A model's name as the planning numbers show it: its structure's name in
// the interface language with the model's own name beside it where they
// differ ("Stones (Kamni)"), or the model's name alone.
QString shownName(const QString &name, Anatomy anatomy);
QString shownName(const ModelReport &model);

// One row per model (only the visible ones with `visibleOnly`): name, area,
// volume or why there is none, components, the state of the surface; the
// note holds the side warnings of those models, one a line.
Table modelTable(const SceneMeasurement &scene, bool visibleOnly);
// Whether and against what the named sides were checked: "Sides checked
// against the body's midline at x = 70.00 mm, from the spine in the CT."
QString sidesText(const SceneMeasurement &scene);
// "the spine in the CT", "the paired organs", ...
QString midlineSourceText(body::MidlineSource source);
// One row per stone: number, volume, largest diameter, centre; the note sums
// them up (stoneSummary). The title is the stones model's shownName.
Table stoneTable(const StoneBurden &burden);
// "3 stones: 345.6 mm³ (0.35 mL) in all; the largest #1, 8.91 mm".
QString stoneSummary(const StoneBurden &burden);
// One row per preset gap: from, to, the gap, how the two meet.
Table gapTable(const SceneMeasurement &scene);
// Rows R, E, N, A, L: the part, its score, what it rests on; the note is
// the score (nephrometrySum).
Table nephrometryTable(const Nephrometry &n);
// "R.E.N.A.L. score 8p" when complete, else the sum so far and what is missing.
QString nephrometrySum(const Nephrometry &n);
// Rows S, T, O, N, E of a stones model's S.T.O.N.E. score: the part, its
// score, what it rests on; the note is the score (stoneScoreSum).
Table stoneScoreTable(const StoneBurden &burden);
// "S.T.O.N.E. score 9" when complete, else the sum so far and what is missing.
QString stoneScoreSum(const StoneScore &score);

// The gap as one phrase: "3.21 mm", "0 mm, touching", "1.2 mm, inside Lokhanki".
QString gapText(const Gap &gap, const QString &nameOfA, const QString &nameOfB);
// How two surfaces meet: "", "touching", "overlapping", "inside B", "holds B".
QString contactText(const Gap &gap, const QString &nameOfA, const QString &nameOfB);

// The image values inside a surface as one phrase: "mean 312.4, SD 45.1,
// min 12, max 1210, 95th percentile 890 (1234 voxels)".
QString huText(const HuStatistics &hu);

// The model information report's lines for one model.
QStringList modelInfoLines(const ModelReport &model);

// Tables as text: tab-separated (for the clipboard), or padded columns.
QString tablesAsTsv(const QList<Table> &tables);
QString tableAsText(const Table &table);
// Every table of the scene, in the panel's order.
QList<Table> sceneTables(const SceneMeasurement &scene, bool visibleOnly);

// The documented JSON object of `tessaron-cli info` and of `measure`.
QJsonObject sceneJson(const SceneMeasurement &scene);
QJsonObject gapJson(const Gap &gap, const QString &nameOfA, const QString &nameOfB);
// The object "hu" of a model: voxels, mean, sd, min, max, p95; null when absent.
QJsonValue huJson(const std::optional<HuStatistics> &hu);

} // namespace measure
