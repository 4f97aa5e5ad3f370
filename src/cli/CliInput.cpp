#include "CliInput.h"

#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QFileInfo>

#include <cstdio>

void printInputError(const QString &path, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(text));
}

namespace {

bool verbose = false;
OpenOptions readOptions;

// The colour a model without one of its own is drawn in: the view's default
// colour of front faces (#0000DD).
constexpr int kDefaultFront[3] = {0, 0, 221};

} // namespace

bool admitInput(const QString &input, Recognition &seen)
{
    const QFileInfo info(input);
    if (!info.exists()) {
        printInputError(input, QStringLiteral("the file does not exist"));
        return false;
    }
    seen = recognise(input);
    if (seen.kind != FileKind::Unknown)
        return true;
    printInputError(input,
                    info.isDir()
                        ? QStringLiteral("the folder holds no label maps; "
                                         "an INPUT is a file or a folder of masks: %1")
                              .arg(readEndings())
                        : QStringLiteral("Error filetype. Tessaron reads %1").arg(readEndings()));
    return false;
}

namespace {

void describe(const ModelClass &model)
{
    qint64 vertices = 0, cells = 0;
    for (const MeshClass *mesh : model.Meshes) {
        vertices += mesh->CountOfVertices;
        cells += mesh->totalCells();
    }
    const int *rgb = model.ModelColor[0] >= 0 ? model.ModelColor : kDefaultFront;
    std::fprintf(stderr, "%s: %s: %lld blocks, %lld vertices, %lld cells, colour %d %d %d\n",
                 qPrintable(model.FileName), qPrintable(model.Name), qint64(model.Meshes.size()),
                 vertices, cells, rgb[0], rgb[1], rgb[2]);
}

// Every problem the door met, errors and warnings alike: what an import left
// out reaches the user whether or not --verbose is on, so that a model that
// lost something does not pass for the whole file.
void printProblems(const OpenedFile &opened)
{
    for (const FileProblem &problem : opened.problems)
        printInputError(problem.path,
                        problem.warning ? Import::tr("warning: %1").arg(problem.text)
                                        : problem.text);
}

} // namespace

int commandFailure(const char *command, int status, const QString &text, const char *usage)
{
    std::fprintf(stderr, "tessaron-cli %s: %s\n", command, qPrintable(text));
    if (status == kUsageError)
        std::fputs(usage, stderr);
    return status;
}

int usageError(const char *command, const QString &cause, const char *usage)
{
    return commandFailure(command, kUsageError, cause, usage);
}

QString readCommandLine(const QStringList &args, const CommandGrammar &grammar, CommandArgs &out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            if (out.positional.size() == grammar.positional.size())
                return QStringLiteral("one argument too many: %1").arg(arg);
            out.positional << arg;
        } else if (grammar.switches.contains(arg)) {
            out.switches << arg;
        } else if (!grammar.valued.contains(arg)) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (i + 1 >= args.size()) {
            return QStringLiteral("%1 needs a value").arg(arg);
        } else {
            out.values.append({arg, args.at(++i)});
        }
    }
    return QString();
}

QString readArguments(const QStringList &args, const CommandGrammar &grammar, CommandArgs &out)
{
    const QString cause = readCommandLine(args, grammar, out);
    return cause.isEmpty() ? missingArgument(grammar, out) : cause;
}

QString missingArgument(const CommandGrammar &grammar, const CommandArgs &args)
{
    const QStringList &names = grammar.positional;
    if (args.positional.size() >= names.size())
        return QString();
    if (names.size() == 2 && args.positional.isEmpty())
        return QStringLiteral("%1 and %2 are missing").arg(names.at(0), names.at(1));
    return QStringLiteral("%1 is missing").arg(names.at(args.positional.size()));
}

const char *const kInputHelp =
    "  INPUT   a .surf surface or an .hx scene listing several; or a file to import:\n"
    "          meshes (.stl .obj .ply .off .gltf .glb .3mf), legacy VTK (.vtk), label\n"
    "          maps (.nii .nii.gz .nrrd .seg.nrrd .nhdr), or a folder of masks;\n"
    "          or a planning session (.tsn): its visible models with their colours,\n"
    "          opacity and camera\n";

bool namesModel(const QString &wanted, const QString &name, const QString &fileName)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0
        || (!fileName.isEmpty()
            && QFileInfo(fileName).completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0);
}

QString modelNamesText(const QStringList &names)
{
    return names.join(QStringLiteral(", "));
}

void setCliVerbose(bool on)
{
    verbose = on;
}

bool cliVerbose()
{
    return verbose;
}

void setCliReadOptions(ReadAs as, const QString &series)
{
    readOptions.as = as;
    readOptions.series = series;
}

bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models,
                     std::shared_ptr<const Session> *session)
{
    std::shared_ptr<const ImageVolume> image;
    if (!loadInput(input, models, image, session))
        return false;
    // A structure set or a DICOM folder's segments come with their image.
    if (!image || !models.empty())
        return true;
    printInputError(input,
                    QStringLiteral("the file holds an image, not surfaces; `info` describes it, "
                                   "and --ct IMAGE measures surfaces on it"));
    return false;
}

bool loadImage(const QString &path, std::shared_ptr<const ImageVolume> &image)
{
    Recognition seen;
    if (!admitInput(path, seen))
        return false;
    OpenOptions options = readOptions;
    options.as = ReadAs::Image;
    OpenedFile opened = openPath(seen, options);
    printProblems(opened);
    image = opened.image;
    // The image goes with other input, which takes the output: its own
    // warnings (missing slices, an assumed spacing) are said here.
    if (image)
        for (const QString &warning : image->warnings)
            printInputError(path, Import::tr("warning: %1").arg(warning));
    return !opened.failed() && image;
}

namespace {

// A session's hidden models are not part of what it shows: every command
// leaves them out, as the viewer leaves them out of what it draws and measures.
void dropHidden(OpenedFile &opened)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < opened.models.size(); ++i) {
        if (!opened.models[i]->Visible)
            continue;
        opened.entryOf[kept] = opened.entryOf[i];
        opened.models[kept++] = std::move(opened.models[i]);
    }
    opened.models.resize(kept);
    opened.entryOf.resize(kept);
}

} // namespace

bool openInput(const QString &input, OpenedFile &opened)
{
    Recognition seen;
    return admitInput(input, seen) && openInput(seen, opened);
}

bool openInput(const Recognition &seen, OpenedFile &opened)
{
    const QString &input = seen.path;
    opened = openPath(seen, readOptions);
    printProblems(opened);
    if (!opened.session)
        return !opened.failed();
    dropHidden(opened);
    if (opened.models.empty() && !opened.image) {
        printInputError(input, QStringLiteral("the session shows no model that could be opened"));
        return false;
    }
    return true;
}

bool loadInput(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models,
               std::shared_ptr<const ImageVolume> &image, std::shared_ptr<const Session> *session)
{
    Recognition seen;
    return admitInput(input, seen) && loadInput(seen, models, image, session);
}

bool loadInput(const Recognition &seen, std::vector<std::unique_ptr<ModelClass>> &models,
               std::shared_ptr<const ImageVolume> &image, std::shared_ptr<const Session> *session)
{
    const QString &input = seen.path;
    OpenedFile opened;
    if (!openInput(seen, opened))
        return false;
    image = opened.image;
    if (session)
        *session = opened.session;
    bool ok = true;
    if (ok && opened.kind == FileKind::Scene && opened.models.empty()) {
        printInputError(input, QStringLiteral("the scene names no surface"));
        ok = false;
    }
    for (auto &model : opened.models) {
        if (verbose)
            describe(*model);
        models.push_back(std::move(model));
    }
    return ok;
}
