#include "PlanningCommands.h"

#include "CliInput.h"
#include "measure/MeasureReport.h"
#include "model/ModelClass.h"

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

// Loads INPUT and takes every model's surface; false (after the loader's
// message) when it cannot be loaded.
bool snapshots(const QString &input, std::vector<ModelSnapshot> &shots)
{
    std::vector<std::unique_ptr<ModelClass>> models;
    if (!loadInputModels(input, models))
        return false;
    for (const auto &model : models)
        shots.push_back(snapshotModel(*model));
    return true;
}

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
    QList<Table> tables = sceneTables(scene, false);
    tables.removeFirst(); // the models are above, each in full
    for (const Table &table : std::as_const(tables))
        print(tableAsText(table) + QStringLiteral("\n"));
}

} // namespace

const char *infoUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli info INPUT [--json]\n"
                   "  every model's measures, the stone burden, the gaps the anatomy asks for\n"
                   "  and the R.E.N.A.L. nephrometry; no display needed\n")
        + kInputHelp + "  --json  one JSON object (docs/measurements.md) instead of text\n";
    return text.constData();
}

const char *measureUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli measure INPUT MODEL_A MODEL_B [--json]\n"
                   "  the closest gap between two models of INPUT and its two points\n")
        + kInputHelp
        + "  MODEL_A, MODEL_B  a model's name as the Objects tree shows it, or its file's\n"
          "          name without folder and ending, in any case\n"
          "  --json  one JSON object (docs/measurements.md) instead of text\n";
    return text.constData();
}

int runInfo(const QStringList &args)
{
    static const CommandGrammar grammar {{"INPUT"}, {"--json"}, {}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("info", cause, infoUsage());
    const QStringList &paths = line.positional;
    const bool json = line.has("--json");
    std::vector<ModelSnapshot> shots;
    if (!snapshots(paths[0], shots))
        return 1;
    for (const ModelSnapshot &shot : shots)
        if (refused(shot))
            return 1;
    const SceneMeasurement scene = measureScene(shots);
    if (json)
        printJson(sceneJson(scene));
    else
        printScene(scene);
    return 0;
}

int runMeasure(const QStringList &args)
{
    static const CommandGrammar grammar {{"INPUT", "MODEL_A", "MODEL_B"}, {"--json"}, {}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("measure", cause, measureUsage());
    const QStringList &paths = line.positional;
    const bool json = line.has("--json");
    std::vector<ModelSnapshot> shots;
    if (!snapshots(paths[0], shots))
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
    if (json) {
        printJson(gapJson(gap, a, b));
        return 0;
    }
    QString text = QStringLiteral("%1 to %2: %3\n").arg(a, b, gapText(gap, a, b));
    if (gap.valid)
        text += QStringLiteral("  on %1: %2\n  on %3: %4\n")
                    .arg(a, pointText(gap.onA), b, pointText(gap.onB));
    print(text);
    return 0;
}
