// The main window's file commands: open (dialog, recent files, the working
// folder's scene, dropped files), refresh, close, the recent-file history and
// saving in every writable format.

#include "Tessaron.h"
#include "formats/LoadPipeline.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

bool isHx(const QString &fileName)
{
    return fileName.endsWith(".hx", Qt::CaseInsensitive);
}

} // namespace

int Tessaron::openModelFile(const QString &fileName)
{
    return openInto(fileName, true);
}

int Tessaron::openInto(const QString &fileName, bool remember)
{
    if (isHx(fileName)) {
        QStringList names;
        View->readHxFile(fileName, names);
        const QString folder = QFileInfo(fileName).absolutePath();
        const qsizetype before = View->ModelList.count();
        // The scene goes into the history, not the files it lists.
        for (const QString &name : std::as_const(names))
            openInto(folder + "/" + name, false);
        if (remember && View->ModelList.count() > before)
            rememberFile(fileName);
        View->ModelList.ActiveIndex = View->ModelList.count() > 1 ? 1 : 0;
        selectModel(View->ModelList.active());
        View->moveCenter();
        View->transformAll();
        View->resize(View->size());
        View->update();
        return 0;
    }
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
    setWindowTitle(windowTitleText());
    Dialogs::current().message(nullptr, QString(), fileName + ": " + errorMessage(code));
    QApplication::restoreOverrideCursor();
    return 0;
}

void Tessaron::rememberFile(const QString &fileName)
{
    lastFile = fileName;
    recentFiles.removeAll(fileName);
    recentFiles.prepend(fileName);
    updateRecentFileActions();
}

void Tessaron::forgetFile(const QString &fileName)
{
    recentFiles.removeAll(fileName);
    if (lastFile == fileName)
        lastFile = recentFiles.value(0);
    updateRecentFileActions();
}

void Tessaron::openFile()
{
    showStatus(tr("Opening file"));
    const QStringList files = Dialogs::current().getOpenFileNames(this, tr("Open File"), lastFolder,
                                                                  tr("All models(*surf *hx)"));
    if (files.isEmpty()) {
        clearStatus();
        return;
    }
    if (isHx(files.first())) {
        openModelFile(files.first());
    } else {
        for (const QString &file : files) {
            lastFolder = QFileInfo(file).absolutePath();
            openModelFile(file);
        }
    }
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
    View->removeMesh();
    lastFile = file;
    showStatus(tr("Reopening file"));
    openModelFile(file);
    clearStatus();
}

void Tessaron::closeFile()
{
    View->removeMesh();
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
        QDir::current().entryList({"*.hx"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (scenes.isEmpty()) {
        setWindowTitle(windowTitleText());
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
    const QFileInfo info(path);
    QStringList files;
    if (info.isDir()) {
        const QDir folder(info.absoluteFilePath());
        for (const QFileInfo &entry :
             folder.entryInfoList(QDir::Files | QDir::Readable, QDir::Name))
            files << entry.absoluteFilePath();
    } else {
        files << info.absoluteFilePath();
    }
    for (const QString &file : std::as_const(files)) {
        lastFolder = QFileInfo(file).absolutePath();
        openModelFile(file);
        clearStatus();
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

void Tessaron::saveWith(const char *format, bool isBinary)
{
    saveAs(QString::fromLatin1(format), isBinary);
    QApplication::restoreOverrideCursor();
}

void Tessaron::saveAsMESH()
{
    saveWith("MESH(*.mesh)", false);
}
void Tessaron::saveAsOFF()
{
    saveWith("OFF(*.off)", false);
}
void Tessaron::saveAsVTK()
{
    saveWith("VTK(*.vtk)", false);
}
void Tessaron::saveAsOBJ()
{
    saveWith("OBJ(*.obj)", false);
}
void Tessaron::saveAsPLY()
{
    saveWith("PLY(*.ply)", false);
}
void Tessaron::saveAsDAT()
{
    saveWith("DAT(*.dat)", false);
}
void Tessaron::saveAsStarCD()
{
    saveWith("StarCD(*.vrt)", false);
}
void Tessaron::saveAsBinarySTL()
{
    saveWith("STL(*.stl)", true);
}
void Tessaron::saveAsTextSTL()
{
    saveWith("STL(*.stl)", false);
}
