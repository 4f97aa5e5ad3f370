#include "RenderCommand.h"

#include "CliInput.h"
#include "ViewInput.h"
#include "formats/FileKinds.h"
#include "formats/OutputFile.h"
#include "geometry/PhaseTrace.h"
#include "model/ImageSlice.h"
#include "view/GLWidget.h"
#include "view/Orientation.h"
#include "view/ViewCommands.h"
#include "view/ViewHost.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kUnavailable = 69; // no display or no OpenGL
constexpr int kFailure = 1;

// The endings OUTPUT may have, in the order the usage lists them.
QStringList outputEndings()
{
    using P = PictureKind;
    return pictureEndings({P::Png, P::Jpeg, P::Bmp, P::Svg, P::Pdf, P::Eps, P::Ps});
}

struct RenderOptions
{
    QString input, output;
    int width = 1024, height = 768;
    QString view = QStringLiteral("fit");
    bool orientation = true; // the edge letters
    int faces = 1;           // colour mode; 0 none
    int edges = 0;           // 0 none, 1 contour, 2 surface
    bool points = false;
    QString background;
    QList<std::pair<QString, double>> opacities; // model name, opacity 0..1
    QString ct;                                  // the image whose planes are drawn
    std::array<bool, kSliceOrientations> slices = {true, true, true};
    bool slicesChosen = false;
    std::optional<double> window, level;
    // Options given on the command line, which a session's own choices yield to.
    QStringList chosen;
    bool session = false;
};

// A window-less host whose view state carries the requested edges and
// points as a menu would, so that every model is built once, as a load
// builds it.
class RenderHost : public HeadlessHost
{
public:
    explicit RenderHost(const RenderOptions &o)
    {
        state.Menus = true;
        state.Edges = EdgeEntry(o.edges); // the choices in the entries' order
        state.Points = o.points;
    }
};

int fail(int status, const QString &text)
{
    return commandFailure("render", status, text, renderUsage());
}

// --slices: a comma-separated list of plane names.
QString takeSlices(const QString &value, RenderOptions &o)
{
    static const QStringList names = {"sagittal", "coronal", "axial"}; // by SliceOrientation
    o.slices = {false, false, false};
    o.slicesChosen = true;
    for (const QString &name : value.split(QLatin1Char(','))) {
        const qsizetype k = names.indexOf(name.trimmed());
        if (k < 0)
            return QStringLiteral("--slices takes axial, coronal and sagittal, not '%1'").arg(name);
        o.slices[size_t(k)] = true;
    }
    return QString();
}

// The value of one option into `o`; an empty string, or why it is wrong.
QString takeValue(const QString &option, const QString &value, RenderOptions &o)
{
    static const QStringList faces = {"none",   "normal",   "surface",
                                      "hidden", "material", "function"};
    static const QStringList edges = {"none", "contour", "surface"};
    static const QStringList views = {"fit",   "start",    "xy",        "xz",
                                      "yz",    "anterior", "posterior", "left",
                                      "right", "superior", "inferior"};
    auto choice = [&](const QStringList &choices, int &into) {
        into = int(choices.indexOf(value));
        return into >= 0 ? QString()
                         : QStringLiteral("%1 takes %2, not '%3'")
                               .arg(option, choices.join(QLatin1Char('|')), value);
    };
    if (option == QLatin1String("--size")) {
        const auto m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(value);
        o.width = m.hasMatch() ? m.captured(1).toInt() : 0;
        o.height = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (o.width < 1 || o.height < 1 || o.width > 16384 || o.height > 16384)
            return QStringLiteral("bad size '%1' (WxH, 1..16384)").arg(value);
        return QString();
    }
    if (option == QLatin1String("--view")) {
        int k = 0;
        const QString error = choice(views, k);
        if (error.isEmpty())
            o.view = value;
        return error;
    }
    if (option == QLatin1String("--faces"))
        return choice(faces, o.faces);
    if (option == QLatin1String("--edges"))
        return choice(edges, o.edges);
    if (option == QLatin1String("--opacity")) {
        const auto m = QRegularExpression(QStringLiteral("^(.+)=([-+0-9.eE]+)$")).match(value);
        bool number = false;
        const double opacity = m.hasMatch() ? m.captured(2).toDouble(&number) : 0;
        if (!number)
            return QStringLiteral("--opacity takes NAME=VALUE, not '%1'").arg(value);
        if (!(opacity >= 0 && opacity <= 1))
            return QStringLiteral("--opacity %1: the opacity must be from 0 to 1").arg(value);
        o.opacities.append({m.captured(1), opacity});
        return QString();
    }
    if (option == QLatin1String("--ct")) {
        o.ct = value;
        return QString();
    }
    if (option == QLatin1String("--slices"))
        return takeSlices(value, o);
    if (option == QLatin1String("--window") || option == QLatin1String("--level")) {
        bool number = false;
        const double x = value.toDouble(&number);
        if (!number || !std::isfinite(x))
            return QStringLiteral("%1 takes a number, not '%2'").arg(option, value);
        if (option == QLatin1String("--level")) {
            o.level = x;
            return QString();
        }
        if (x <= 0)
            return QStringLiteral("--window %1: the window must be above 0").arg(value);
        o.window = x;
        return QString();
    }
    if (option == QLatin1String("--background")) {
        if (!QRegularExpression(QStringLiteral("^#[0-9A-Fa-f]{6}$")).match(value).hasMatch())
            return QStringLiteral("--background takes #RRGGBB, not '%1'").arg(value);
        o.background = value;
        return QString();
    }
    return QStringLiteral("unknown option %1").arg(option);
}

// Reads the options; an empty string, or the reason they are wrong.
QString parse(const QStringList &args, RenderOptions &o)
{
    static const CommandGrammar grammar {{"INPUT", "OUTPUT"},
                                         {"--points", "--no-orientation"},
                                         {"--size", "--view", "--faces", "--edges", "--background",
                                          "--opacity", "--ct", "--slices", "--window", "--level"}};
    CommandArgs line;
    if (const QString cause = readCommandLine(args, grammar, line); !cause.isEmpty())
        return cause;
    o.points = line.has("--points");
    o.orientation = !line.has("--no-orientation");
    for (const auto &[option, value] : std::as_const(line.values)) {
        if (const QString error = takeValue(option, value, o); !error.isEmpty())
            return error;
        o.chosen << option;
    }
    if (const QString missing = missingArgument(grammar, line); !missing.isEmpty())
        return missing;
    o.input = line.positional.at(0);
    o.output = line.positional.at(1);
    if (pictureKindOf(o.output) == PictureKind::None) {
        const QStringList endings = outputEndings();
        return QStringLiteral("OUTPUT must end in %1 or %2")
            .arg(endings.first(endings.size() - 1).join(u' '), endings.last());
    }
    return QString();
}

// The standard view and the face and edge modes; models whose modes change
// are rebuilt. Every view but the viewer's start view frames the whole scene.
// A session keeps its camera and its models' modes where the command line
// does not choose.
void applyModes(GLWidget &view, const RenderOptions &o)
{
    const auto chosen = [&o](const char *option) {
        return !o.session || o.chosen.contains(QLatin1String(option));
    };
    if (chosen("--view")) {
        ViewCommands commands(view);
        if (o.view == QLatin1String("xy"))
            commands.setPlaneXY();
        else if (o.view == QLatin1String("xz"))
            commands.setPlaneXZ();
        else if (o.view == QLatin1String("yz"))
            commands.setPlaneYZ();
        else if (AnatomicalView side; viewOfWord(o.view, side))
            commands.setAnatomicalView(side);
        if (o.view != QLatin1String("start"))
            view.frameScene(GLWidget::FitMargin);
    }
    for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
        ModelClass *model = view.ModelList.at(i);
        const int faces = chosen("--faces") ? o.faces : model->Settings.ColorMode;
        // Without a session the edges came with the placement, from the host's menus.
        const int edges = o.session && chosen("--edges") ? o.edges : model->Settings.EdgesMode;
        if (model->Settings.ColorMode == faces && model->Settings.EdgesMode == edges)
            continue;
        model->setColorMode(faces);
        model->setEdgesMode(edges);
        model->updateMaterials();
        model->NeedsRebuild = 1;
        model->prepareDraw();
    }
}

// Makes the named models transparent; the name is a model's name or its
// file's name without the folder and ending, in any case.
QString applyOpacities(GLWidget &view, const RenderOptions &o)
{
    for (const auto &[name, opacity] : o.opacities) {
        bool found = false;
        QStringList names;
        for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
            ModelClass *model = view.ModelList.at(i);
            names << model->title();
            if (!namesModel(name, model->title(), model->FileName))
                continue;
            found = true;
            model->setTransparency(opacity < 1.0, opacity);
        }
        if (!found)
            return QStringLiteral("--opacity: no model named '%1' in %2; its models are %3")
                .arg(name, o.input, modelNamesText(names));
    }
    return QString();
}

// The planes and the window asked, on the image the view holds.
void chooseSlices(GLWidget &view, const RenderOptions &o)
{
    SliceState &slices = view.State.Slices;
    slices.shown = o.slices;
    if (o.window)
        slices.windowLevel.window = *o.window;
    if (o.level)
        slices.windowLevel.level = *o.level;
}

// The image of --ct into the view's state with the planes and window asked.
bool loadSlices(GLWidget &view, const RenderOptions &o)
{
    std::shared_ptr<const ImageVolume> image;
    if (!loadImage(o.ct, image) || !image || image->isEmpty())
        return false;
    for (const QString &warning : image->warnings)
        printInputError(o.ct, QStringLiteral("warning: %1").arg(warning));
    view.State.Image = image;
    view.State.ImagePath = o.ct;
    view.State.Slices = startingSlices(*image);
    chooseSlices(view, o);
    return true;
}

} // namespace

const char *renderUsage()
{
    static const QByteArray text =
        QByteArray(
            "usage: tessaron-cli render INPUT OUTPUT [--size WxH] [--view VIEW]\n"
            "       [--faces normal|surface|hidden|material|function|none] [--no-orientation]\n"
            "       [--edges none|contour|surface] [--points] [--background #RRGGBB]\n"
            "       [--opacity NAME=VALUE]...\n"
            "       [--ct IMAGE] [--slices axial,coronal,sagittal] [--window W --level L]\n"
            "  draws INPUT's models together as the viewer does\n")
        + kInputHelp
        + "  OUTPUT  its ending chooses the image: " + outputEndings().join(u' ').toLatin1()
        + "\n"
          "  --size  of the picture in pixels (default 1024x768)\n"
          "  --view  fit (the default) shows the whole scene with a 5 % margin; start is\n"
          "          the viewer's start view; xy, xz, yz look along an axis, framed as fit;\n"
          "          anterior, posterior, left, right, superior, inferior: from that side\n"
          "          of the patient (anterior: the patient's right on the picture's left,\n"
          "          head up), framed as fit\n"
          "  --no-orientation  leaves out the letters at the picture's edges that name\n"
          "          the patient's side each faces (R/L, A/P, S/I)\n"
          "  --opacity  draws the model of that name (or file name, in any case) with an\n"
          "          opacity from 0 to 1, so that what lies inside it shows\n"
          "  --ct    draws the image's planes through its centre among the models; an\n"
          "          image INPUT (a CT) is drawn as its planes alone\n"
          "  --slices  which planes (default all three)\n"
          "  --window, --level  the grey window in the image's unit (default soft tissue\n"
          "          W 400 / L 40 for a CT, else the image's whole range)\n"
          "  Needs an OpenGL-capable display (xvfb-run will do).\n";
    return text.constData();
}

int runRender(const QStringList &args)
{
    RenderOptions o;
    if (const QString error = parse(args, o); !error.isEmpty())
        return fail(kUsageError, error);
    PhaseTrace trace("render");
    QString why;
    const std::unique_ptr<QApplication> app = startDrawing(why);
    if (!app)
        return fail(kUnavailable, why);
    trace.mark("start-up");
    RenderHost host(o);
    GLWidget view(nullptr, &host);
    view.UseDisplayLists = false; // one frame: drawn straight from the arrays
    view.resize(o.width, o.height);
    view.State.Config.printingQuality = 1;
    view.ShowOrientation = o.orientation;
    if (!o.background.isEmpty()) {
        view.State.Config.background = o.background;
        colorFromName(o.background, view.State.ClearColor);
    }
    FileKind kind = FileKind::Unknown;
    if (!loadIntoView(
            view, o.input, [](const QString &text) { fail(kFailure, text); }, &kind))
        return fail(kFailure, QStringLiteral("nothing to draw in %1").arg(o.input));
    o.session = kind == FileKind::Session;
    if (!o.ct.isEmpty() && !loadSlices(view, o))
        return fail(kFailure, QStringLiteral("cannot read the image %1").arg(o.ct));
    if (o.ct.isEmpty() && (o.slicesChosen || o.window || o.level)) {
        // INPUT's own image (a CT, a session's) takes them as --ct's would.
        if (!view.State.Image)
            return fail(kUsageError,
                        QStringLiteral("--slices, --window and --level need an "
                                       "image: INPUT's or --ct IMAGE"));
        chooseSlices(view, o);
    }
    applyModes(view, o);
    if (const QString error = applyOpacities(view, o); !error.isEmpty())
        return fail(kUsageError, error);
    trace.mark("load");
    if (!view.saveImage(o.output, true)) {
        const QString reason = lastOutputError();
        return fail(kFailure,
                    reason.isEmpty() ? QStringLiteral("cannot write %1").arg(o.output) : reason);
    }
    // The image is written and closed; tearing down a scene of millions of
    // triangles would only delay the exit.
    trace.mark("picture");
    std::fflush(nullptr);
    std::_Exit(0);
}
