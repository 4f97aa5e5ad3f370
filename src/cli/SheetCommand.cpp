#include "SheetCommand.h"

#include "CliInput.h"
#include "ViewInput.h"
#include "formats/FileKinds.h"
#include "model/ModelClass.h"
#include "view/CaseSheet.h"
#include "view/GLWidget.h"
#include "view/SettingsFile.h"
#include "view/ViewConfig.h"
#include "view/ViewHost.h"

#include <QApplication>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kUnavailable = 69;
constexpr int kNothingToShow = 1;
constexpr int kCannotWrite = 2;

struct SheetOptions
{
    QString input, output, title, ct;
    std::optional<Language> language; // none: the viewer's setting
    QString views = QStringLiteral("auto");
};

int fail(int status, const QString &text)
{
    return commandFailure("sheet", status, text, sheetUsage());
}

QString parse(const QStringList &args, SheetOptions &o)
{
    static const CommandGrammar grammar {
        {"INPUT", "OUTPUT.pdf"}, {}, {"--title", "--views", "--language", "--ct"}};
    CommandArgs line;
    if (const QString cause = readCommandLine(args, grammar, line); !cause.isEmpty())
        return cause;
    for (const auto &[option, value] : std::as_const(line.values)) {
        if (option == QLatin1String("--title"))
            o.title = value;
        else if (option == QLatin1String("--ct"))
            o.ct = value;
        else if (option == QLatin1String("--views")
                 && QStringList {"auto", "vector", "picture"}.contains(value))
            o.views = value;
        else if (option == QLatin1String("--language") && (value == "en" || value == "ru"))
            o.language = value == QLatin1String("ru") ? Language::Russian : Language::English;
        else
            return QStringLiteral("%1 takes %2, not '%3'")
                .arg(option, option == QLatin1String("--views") ? "auto|vector|picture" : "en|ru",
                     value);
    }
    if (const QString missing = missingArgument(grammar, line); !missing.isEmpty())
        return missing;
    o.input = line.positional.at(0);
    o.output = line.positional.at(1);
    if (!isCaseSheetName(o.output))
        return QStringLiteral("OUTPUT must end in ") + caseSheetEnding();
    return QString();
}

} // namespace

const char *sheetUsage()
{
    static const QByteArray text =
        QByteArray("usage: tessaron-cli sheet INPUT OUTPUT.pdf [--title TEXT] [--language en|ru]\n"
                   "       [--views auto|vector|picture] [--ct IMAGE]\n"
                   "  the case sheet of INPUT as one A4 page: the visible models from the front,\n"
                   "  the side and the top, their legend and measurements; the tables go on to\n"
                   "  a second page when they do not fit. The skin, kidney and collecting system\n"
                   "  are drawn see-through so that the stones, the tumour and the gaps show\n")
        + kInputHelp
        + "  --title     the sheet's title (default: INPUT's file name)\n"
          "  --ct IMAGE  the image the surfaces were made on: the tables gain the values\n"
          "              inside each model and stone (HU of a CT) and the stone score\n"
          "              its E; the page gains the axial slice through the largest\n"
          "              stone with the models' outlines (default: INPUT's own image,\n"
          "              a session's CT)\n"
          "  --language  of the sheet's texts (default: the viewer's interface language)\n"
          "  A session's first view is its own camera's direction instead of the front.\n"
          "  --views     vector, picture (300 dpi) or auto (the default: vector up to\n"
          "              60,000 triangles)\n"
          "  Needs an OpenGL-capable display (xvfb-run will do). Exits 1 when nothing can\n"
          "  be shown, 2 when OUTPUT cannot be written (an earlier file is kept).\n";
    return text.constData();
}

int runSheet(const QStringList &args)
{
    SheetOptions o;
    if (const QString error = parse(args, o); !error.isEmpty())
        return fail(kUsageError, error);
    QString why;
    const std::unique_ptr<QApplication> app = startDrawing(why);
    if (!app)
        return fail(kUnavailable, why);
    QTranslator translator;
    if (o.language.value_or(SettingsFile::savedLanguage()) == Language::Russian
        && translator.load(QStringLiteral(":/ru_translate")))
        QCoreApplication::installTranslator(&translator);
    std::shared_ptr<const ImageVolume> ct;
    if (!o.ct.isEmpty() && !loadImage(o.ct, ct))
        return kNothingToShow;
    HeadlessHost host;
    GLWidget view(nullptr, &host);
    view.UseDisplayLists = false; // three frames: drawn straight from the arrays
    FileKind kind = FileKind::Unknown;
    if (!loadIntoView(
            view, o.input, [](const QString &text) { fail(kNothingToShow, text); }, &kind))
        return fail(kNothingToShow, QStringLiteral("nothing to show in %1").arg(o.input));
    // INPUT's own image (a session's CT, a structure set's) gives the
    // numbers and the slice when --ct names none, as in the window.
    if (!ct)
        ct = view.State.Image;
    const std::vector<measure::ModelSnapshot> shots = sheet::visibleSnapshots(view);
    if (shots.empty())
        return fail(kNothingToShow, sheet::nothingVisibleText());
    CaseSheet sheet;
    const QFileInfo input(o.input);
    sheet.title = o.title.isEmpty() ? input.fileName() : o.title;
    sheet.folder = input.absolutePath();
    sheet.made = QDateTime::currentDateTime();
    measure::SceneOptions measuring;
    measuring.image = ct.get();
    sheet.measured = measure::measureScene(shots, measuring);
    if (ct)
        sheet::sliceThroughStone(*ct, shots, sheet);
    const bool vector = o.views == QLatin1String("auto")
        ? sheet::vectorFits(view, sheet::triangleCount(shots))
        : o.views == QLatin1String("vector");
    sheet::captureViews(view, vector, sheet, kind == FileKind::Session);
    if (const QString error = sheet::writePdf(sheet, o.output); !error.isEmpty())
        return fail(kCannotWrite, error);
    // The file is complete; tearing down the scene would only delay the exit.
    std::fflush(nullptr);
    std::_Exit(0);
}
