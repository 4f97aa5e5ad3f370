#pragma once

#include "LoadFailures.h"
#include "preferences/SettingsEditor.h"
#include "view/ViewHost.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <utility>

struct CaseSheet;
class GLWidget;
class StoneFinding;
class ViewCommands;
class QActionGroup;
class QDockWidget;
class QLabel;
class QToolBar;
enum class FileKind;
struct Recognition;
struct SessionGap;

// The main window: the document (the model list and the view's state), the
// view in its centre with the commands of its menus, the actions, menus and
// tool bar, the dock panels it creates and removes for the view, the file
// commands and the settings file.
class Tessaron : public QMainWindow, public ViewHost, public SettingsEditor
{
    Q_OBJECT

public:
    explicit Tessaron(QWidget *parent = nullptr);
    ~Tessaron() override;

    static constexpr int MaxRecentFiles = 10;
    // The settings file in the user's home folder; empty without one.
    static QString settingsPath();
    static QString windowTitleText();

    GLWidget *view() const { return View; }
    ViewCommands *commands() const { return Commands.get(); }
    QDockWidget *panel(PanelKind kind) const { return Panels[size_t(kind)]; }
    QMenu *menu(const char *objectName) const;
    QToolBar *toolBar() const { return ToolBar; }
    // The stones of the open CT: their search, picks, list and model.
    StoneFinding *stoneFinding() const { return Stones.get(); }

    int openModelFile(const QString &fileName);
    // The same for a file the caller's door recognised.
    int openModelFile(const Recognition &file);
    // Start-up after the window is shown: with files named on the command
    // line, those open (as dropped files do) and the view frames them;
    // without, the reopen question and the working folder's scene. The
    // compact layout then says how to reach the full one.
    void start(const QStringList &files);
    void openNamedFiles(const QStringList &files);
    // Imports a mesh file, a label map or a folder of masks into the view;
    // the number of models it added (0 on failure or cancel).
    int importModelFile(const QString &path);
    int importModelFile(const Recognition &file);
    static QString importFilter();
    static QString openFilter();
    // The one line saying which files of a folder were left out and what is read.
    static QString unreadText(const QStringList &names);
    void updateRecentFileActions();
    void openHxInWorkingFolder();
    int readSettings(bool askReopen) override;
    void writeSettings() override;
    void syncViewActions();
    // The full layout is chosen ("Full interface" checked) instead of the
    // compact one; applyCompactLayout applies the chosen layout.
    bool fullInterface() const;

    // The action with this object name, or null.
    QAction *action(const char *objectName) const;

    // ViewHost
    ModelListClass &models() override { return Models; }
    ViewState &viewState() override { return State; }
    void showState() override;
    void showStatus(const QString &text) override;
    QString statusText() const override;
    void clearStatus() override;
    QMenu *lightMenu() const override { return LightMenu; }
    bool hasPanel(PanelKind kind) const override { return panel(kind) != nullptr; }
    void createPanel(PanelKind kind) override;
    void removePanel(PanelKind kind) override;
    void panelCommand(PanelKind kind, PanelCommand command) override;
    int dockedPanelWidth(bool left) const override;
    bool planeEditMode() const override;
    void setPlaneFields(const double point[3], const double normal[3]) override;
    void setPointFields(double x, double y, double z) override;
    QString currentFolder() const override { return lastFolder; }
    void openDroppedPath(const QString &path) override;
    void selectModel(ModelClass *model) override;
    void applyCompactLayout() override;

    // SettingsEditor
    void applyViewSettings() override;
    void restartProgram() override;

    QStringList recentFiles;
    QString lastFile;
    QString lastFolder;
    QString previousFile;
    QString reopenedFile; // the last file, when it was opened again at start-up
    QList<QAction *> recentFileActs;

public slots:
    void resizeSlot();
    // The case sheet of the visible models: as a PDF file, or printed.
    void caseSheet();
    void printCaseSheet();
    // The plan as one web page: the scene with the view's camera, the model
    // list and the planning tables.
    void exportWebPage();
    void about();
    void preferences();
    void model_info();
    void openFile();
    void openFolder();
    void importFile();
    void saveAsMESH();
    void saveAsOFF();
    void saveAsVTK();
    void saveAsOBJ();
    void saveAsPLY();
    void saveAsDAT();
    void saveAsStarCD();
    void saveAsBinarySTL();
    void saveAsTextSTL();
    void saveAsGLTF();
    // The plan as a session file, and a session opened in place of what is
    // open (SessionCommands.cpp).
    void saveSession();
    void openSession();
    void saveAs(const QString &format, bool isBinary);
    void saveAs(const QString &format);
    void refreshFile();
    void clearRecentFileList();
    void openRecentFile();
    void closeFile();
    void changeShowFullScreen();
    // Switches between the compact and the full layout and keeps the choice.
    void changeFullInterface(bool full);
    // The Measurements panel, shown (and measured again when it was there).
    void showMeasurements();
    // The closest gap between the two models selected in the Objects tree,
    // drawn in the view (MeasureCommands.cpp).
    void closestGap();
    // The closest gap of two models, drawn in the view; false, after a
    // message, when either cannot be measured.
    bool showClosestGap(ModelClass *a, ModelClass *b);
    // The Panels menu's entries: checked while their panel shows.
    void updatePanelsMenu();
    // The Slices menu (SliceCommands.cpp): the planes shown, the window
    // presets and the window/level mouse mode.
    void showAxialPlane(bool on);
    void showCoronalPlane(bool on);
    void showSagittalPlane(bool on);
    void softTissueWindow();
    void boneWindow();
    void stoneWindow();
    void windowLevelMode(bool on);
    // Removes the image, its planes and their textures; the models stay.
    void closeImage();
    // Searches the open CT for stones on a worker thread and lists them in
    // the Slice panel (StoneCommands.cpp).
    void findStones();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Measures and draws the visible models into a sheet titled `title`;
    // false (after a message) when nothing is visible.
    bool prepareCaseSheet(const QString &title, CaseSheet &sheet);
    QString caseSheetTitle() const;
    struct OpenCommand;
    int openScene(const QString &fileName, bool remember);
    int openSurface(const QString &fileName, bool remember);
    // Opens a session in place of the models and image open; a session that
    // is refused leaves them as they are. The number of models opened.
    int openSessionFile(const Recognition &file, bool remember);
    // The window's title: the program's, after the session's name when one
    // is open.
    QString documentTitle() const;
    // A session's closest gap of two chosen models, measured and drawn again.
    void showSessionGap(const SessionGap &gap);
    void setSessionPath(const QString &path);
    void createActions();
    void createWidgets();
    void buildInitialLayout();
    void readInterfaceChoice();
    // Enables the actions that need a model, and shows the opacity panel of
    // a transparent model.
    void enableModelActions();
    void connectActions();
    // The menus' toggles write their fields of the view state.
    void connectToggles();
    void retranslateUi();
    void keepOnScreen();
    // Shows an opened image under the models, replacing the one shown, with
    // its planes through its middle (ImportCommands.cpp).
    void showImage(const QString &path, const std::shared_ptr<const ImageVolume> &image);
    // The Slices menu's entries as the state has them.
    void showSliceState();
    void setSlicesShown(SliceOrientation orientation, bool on);
    void setWindow(WindowLevel windowLevel);
    // Opens a file; `remember`: a file that loads becomes the last file and
    // heads the recent list, one that fails leaves the history.
    int openInto(const Recognition &file, bool remember);
    // A dropped or named path as recognised once: a session, a folder of
    // masks or DICOM files, a folder's files or one file.
    void openRecognised(const Recognition &seen);
    void rememberFile(const QString &fileName);
    void forgetFile(const QString &fileName);
    // Save As with the filter of the writer of `kind`.
    void saveWith(FileKind kind, bool isBinary);
    QDockWidget *makePanel(PanelKind kind);
    QDockWidget *makeObjectsPanel();
    void buildPanelsMenu();
    void panelEntryTriggered(PanelKind kind, bool on);
    // The Slice panel follows the state's image: it opens (or shows again)
    // for a new image and shows the slices the state holds.
    void refreshSlicePanel();
    void createStoneFinding();
    // The compact layout's note on how to reach the full interface, shown
    // at start-up until the full interface is chosen.
    void showStartHint();

    ModelListClass Models;
    ViewState State;
    GLWidget *View = nullptr;
    std::unique_ptr<ViewCommands> Commands;
    QWidget *ViewWidget = nullptr;
    QToolBar *ToolBar = nullptr;
    QMenu *LightMenu = nullptr;
    QActionGroup *LightsGroup = nullptr;
    QActionGroup *FacesGroup = nullptr;
    QAction *RecentSeparator = nullptr; // before "Clear list"
    QLabel *StartHint = nullptr;
    std::array<QDockWidget *, 12> Panels {};
    LoadFailures Failures;
    QString SessionPath; // the session the window shows, empty when none
    // The two models of the last closest gap the user chose, by name.
    std::optional<std::pair<QString, QString>> ClosestPair;
    int OpenDepth = 0;
    bool Closing = false; // the window closes: an open command in progress stops
    std::unique_ptr<StoneFinding> Stones;
};
