#include "MeasureCommands.h"

#include "CliInput.h"
#include "measure/MeasureReport.h"
#include "model/ModelClass.h"

#include <QJsonDocument>

#include <cstdio>
#include <memory>
#include <vector>

using namespace measure;

namespace {

constexpr int kUsageError = 64;

// The positional arguments and the --json switch; false on anything else.
bool parse(const QStringList &args, qsizetype positional, QStringList &paths, bool &json)
{
    json = false;
    for (const QString &arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg.startsWith("--") || paths.size() == positional)
            return false;
        else
            paths << arg;
    }
    return paths.size() == positional;
}

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
    return "usage: tessaron-cli info INPUT [--json]\n"
           "  INPUT   a .surf surface or an .hx scene\n"
           "  --json  one JSON object (docs/measurements.md) instead of text\n";
}

const char *measureUsage()
{
    return "usage: tessaron-cli measure INPUT MODEL_A MODEL_B [--json]\n"
           "  the closest gap between two models of INPUT, named as the Objects tree names them\n"
           "  --json  one JSON object (docs/measurements.md) instead of text\n";
}

int runInfo(const QStringList &args)
{
    QStringList paths;
    bool json = false;
    if (!parse(args, 1, paths, json))
        return std::fputs(infoUsage(), stderr), kUsageError;
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
    QStringList paths;
    bool json = false;
    if (!parse(args, 3, paths, json))
        return std::fputs(measureUsage(), stderr), kUsageError;
    std::vector<ModelSnapshot> shots;
    if (!snapshots(paths[0], shots))
        return 1;
    const ModelSnapshot *pair[2] = {nullptr, nullptr};
    for (int k = 0; k < 2; ++k) {
        for (const ModelSnapshot &shot : shots)
            if (shot.name == paths[k + 1]) {
                pair[k] = &shot;
                break;
            }
        if (!pair[k]) {
            QStringList names;
            for (const ModelSnapshot &shot : shots)
                names << shot.name;
            std::fprintf(stderr, "%s: no model named '%s'; its models are:\n  %s\n",
                         qPrintable(paths[0]), qPrintable(paths[k + 1]),
                         qPrintable(names.join(QStringLiteral("\n  "))));
            return 2;
        }
    }
    if (refused(*pair[0]) || refused(*pair[1]))
        return 1;
    const Gap gap = measureGap(*pair[0], *pair[1]);
    if (json) {
        printJson(gapJson(gap, paths[1], paths[2]));
        return 0;
    }
    QString text =
        QStringLiteral("%1 to %2: %3\n").arg(paths[1], paths[2], gapText(gap, paths[1], paths[2]));
    if (gap.valid)
        text += QStringLiteral("  on %1: %2\n  on %3: %4\n")
                    .arg(paths[1], pointText(gap.onA), paths[2], pointText(gap.onB));
    print(text);
    return 0;
}
