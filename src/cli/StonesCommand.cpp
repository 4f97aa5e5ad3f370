#include "StonesCommand.h"

#include "CliInput.h"
#include "ImageInfo.h"
#include "formats/FileKinds.h"
#include "formats/LabelMapWriter.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "measure/MeasureReport.h"
#include "measure/ModelSurface.h"
#include "measure/StoneModel.h"
#include "model/ModelClass.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

using namespace measure;

namespace {

void print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

// "X0:X1,Y0:Y1,Z0:Z1" in millimetres; false when it is not that.
bool parseBox(const QString &text, std::array<double, 6> &box)
{
    const QStringList pairs = text.split(QLatin1Char(','));
    if (pairs.size() != 3)
        return false;
    for (int a = 0; a < 3; ++a) {
        const QStringList ends = pairs[a].split(QLatin1Char(':'));
        if (ends.size() != 2)
            return false;
        for (int e = 0; e < 2; ++e) {
            bool ok = false;
            box[std::size_t(2 * a + e)] = ends[e].trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(box[std::size_t(2 * a + e)]))
                return false;
        }
    }
    return true;
}

// The surfaces of INPUT the search stays within: its kidneys, collecting
// systems and ureters, or every model when it names none of them.
bool insideSurfaces(const QString &input, std::vector<TriangleSurface> &out)
{
    std::vector<std::unique_ptr<ModelClass>> models;
    if (!loadInputModels(input, models))
        return false;
    std::vector<ModelSnapshot> shots;
    for (const auto &model : models)
        shots.push_back(snapshotModel(*model));
    for (const ModelSnapshot &shot : shots)
        if (shot.anatomy == Anatomy::Kidney || shot.anatomy == Anatomy::CollectingSystem
            || shot.anatomy == Anatomy::Ureter)
            out.push_back(shot.surface);
    if (out.empty())
        for (const ModelSnapshot &shot : shots)
            out.push_back(shot.surface);
    return true;
}

QJsonValue number(const std::optional<double> &v)
{
    return v ? QJsonValue(std::round(*v * 100) / 100) : QJsonValue();
}

double rounded(double v)
{
    return std::round(v * 100) / 100;
}

QJsonArray triple(const std::array<double, 3> &p)
{
    return {rounded(p[0]), rounded(p[1]), rounded(p[2])};
}

QJsonValue sideJson(anatomy::Side side)
{
    if (side == anatomy::Side::None)
        return QJsonValue();
    return side == anatomy::Side::Left ? QStringLiteral("left") : QStringLiteral("right");
}

QJsonObject stonesJson(const ImageVolume &image, double level, const StoneSearch &found)
{
    QJsonArray stones, excluded;
    int number = 0;
    for (const FoundStone &s : found.stones)
        stones.append(QJsonObject {
            {"number", ++number},
            {"centre", triple(s.centre)},
            {"volume_mm3", rounded(s.volumeMm3)},
            {"diameters_mm", triple(s.diameters)},
            {"largest_diameter_mm", rounded(s.largestDiameterMm)},
            {"axial_diameter_mm", rounded(s.axialDiameterMm)},
            {"hu_mean", rounded(s.huMean)},
            {"hu_peak", rounded(s.huPeak)},
            {"density_hu", rounded(s.densityHu)},
            {"density_source", densitySourceKey(s.densitySource)},
            {"side", sideJson(s.side)},
            {"skin_distance_mm", ::number(s.skinDistanceMm)},
            {"swl_skin_distance_mm", ::number(s.swlSkinDistanceMm)},
        });
    for (const ExcludedCandidate &e : found.excluded)
        excluded.append(QJsonObject {{"centre", triple(e.centre)}, {"reason", e.reason}});
    return {{"image", imageJson(image)},
            {"level_hu", level},
            {"stones", stones},
            {"excluded", excluded},
            {"burden_mm3", rounded(found.burdenMm3())}};
}

QString mm(const std::optional<double> &v)
{
    return v ? QString::number(*v, 'f', 1) : QStringLiteral("-");
}

QString stonesText(double level, const StoneSearch &found)
{
    if (found.stones.empty())
        return QStringLiteral("No stone at %1 HU or more in the region.\n").arg(level);
    QString text = QStringLiteral(
        "  # centre (mm)                  volume mm3  diameters (mm)      largest axial  HU mean "
        "peak  side   skin  SWL skin\n");
    int number = 0;
    for (const FoundStone &s : found.stones)
        text += QStringLiteral("%1 %2 %3  %4 x %5 x %6 %7 %8 %9 %10  %11 %12 %13\n")
                    .arg(++number, 3)
                    .arg(pointText(s.centre), -30)
                    .arg(s.volumeMm3, 10, 'f', 1)
                    .arg(s.diameters[0], 4, 'f', 1)
                    .arg(s.diameters[1], 4, 'f', 1)
                    .arg(s.diameters[2], 4, 'f', 1)
                    .arg(s.largestDiameterMm, 7, 'f', 1)
                    .arg(s.axialDiameterMm, 5, 'f', 1)
                    .arg(s.huMean, 8, 'f', 0)
                    .arg(s.huPeak, 5, 'f', 0)
                    .arg(s.side == anatomy::Side::None
                             ? QStringLiteral("-")
                             : (s.side == anatomy::Side::Left ? QStringLiteral("left")
                                                              : QStringLiteral("right")),
                         -5)
                    .arg(mm(s.skinDistanceMm), 6)
                    .arg(mm(s.swlSkinDistanceMm), 8);
    text += QStringLiteral("Stone burden: %1 mm3\n").arg(found.burdenMm3(), 0, 'f', 1);
    return text;
}

QString excludedText(const StoneSearch &found)
{
    QString text;
    for (const ExcludedCandidate &e : found.excluded)
        text += QStringLiteral("Excluded at %1: %2\n").arg(pointText(e.centre), e.reason);
    return text;
}

// The stones as a label map on the image's grid: stone n is label n.
bool saveLabels(const QString &path, LabelMapFormat format, const ImageVolume &image,
                const StoneSearch &found)
{
    std::vector<qint16> labels(std::size_t(image.voxelCount()), 0);
    qint16 number = 0;
    for (const FoundStone &s : found.stones) {
        ++number;
        for (qint64 v : s.voxels)
            labels[std::size_t(v)] = number;
    }
    QString error;
    if (writeLabelMap(path, format, image.size, image.toWorld, labels, error))
        return true;
    printInputError(path, error);
    return false;
}

// Writes the stones as a model in OUTPUT's format, or as a label map.
int save(const QString &output, const ImageVolume &image, const StoneSearch &found)
{
    const FileKind kind = recognise(output).kind;
    if (kind == FileKind::Nifti || kind == FileKind::Nrrd)
        return saveLabels(output,
                          kind == FileKind::Nifti ? LabelMapFormat::Nifti : LabelMapFormat::Nrrd,
                          image, found)
            ? 0
            : 2;
    const FileKindRow *writer = writerForName(output);
    if (!writer || kind == FileKind::Glb || kind == FileKind::Gltf)
        return usageError("stones",
                          QStringLiteral("%1: unknown output format; the endings written are %2, "
                                         "and a label map's")
                              .arg(output, writtenEndings()),
                          stonesUsage());
    const std::unique_ptr<ModelClass> model = stonesModel(found.stones);
    if (saveModelFile(model.get(), QString::fromLatin1(writer->saveFilter), output, false) != 0) {
        const QString reason = lastOutputError();
        printInputError(output, reason.isEmpty() ? QStringLiteral("cannot be written") : reason);
        return 2;
    }
    // A mesh file's model is named and classed by the file's name (cut at
    // its first dot, as the writer cuts it): one that does not say "stones"
    // opens again as a model of no anatomy, which the stone tables leave out.
    if (anatomyOf(QString(), QFileInfo(output).fileName().section(u'.', 0, 0)) != Anatomy::Stones)
        printInputError(output,
                        QStringLiteral("note: opened again, this model is not taken for "
                                       "stones; a file name with \"stones\" in it (as "
                                       "plan_stones.stl) is"));
    return 0;
}

} // namespace

const char *const kStonesCommand = "stones";

const char *stonesUsage()
{
    return "usage: tessaron-cli stones IMAGE [--inside INPUT] [--box X0:X1,Y0:Y1,Z0:Z1]\n"
           "                          [--level HU] [--json] [--save OUTPUT]\n"
           "  finds the stones of a CT in Hounsfield units: connected voxels at or above the\n"
           "  level, each measured to sub-voxel accuracy (its volume corrected for partial\n"
           "  volume and blur, principal, largest and axial diameters, core mean and peak\n"
           "  HU, centre, side of the body's midline, skin distances); a candidate over\n"
           "  40 mm long (bone, contrast) is listed as excluded with its reason\n"
           "  IMAGE   a CT: NIfTI, NRRD or DICOM\n"
           "  --inside INPUT  only within 10 mm of its kidneys, collecting systems and\n"
           "          ureters (of every model when it has none of them)\n"
           "  --box X0:X1,Y0:Y1,Z0:Z1  only within this box, patient millimetres\n"
           "          (without either, the whole image)\n"
           "  --level HU  the detection level, 200 by default\n"
           "  --json  one JSON object: image, level_hu, stones, excluded, burden_mm3\n"
           "  --save OUTPUT  the stones as a model (one ellipsoid of its volume per stone)\n"
           "          in the format of OUTPUT's ending, or a label map (NIfTI or NRRD)\n"
           "  Exit status 0 (also when no stone is found); 1 for an image that cannot be\n"
           "  read or is not a CT, or a region outside it; 2 when OUTPUT cannot be\n"
           "  written; 64 on a usage error.\n";
}

int runStones(const QStringList &args)
{
    static const CommandGrammar grammar {
        {"IMAGE"}, {"--json"}, {"--inside", "--box", "--level", "--save"}};
    CommandArgs line;
    if (const QString cause = readArguments(args, grammar, line); !cause.isEmpty())
        return usageError("stones", cause, stonesUsage());
    StoneSearchOptions options;
    QString inside, output;
    for (const auto &[option, value] : line.values) {
        bool ok = true;
        if (option == u"--level")
            options.levelHu = value.toDouble(&ok);
        else if (option == u"--box") {
            ok = parseBox(value, options.region.box);
            options.region.kind = StoneRegion::Kind::Box;
        } else if (option == u"--inside")
            inside = value;
        else if (option == u"--save")
            output = value;
        if (!ok || !std::isfinite(options.levelHu))
            return usageError("stones", QStringLiteral("%1 does not take '%2'").arg(option, value),
                              stonesUsage());
    }
    if (!inside.isEmpty() && options.region.kind == StoneRegion::Kind::Box)
        return usageError("stones", QStringLiteral("--inside and --box exclude each other"),
                          stonesUsage());
    std::vector<std::unique_ptr<ModelClass>> models;
    std::shared_ptr<const ImageVolume> image;
    if (!loadInput(line.positional[0], models, image))
        return 1;
    if (!image || !holdsHounsfield(*image)) {
        printInputError(line.positional[0], notHounsfieldText());
        return 1;
    }
    if (!inside.isEmpty()) {
        options.region.kind = StoneRegion::Kind::Inside;
        if (!insideSurfaces(inside, options.region.inside))
            return 1;
    }
    const StoneSearch found = findStones(*image, options);
    if (!found.error.isEmpty()) {
        printInputError(line.positional[0], found.error);
        return 1;
    }
    if (line.has("--json"))
        print(QString::fromUtf8(QJsonDocument(stonesJson(*image, options.levelHu, found))
                                    .toJson(QJsonDocument::Indented)));
    else
        print(stonesText(options.levelHu, found) + excludedText(found));
    return output.isEmpty() ? 0 : save(output, *image, found);
}
