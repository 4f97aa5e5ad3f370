// The main window's file commands: open (dialog, recent files, the working
// folder's scene, dropped files), refresh, close, the recent-file history and
// saving in every writable format.

#include "Tessaron.h"
#include "formats/LoadPipeline.h"
#include "import/Importer.h"
#include "import/LabelMapImport.h"
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
    if (isHx(fileName)) {
        QStringList names;
        View->readHxFile(fileName, names);
        const QString folder = QFileInfo(fileName).absolutePath();
        for (const QString &name : std::as_const(names))
            openModelFile(folder + "/" + name);
        lastFile = fileName;
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
    if (!previousFile.isEmpty()) {
        recentFiles.removeAll(previousFile);
        recentFiles.prepend(previousFile);
        updateRecentFileActions();
    }
    const qint32 code = View->loadModelFile(fileName);
    if (code == 0) {
        lastFile = fileName;
        syncViewActions();
        View->update();
        QApplication::restoreOverrideCursor();
        return 1;
    }
    setWindowTitle(windowTitleText());
    Dialogs::current().message(nullptr, QString(), fileName + ": " + errorMessage(code));
    QApplication::restoreOverrideCursor();
    return 0;
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
            lastFile = file;
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
    lastFile = act->data().toString();
    lastFolder = QFileInfo(lastFile).absolutePath();
    openModelFile(lastFile);
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
    openModelFile(scenes.first());
}

void Tessaron::openDroppedPath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && isMaskFolder(path)) { // a folder of masks is one scene
        importModelFile(path);
        return;
    }
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
        if (isImportable(file)) {
            importModelFile(file);
            continue;
        }
        lastFile = file;
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
