// The main window's file commands: open (dialog, recent files, the working
// folder's scene, dropped files), refresh, close, the recent-file history and
// saving in every writable format.

#include "Tessaron.h"
#include "formats/FileKinds.h"
#include "formats/LoadPipeline.h"
#include "formats/SceneWalk.h"
#include "import/Importer.h"
#include "panels/ObjectsControl.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

// The outermost open command gathers the failures of everything it opens
// (a scene, several chosen files, a dropped folder) and stops when the window
// closes meanwhile.
struct Tessaron::OpenCommand
{
    explicit OpenCommand(Tessaron &window)
        : window(window)
    {
        if (window.OpenDepth++ == 0) {
            window.Failures = LoadFailures();
            window.Closing = false;
            holdObjects(true);
        }
    }
    ~OpenCommand()
    {
        if (--window.OpenDepth > 0)
            return;
        holdObjects(false);
        window.Failures.finish();
    }
    // The objects tree catches up once, when the command ends.
    void holdObjects(bool hold)
    {
        if (auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects)))
            objects->holdUpdates(hold);
    }
    OpenCommand(const OpenCommand &) = delete;
    OpenCommand &operator=(const OpenCommand &) = delete;

    Tessaron &window;
};

int Tessaron::openModelFile(const QString &fileName)
{
    return openModelFile(recognise(fileName));
}

int Tessaron::openModelFile(const Recognition &file)
{
    OpenCommand command(*this);
    return openInto(file, true);
}

int Tessaron::openInto(const Recognition &file, bool remember)
{
    if (file.kind == FileKind::Session)
        return openSessionFile(file, remember);
    return file.kind == FileKind::Scene ? openScene(file.path, remember)
                                        : openSurface(file.path, remember);
}

int Tessaron::openScene(const QString &fileName, bool remember)
{
    const qsizetype before = View->ModelList.count();
    // The scene goes into the history, not the files it lists.
    const SceneVisitor visitor {
        [this](const QString &path) {
            openSurface(path, false);
            return !Closing;
        },
        [this](const QString &path) {
            Failures.add(path, tr("This scene is already being opened; it is skipped."));
            return !Closing;
        },
    };
    walkScene(fileName, visitor);
    if (Closing)
        return 0;
    if (remember && View->ModelList.count() > before)
        rememberFile(fileName);
    View->ModelList.ActiveIndex = View->ModelList.count() > 1 ? 1 : 0;
    selectModel(View->ModelList.active());
    View->moveCenter();
    Commands->transformAll();
    View->resize(View->size());
    View->update();
    return 0;
}

int Tessaron::openSurface(const QString &fileName, bool remember)
{
    showStatus(tr("Loading file..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    previousFile = lastFile;
    const qint32 code = View->loadModelFile(fileName);
    if (code == 0) {
        if (remember)
            rememberFile(fileName);
        syncViewActions();
        View->update();
        QApplication::restoreOverrideCursor();
        return 1;
    }
    // A file that does not load is not offered again.
    if (remember)
        forgetFile(fileName);
    setWindowTitle(documentTitle());
    Failures.add(fileName, loadErrorMessage(code));
    QApplication::restoreOverrideCursor();
    return 0;
}

void Tessaron::rememberFile(const QString &fileName)
{
    // Absolute: the entry must still name the file when the program starts
    // in another folder.
    const QString path = QFileInfo(fileName).absoluteFilePath();
    lastFile = path;
    recentFiles.removeAll(path);
    recentFiles.prepend(path);
    updateRecentFileActions();
}

void Tessaron::forgetFile(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    recentFiles.removeAll(fileName);
    recentFiles.removeAll(path);
    if (lastFile == fileName || lastFile == path)
        lastFile = recentFiles.value(0);
    updateRecentFileActions();
}

QString Tessaron::openFilter()
{
    // Everything Open reads comes first; a DICOM file without an ending
    // shows under the last.
    return QStringList {tr("Everything Tessaron opens (%1)").arg(readPatterns().join(' ')),
                        tr("All models(*surf *hx)"), importFilter(), tr("All files (*)")}
        .join(QStringLiteral(";;"));
}

void Tessaron::openFile()
{
    showStatus(tr("Opening file"));
    const QStringList files =
        Dialogs::current().getOpenFileNames(this, tr("Open File"), lastFolder, openFilter());
    if (files.isEmpty()) {
        clearStatus();
        return;
    }
    OpenCommand command(*this);
    // Each file is recognised once, here, and opened as recognised.
    const Recognition first = recognise(files.first());
    if (first.kind == FileKind::Scene) {
        openModelFile(first);
    } else {
        for (qsizetype f = 0; f < files.size() && !Closing; ++f) {
            const Recognition file = f == 0 ? first : recognise(files[f]);
            lastFolder = QFileInfo(file.path).absolutePath();
            if (isImportable(file))
                importModelFile(file); // an image, or a mesh file named by hand
            else
                openModelFile(file);
        }
    }
    clearStatus();
}

void Tessaron::openFolder()
{
    // A DICOM series is a folder of files, often without endings: it is
    // chosen as the folder, which the file dialog cannot pick.
    showStatus(tr("Opening folder"));
    const QString folder =
        Dialogs::current().getExistingDirectory(this, tr("Open DICOM Folder"), lastFolder);
    if (folder.isEmpty()) {
        clearStatus();
        return;
    }
    lastFolder = folder;
    OpenCommand command(*this);
    importModelFile(folder);
    clearStatus();
}

void Tessaron::openRecentFile()
{
    auto *act = qobject_cast<QAction *>(sender());
    if (!act || !recentFileActs.contains(act))
        return;
    const QString file = act->data().toString();
    lastFolder = QFileInfo(file).absolutePath();
    openModelFile(file);
    clearStatus();
}

void Tessaron::refreshFile()
{
    if (lastFile.isEmpty())
        return;
    const QString file = lastFile;
    Commands->removeMesh();
    lastFile = file;
    showStatus(tr("Reopening file"));
    openModelFile(file);
    clearStatus();
}

void Tessaron::closeFile()
{
    Commands->removeMesh();
    if (Models.count() <= 1)
        setSessionPath(QString());
}

void Tessaron::clearRecentFileList()
{
    recentFiles.clear();
    updateRecentFileActions();
}

void Tessaron::updateRecentFileActions()
{
    recentFiles.erase(std::remove_if(recentFiles.begin(), recentFiles.end(),
                                     [](const QString &f) { return !QFileInfo::exists(f); }),
                      recentFiles.end());
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction *act = recentFileActs.value(i);
        if (!act)
            continue;
        if (i < recentFiles.size()) {
            act->setText(recentFiles.at(i));
            act->setData(recentFiles.at(i));
            act->setVisible(true);
        } else {
            act->setVisible(false);
        }
    }
    RecentSeparator->setVisible(!recentFiles.isEmpty());
    menu("menuRecentFiles")->setEnabled(!recentFiles.isEmpty());
}

void Tessaron::openHxInWorkingFolder()
{
    const QStringList scenes =
        QDir::current().entryList(scenePatterns(), QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (scenes.isEmpty()) {
        setWindowTitle(documentTitle());
        Dialogs::current().message(nullptr, QString(), tr("There is no .hx files in this folder."));
        return;
    }
    // A file opens once per start: the scene may have been reopened already.
    const QString scene = QFileInfo(scenes.first()).canonicalFilePath();
    if (!reopenedFile.isEmpty() && QFileInfo(reopenedFile).canonicalFilePath() == scene)
        return;
    openModelFile(scenes.first());
}

void Tessaron::openDroppedPath(const QString &path)
{
    openRecognised(recognise(path));
}

void Tessaron::openRecognised(const Recognition &seen)
{
    const QFileInfo info(seen.path);
    const FileKind kind = seen.kind;
    if (kind == FileKind::Session) {
        openModelFile(seen);
        return;
    }
    // A folder of masks is one scene, a folder of DICOM files one image.
    if (kind == FileKind::MaskFolder || (kind == FileKind::Dicom && info.isDir())) {
        importModelFile(seen);
        return;
    }
    // A folder's files are recognised here, each once; a dropped file was.
    std::vector<Recognition> files;
    if (info.isDir()) {
        const QDir folder(info.absoluteFilePath());
        for (const QFileInfo &entry :
             folder.entryInfoList(QDir::Files | QDir::Readable, QDir::Name))
            files.push_back(recognise(entry.absoluteFilePath()));
    } else {
        files.push_back(seen);
        files.back().path = info.absoluteFilePath();
    }
    OpenCommand command(*this);
    QStringList unread; // a folder's files of kinds not read, said once
    for (const Recognition &file : files) {
        if (Closing)
            break;
        lastFolder = QFileInfo(file.path).absolutePath();
        if (isImportable(file)) {
            importModelFile(file);
            continue;
        }
        if (!file.row || !(file.row->native || file.kind == FileKind::Session)) {
            if (info.isDir()) {
                unread << QFileInfo(file.path).fileName();
                continue;
            }
            // A dropped file says what is read.
            Dialogs::current().message(
                nullptr, QString(),
                file.path + ": "
                    + tr("Files of this kind are not read; the endings read are %1.")
                          .arg(readEndings()));
            continue;
        }
        openModelFile(file);
        clearStatus();
    }
    if (!unread.isEmpty())
        Failures.add(info.absoluteFilePath(), unreadText(unread));
}

QString Tessaron::unreadText(const QStringList &names)
{
    constexpr qsizetype kNamed = 3; // the files named before "..."
    QString listed = names.mid(0, kNamed).join(QStringLiteral(", "));
    if (names.size() > kNamed)
        listed += QStringLiteral(", ...");
    return tr("%1 files of kinds that are not read were left out (%2); the endings read are %3.")
        .arg(names.size())
        .arg(listed, readEndings());
}

void Tessaron::openNamedFiles(const QStringList &files)
{
    bool session = false;
    {
        OpenCommand command(*this);
        for (const QString &file : files) {
            if (Closing)
                break;
            const Recognition seen = recognise(file);
            session = session || seen.kind == FileKind::Session;
            openRecognised(seen);
        }
    }
    clearStatus();
    // A session opens with its own camera; anything else is framed.
    if (!session) {
        Commands->fitAll();
        View->FitAtFirstFrame = true;
    }
}

void Tessaron::saveAs(const QString &format, bool isBinary)
{
    showStatus(tr("Saving file"));
    const QString name =
        Dialogs::current().getSaveFileName(this, tr("Save file As..."), lastFolder, format);
    View->saveModelFile(format, name, isBinary);
    clearStatus();
}

void Tessaron::saveAs(const QString &format)
{
    saveAs(format, false);
}

void Tessaron::saveWith(FileKind kind, bool isBinary)
{
    saveAs(QString::fromLatin1(kindRow(kind)->saveFilter), isBinary);
    QApplication::restoreOverrideCursor();
}

void Tessaron::saveAsMESH()
{
    saveWith(FileKind::Mesh, false);
}
void Tessaron::saveAsOFF()
{
    saveWith(FileKind::Off, false);
}
void Tessaron::saveAsVTK()
{
    saveWith(FileKind::LegacyVtk, false);
}
void Tessaron::saveAsOBJ()
{
    saveWith(FileKind::Obj, false);
}
void Tessaron::saveAsPLY()
{
    saveWith(FileKind::Ply, false);
}
void Tessaron::saveAsDAT()
{
    saveWith(FileKind::Dat, false);
}
void Tessaron::saveAsStarCD()
{
    saveWith(FileKind::StarCd, false);
}
void Tessaron::saveAsBinarySTL()
{
    saveWith(FileKind::Stl, true);
}
void Tessaron::saveAsTextSTL()
{
    saveWith(FileKind::Stl, false);
}
void Tessaron::saveAsGLTF()
{
    saveWith(FileKind::Glb, false);
}
