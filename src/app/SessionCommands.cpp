// The main window's planning sessions: Save Session writes what the window
// shows (the models' files and looks, the camera, the image and its slices,
// the scores entered and the gap shown); opening one replaces the plan on
// screen with it. The stones found on the CT, which have no file of their
// own, are written beside the session so that it holds them too.

#include "StoneFinding.h"
#include "Tessaron.h"
#include "formats/FileKinds.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "formats/SessionFile.h"
#include "import/Importer.h"
#include "measure/Anatomy.h"
#include "model/AnatomyTable.h"
#include "panels/MeasurementsControl.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/SessionView.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString sessionFilter()
{
    return Tessaron::tr("Sessions (*%1)").arg(kindEnding(FileKind::Session));
}

// Where the found stones are kept beside a session: "plan.tsn" keeps them in
// "plan_stones.stl". A model read from a mesh file is named and classed by
// the file's name, so the name has to read as stones; the writers cut a name
// at its first dot, so the session's dots become underscores. A session
// whose name reads as another structure first (a tumour's) keeps them in
// "stones.stl", or the first "stones_N.stl" that is free or theirs already.
QString foundStonesFile(const QString &session, const ModelClass &stones)
{
    const QFileInfo info(session);
    const QDir folder = info.absoluteDir();
    const QString word = anatomy::keyOf(anatomy::Structure::Stones);
    const QString stl = kindEnding(FileKind::Stl);
    const QString own =
        folder.filePath(info.completeBaseName().replace(u'.', u'_') + u'_' + word + stl);
    if (measure::anatomyOf(QString(), own) == measure::Anatomy::Stones)
        return own;
    for (int n = 1;; ++n) {
        const QString name = folder.filePath(
            n == 1 ? word + stl : QStringLiteral("%1_%2%3").arg(word).arg(n).arg(stl));
        if (!QFileInfo::exists(name) || QFileInfo(name) == QFileInfo(stones.FileName))
            return name;
    }
}

// Writes the found stones beside the session, as text STL that keeps their
// name, through a partial file; on success the model is of that file, so
// that the session lists it like any other. False after saying why not.
bool keepFoundStones(ModelClass &stones, const QString &session, QWidget *parent)
{
    const QString file = foundStonesFile(session, stones);
    clearOutputError();
    const qint32 status = saveModelFile(
        &stones, QString::fromLatin1(kindRow(FileKind::Stl)->saveFilter), file, false);
    if (status != errNone) {
        const QString reason = lastOutputError();
        Dialogs::current().critical(parent, Tessaron::tr("Error"),
                                    reason.isEmpty() ? file + ": " + errorMessage(status) : reason);
        return false;
    }
    stones.FileName = file;
    return true;
}

} // namespace

QString Tessaron::documentTitle() const
{
    return SessionPath.isEmpty()
        ? windowTitleText()
        : QStringLiteral("%1 — %2").arg(QFileInfo(SessionPath).fileName(), windowTitleText());
}

void Tessaron::setSessionPath(const QString &path)
{
    SessionPath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    setWindowTitle(documentTitle());
}

void Tessaron::saveSession()
{
    QString name =
        Dialogs::current().getSaveFileName(this, tr("Save Session"), lastFolder, sessionFilter());
    if (name.isEmpty())
        return;
    if (!isSessionName(name))
        name += kindEnding(FileKind::Session);
    if (ModelClass *found = Stones ? Stones->model() : nullptr;
        found && !keepFoundStones(*found, name, this))
        return;
    QStringList unsaved;
    Session session = captureSession(*View, &unsaved);
    if (auto *measurements = static_cast<MeasurementsControl *>(panel(PanelKind::Measurements)))
        measurements->savePlan(session);
    if (!session.gap && ClosestPair && View->measureMark())
        session.gap = SessionGap {ClosestPair->first, ClosestPair->second, 0, true};
    if (session.models.isEmpty() && !session.image) {
        Dialogs::current().warning(this, tr("Warning"),
                                   tr("There is nothing to save: a session holds models and an "
                                      "image that were opened from files."));
        return;
    }
    clearOutputError();
    if (writeSession(name, session) != 0) {
        const QString reason = lastOutputError();
        Dialogs::current().critical(
            this, tr("Error"), reason.isEmpty() ? name + ": " + errorMessage(errOpen) : reason);
        return;
    }
    lastFolder = QFileInfo(name).absolutePath();
    rememberFile(name);
    setSessionPath(name);
    if (!unsaved.isEmpty())
        Dialogs::current().message(
            nullptr, QString(),
            tr("These models were made in the window and have no file, so the session does not "
               "hold them; save them and save the session again: %1")
                .arg(unsaved.join(QStringLiteral(", "))));
}

void Tessaron::openSession()
{
    const QStringList files =
        Dialogs::current().getOpenFileNames(this, tr("Open Session"), lastFolder, sessionFilter());
    if (files.isEmpty())
        return;
    lastFolder = QFileInfo(files.first()).absolutePath();
    openModelFile(files.first());
    clearStatus();
}

void Tessaron::showSessionGap(const SessionGap &gap)
{
    const auto named = [this](const QString &name) -> ModelClass * {
        for (qsizetype i = 1; i < Models.count(); ++i)
            if (Models.at(i)->Name == name)
                return Models.at(i);
        return nullptr;
    };
    ModelClass *from = named(gap.from), *to = named(gap.to);
    if (from && to && from != to)
        showClosestGap(from, to);
}

int Tessaron::openSessionFile(const Recognition &file, bool remember)
{
    const QString &fileName = file.path;
    showStatus(tr("Opening session %1...").arg(QFileInfo(fileName).fileName()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    OpenedFile opened = openPath(file);
    QApplication::restoreOverrideCursor();
    for (const FileProblem &problem : std::as_const(opened.problems))
        Failures.add(problem.path, problem.text);
    if (!opened.session) { // refused: what is on screen stays
        if (remember)
            forgetFile(fileName);
        return 0;
    }
    // The session is the whole plan: what was open makes way for it.
    while (Models.count() > 1)
        Models.remove(Models.count() - 1);
    Models.ActiveIndex = 0;
    closeImage();
    std::vector<ModelClass *> models;
    for (auto &model : opened.models) {
        models.push_back(model.get());
        View->addImportedModel(model.release());
    }
    applySession(*View, *opened.session, models, opened.entryOf, opened.image);
    ClosestPair.reset();
    if (!opened.session->nephrometry.isEmpty() || !opened.session->stoneScores.isEmpty()
        || (opened.session->gap && !opened.session->gap->closest)) {
        showMeasurements();
        static_cast<MeasurementsControl *>(panel(PanelKind::Measurements))
            ->restorePlan(*opened.session);
    }
    if (const std::optional<SessionGap> &gap = opened.session->gap; gap && gap->closest)
        showSessionGap(*gap);
    if (remember)
        rememberFile(fileName);
    setSessionPath(fileName);
    selectModel(Models.active());
    syncViewActions();
    showState();
    View->update();
    return int(models.size());
}
