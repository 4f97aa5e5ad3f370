// The door's way into a planning session: its files through the door again,
// its models matched to their entries and given their looks.

#include "ImportTypes.h"
#include "Importer.h"
#include "formats/SessionFile.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"

#include <QFile>
#include <QFileInfo>

#include <map>

#include <sys/stat.h>

namespace {

bool isRegularFile(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

using Models = std::vector<std::unique_ptr<ModelClass>>;

// Why a path a session names cannot be opened, or empty: only regular files
// and folders are read, so a device or a pipe neither hangs nor feeds the
// reader without end.
QString unopenable(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return Import::tr("The file does not exist.");
    const QString real = info.canonicalFilePath();
    for (const char *system : {"/proc/", "/sys/", "/dev/"})
        if (real.startsWith(QLatin1String(system)))
            return Import::tr("This is a system file, not a model or image file.");
    if (!info.isDir() && !isRegularFile(real))
        return Import::tr("This is a device or a pipe, not a file.");
    return {};
}

// Opens one file a session names (a model file or its image); what fails is a
// warning naming the file, so that the session's other files still open.
OpenedFile openNamed(const QString &file, OpenedFile &opened, const OpenOptions &options)
{
    if (const QString why = unopenable(file); !why.isEmpty()) {
        opened.problems << FileProblem {file, why, true};
        return {};
    }
    // The entry is recognised once, here, and opened as recognised.
    const Recognition entry = recognise(file);
    if (entry.kind == FileKind::Session) {
        opened.problems << FileProblem {
            file, Import::tr("A session names model files, not other sessions."), true};
        return {};
    }
    OpenedFile inner = openPath(entry, options);
    // A folder or file of no kind read gives nothing and says nothing itself.
    if (inner.kind == FileKind::Unknown && inner.problems.isEmpty())
        inner.problems << FileProblem {
            file,
            QFileInfo(file).isDir()
                ? Import::tr("This folder holds no label maps or DICOM images.")
                : Import::tr("Files of this kind are not opened; the endings read are %1.")
                      .arg(importEndings())};
    for (FileProblem problem : std::as_const(inner.problems)) {
        problem.warning = true;
        opened.problems << problem;
    }
    return inner;
}

// The models of `file` that the entry takes: the one of its name, or every
// one not yet taken when it names none. A file of one model gives it whatever
// its name, which the entry's then replaces: the model may have been renamed,
// or named by the scene it was opened from.
void takeModels(qsizetype index, const SessionModel &entry, Models &models, OpenedFile &opened)
{
    const auto take = [&](std::unique_ptr<ModelClass> &model) {
        applySessionLooks(*model, entry);
        if (!entry.shownName.isEmpty())
            model->Name = entry.shownName;
        else if (!entry.name.isEmpty())
            model->Name = entry.name;
        opened.models.push_back(std::move(model));
        opened.entryOf.push_back(index);
    };
    if (entry.name.isEmpty()) {
        for (auto &model : models)
            if (model)
                take(model);
        return;
    }
    for (auto &model : models)
        if (model && model->Name == entry.name)
            return take(model);
    // Sessions written before imported models kept their file's names name
    // them by the anatomy table's name ("Parenhima_left"), which their
    // structure still is.
    for (auto &model : models)
        if (model && model->property(kStructureProperty).toString() == entry.name)
            return take(model);
    if (models.size() == 1 && models.front())
        return take(models.front());
    if (models.empty()) // the file did not open, and that was said once already
        return;
    opened.problems << FileProblem {
        entry.file, Import::tr("The file holds no model named %1.").arg(entry.name), true};
}

void openImage(const SessionImage &image, OpenedFile &opened, OpenOptions options)
{
    options.as = ReadAs::Image;
    options.series = image.series;
    opened.image = openNamed(image.file, opened, options).image;
}

} // namespace

void openSession(const QString &path, OpenedFile &opened, const OpenOptions &options)
{
    auto session = std::make_shared<Session>();
    QString error;
    if (!readSession(path, *session, error)) {
        opened.problems << FileProblem {path, error};
        return;
    }
    OpenOptions modelOptions = options;
    modelOptions.as = ReadAs::Guess;
    modelOptions.series.clear();
    std::map<QString, Models> byFile; // each file opened once, in the order first named
    for (const SessionModel &entry : std::as_const(session->models))
        if (!byFile.count(entry.file))
            byFile.emplace(entry.file,
                           std::move(openNamed(entry.file, opened, modelOptions).models));
    for (qsizetype i = 0; i < session->models.size(); ++i) {
        const SessionModel &entry = session->models.at(i);
        takeModels(i, entry, byFile[entry.file], opened);
    }
    if (session->image)
        openImage(*session->image, opened, options);
    opened.session = std::move(session);
}
