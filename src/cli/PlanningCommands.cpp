#include "PlanningCommands.h"

#include "CliInput.h"
#include "ImageInfo.h"
#include "measure/MeasureReport.h"
#include "model/ModelClass.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <memory>
#include <vector>

using namespace measure;

namespace {

void print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void printJson(const QJsonObject &object)
{
    print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

void takeSnapshots(const std::vector<std::unique_ptr<ModelClass>> &models,
                   std::vector<ModelSnapshot> &shots)
{
    for (const auto &model : models)
        shots.push_back(snapshotModel(*model));
}

// Loads INPUT and takes every model's surface; false (after the loader's
// message) when it cannot be loaded.
bool snapshots(const QString &input, std::vector<ModelSnapshot> &shots)
{
    std::vector<std::unique_ptr<ModelClass>> models;
    if (!loadInputModels(input, models))
        return false;
    takeSnapshots(models, shots);
    return true;
}

// The image of --ct when given; false (after the message) when it cannot be read.
bool ctImage(const CommandArgs &line, std::shared_ptr<const ImageVolume> &image)
{
    for (const auto &[option, value] : line.values)
        if (option == QLatin1String("--ct"))
            return loadImage(value, image);
    return true;
}

const char *const kCtHelp =
    "  --ct IMAGE  a NIfTI or NRRD image the surfaces were made on (a CT): every\n"
    "          closed model gains the image values inside it (hu: mean, sd, min, max,\n"
    "          95th percentile by nearest rank, over the voxels whose centres lie\n"
    "          inside the surface and the image), every stone its hu_mean and hu_max,\n"
    "          and the stone score its E (the densest stone's mean)\n";

// A model that cannot be measured stops the command like a failed load.
bool refused(const ModelSnapshot &shot)
{
    if (shot.refusal.isEmpty())
        return false;
    printInputError(shot.fileName.isEmpty() ? shot.name : shot.fileName, shot.refusal);
    return true;
}

void printModel(const ModelReport &model, int number)
{
    QStringList lines {QStringLiteral("Model %1: %2").arg(number).arg(model.name)};
    if (!model.fileName.isEmpty())
        lines << QStringLiteral("  file: ") + model.fileName;
    lines << QStringLiteral("  anatomy: ") + anatomyKey(model.anatomy);
    lines << QStringLiteral("  colour: %1 %2 %3")
                 .arg(model.colour[0])
                 .arg(model.colour[1])
                 .arg(model.colour[2]);
    lines << QStringLiteral("  vertices: %1, triangles: %2")
                 .arg(model.measures.vertices)
                 .arg(model.measures.triangles);
    for (const QString &line : modelInfoLines(model))
        lines << QStringLiteral("  ") + line;
    print(lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n"));
}

void printScene(const SceneMeasurement &scene)
{
    int number = 0;
    for (const ModelReport &model : scene.models)
        printModel(model, ++number);
    QStringList sides {sidesText(scene)};
    for (const SideWarning &w : scene.sides.warnings)
        sides << QStringLiteral("  ") + w.text;
    print(sides.join(QLatin1Char('\n')) + QStringLiteral("\n\n"));
    QList<Table> tables = sceneTables(scene, false);
    tables.removeFirst(); // the models are above, each in full
    for (const Table &table : std::as_const(tables))
        print(tableAsText(table) + QStringLiteral("\n"));
}

// The JSON of a scene with the warnings of the image of --ct after its own.
QJsonObject withImageWarnings(QJsonObject scene, const ImageVolume *image)
{
    if (!image)
        return scene;
    QJsonArray warnings = scene.value(QLatin1String("warnings")).toArray();
    for (const QString &w : image->warnings)
        warnings.append(w);
    scene.insert(QLatin1String("warnings"), warnings);
    return scene;
}

} // namespace

const char *infoUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli info INPUT [--json] [--ct IMAGE]\n"
                   "  every model's measures, the stone burden, the gaps the anatomy asks for\n"
                   "  the R.E.N.A.L. nephrometry and the S.T.O.N.E. score (S, T and E; O and N\n"
                   "  are entered in the viewer); no display needed. For an image (a NIfTI\n"
                   "  or NRRD file of intensities) its size, spacing (mm), origin (the first\n"
                   "  voxel's centre, mm), direction (the unit vectors of the i, j and k axes\n"
                   "  in x, y, z: nine numbers), modality, unit, the values' min, max and mean,\n"
                   "  and warnings. A model whose name says left or right but which lies\n"
                   "  on the other side of the body's midline (the spine or the body's outline\n"
                   "  in the CT of --ct, else half way between paired organs) is warned about\n")
        + kInputHelp + kCtHelp
        + "  --json  one JSON object (docs/measurements.md) instead of text\n"
          "  --as image|labels  read a NIfTI or NRRD INPUT so, not as its values suggest\n";
    return text.constData();
}

const char *measureUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli measure INPUT MODEL_A MODEL_B [--json] [--ct IMAGE]\n"
                   "  the closest gap between two models of INPUT and its two points\n")
        + kInputHelp
        + "  MODEL_A, MODEL_B  a model's name as the Objects tree shows it, or its file's\n"
          "          name without folder and ending, in any case\n"
          "  --json  one JSON object (docs/measurements.md) instead of text\n"
        + kCtHelp;
    return text.constData();
}

int runInfo(const QStringList &args)
{
    static const CommandGrammar grammar {{"INPUT"}, {"--json"}, {"--ct"}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("info", cause, infoUsage());
    const QStringList &paths = line.positional;
    const bool json = line.has("--json");
    std::vector<std::unique_ptr<ModelClass>> models;
    std::shared_ptr<const ImageVolume> input, ct;
    if (!loadInput(paths[0], models, input) || !ctImage(line, ct))
        return 1;
    if (input && models.empty()) {
        if (ct)
            return usageError("info", QStringLiteral("INPUT is an image; --ct goes with surfaces"),
                              infoUsage());
        const std::vector<DicomSeriesInfo> series = seriesOf(paths[0], *input);
        if (json)
            printJson(QJsonObject {{"image", imageJson(*input, series)}});
        else
            print(imageText(*input, series));
        return 0;
    }
    std::vector<ModelSnapshot> shots;
    takeSnapshots(models, shots);
    for (const ModelSnapshot &shot : shots)
        if (refused(shot))
            return 1;
    SceneOptions options;
    options.image = ct.get();
    if (!ct) // a structure set's image, opened with it, measures its ROIs
        options.image = input.get();
    const SceneMeasurement scene = measureScene(shots, options);
    if (json)
        printJson(withImageWarnings(sceneJson(scene), ct.get()));
    else
        printScene(scene);
    return 0;
}

int runMeasure(const QStringList &args)
{
    static const CommandGrammar grammar {{"INPUT", "MODEL_A", "MODEL_B"}, {"--json"}, {"--ct"}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("measure", cause, measureUsage());
    const QStringList &paths = line.positional;
    const bool json = line.has("--json");
    std::vector<ModelSnapshot> shots;
    std::shared_ptr<const ImageVolume> ct;
    if (!snapshots(paths[0], shots) || !ctImage(line, ct))
        return 1;
    const ModelSnapshot *pair[2] = {nullptr, nullptr};
    for (int k = 0; k < 2; ++k) {
        for (const ModelSnapshot &shot : shots)
            if (namesModel(paths[k + 1], shot.name, shot.fileName)) {
                pair[k] = &shot;
                break;
            }
        if (!pair[k]) {
            QStringList names;
            for (const ModelSnapshot &shot : shots)
                names << shot.name;
            usageError("measure",
                       QStringLiteral("no model named '%1' in %2; its models are %3")
                           .arg(paths[k + 1], paths[0], modelNamesText(names)),
                       measureUsage());
            return 2;
        }
    }
    if (refused(*pair[0]) || refused(*pair[1]))
        return 1;
    const Gap gap = measureGap(*pair[0], *pair[1]);
    // The models by their own names, however the user spelt them.
    const QString &a = pair[0]->name, &b = pair[1]->name;
    std::optional<HuStatistics> hu[2];
    for (int k = 0; ct && k < 2; ++k)
        hu[k] = measureHu(*pair[k], *ct);
    if (json) {
        QJsonObject o = gapJson(gap, a, b);
        if (ct) {
            o["hu_from"] = huJson(hu[0]);
            o["hu_to"] = huJson(hu[1]);
        }
        printJson(o);
        return 0;
    }
    QString text = QStringLiteral("%1 to %2: %3\n").arg(a, b, gapText(gap, a, b));
    if (gap.valid)
        text += QStringLiteral("  on %1: %2\n  on %3: %4\n")
                    .arg(a, pointText(gap.onA), b, pointText(gap.onB));
    for (int k = 0; ct && k < 2; ++k)
        text += QStringLiteral("  HU inside %1: %2\n")
                    .arg(pair[k]->name, hu[k] ? huText(*hu[k]) : QStringLiteral("not closed"));
    print(text);
    return 0;
}
