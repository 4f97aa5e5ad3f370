// The two command layouts of the main window. The compact one, which a new
// user meets, offers File (Open, Open DICOM Folder, Print, Exit), Help and a tool bar of view
// commands; the full one every menu and the tool bar the window is built
// with. "Full interface" in the File menu switches between them, and the
// choice is kept in a file of its own beside the settings file.

#include "Tessaron.h"
#include "panels/OpacityControl.h"
#include "view/GLWidget.h"
#include "view/SettingsFile.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include <initializer_list>
#include <vector>

namespace {

// Object names of actions and menus in their order; "|" stands for a
// separator and "Light" for the view's light menu.
using Names = std::vector<const char *>;

Names joined(std::initializer_list<Names> runs)
{
    Names names;
    for (const Names &run : runs)
        names.insert(names.end(), run.begin(), run.end());
    return names;
}

// Runs of entries that several layouts show alike.
const Names kModeRun = {"actionViewPoint",         "actionViewContourEdges",
                        "actionViewSurfaceEdges",  "|",
                        "actionViewFacesNormal",   "actionViewFacesSurface",
                        "actionViewFacesHidden",   "actionViewFacesMaterial",
                        "actionViewFacesFunction", "actionViewIsoIntersect",
                        "actionViewCubeIntersect", "|",
                        "actionViewColorLines",    "actionViewTransparent"};
const Names kLightRun = {"actionLitePoint", "actionLiteEdges", "actionLiteFaces"};
const Names kRotateRun = {"actionRotateX", "actionRotateY", "actionRotateZ"};
const Names kPlaneRun = {"actionSetPlaneXY", "actionSetPlaneXZ", "actionSetPlaneYZ"};
const Names kScreenRun = {"actionShowIn3D", "actionShowFullScreen", "|", "actionRuler"};

struct MenuContents
{
    const char *menu;
    Names items;
};

// The full layout's menus, filled once when the window is built.
const MenuContents kFullMenus[] = {
    {"menuSaveAs",
     {"|", "actionSaveAsMESH", "actionSaveAsOFF", "actionSaveAsVTK", "actionSaveAsOBJ",
      "actionSaveAsPLY", "actionSaveAsDAT", "actionSaveAsBinarySTL", "actionSaveAsTextSTL",
      "actionSaveAsStarCD", "actionSaveAsGLTF", "|", "actionSaveAsImage"}},
    // The recent files go between the two separators; the second one shows
    // while the list has entries.
    {"menuRecentFiles", {"|", "|", "actionClearRecentFiles"}},
    {"menuExport", {"actionExportWebPage"}},
    {"menuView",
     joined({{"actionStartPosition", "actionFitAll", "|"},
             kModeRun,
             {"|", "actionShowAxes", "actionViewBoundingBox", "actionViewInnerEdges", "|",
              "actionMoveCenter"},
             kRotateRun,
             {"|"},
             kScreenRun,
             {"|", "actionZoomIn", "actionZoomOut", "Light", "|", "menuSlices"}})},
    {"menuSlices",
     {"actionAxialPlane", "actionCoronalPlane", "actionSagittalPlane", "|",
      "actionSoftTissueWindow", "actionBoneWindow", "actionStoneWindow", "|",
      "actionWindowLevelMode", "|", "actionCloseImage"}},
    {"menuOperations",
     {"menuCloneModel",
      "|",
      "actionMassSelect",
      "|",
      "actionSplice",
      "actionFMZCM",
      "|",
      "actionEditPoint",
      "|",
      "actionFindBorderEdges",
      "actionFindBorderMaterialEdges",
      "|",
      "actionMoveAllToSelect",
      "actionTransformAllAsActive",
      "|",
      "action6CellFuncsTo2VertFuncs",
      "|",
      "actionCreateSurface",
      "actionTopologyMergeVertices",
      "|",
      "actionClosestGap",
      "actionFindStones"}},
    {"menuCloneModel",
     {"actionCloneFullModel", "actionCloneSelectionIntoModel", "actionCloneVisibleIntoModel"}},
    {"menuOptions", {"actionModelInfo", "actionMeasurements", "actionPreferences"}},
    {"menuHelp", {"actionAbout"}},
};

const Names kFullMenuBar = {"menuFile",    "menuView",   "menuOperations",
                            "menuOptions", "menuPanels", "menuHelp"};
const Names kFullFileMenu = {"actionOpen",
                             "actionOpenFolder",
                             "actionImport",
                             "actionOpenSession",
                             "actionRefresh",
                             "|",
                             "menuSaveAs",
                             "menuExport",
                             "actionSaveSession",
                             "|",
                             "actionRemove",
                             "actionCloseImage",
                             "|",
                             "actionPrint",
                             "actionCaseSheet",
                             "actionPrintCaseSheet",
                             "|",
                             "menuRecentFiles",
                             "actionFullInterface",
                             "actionClose"};
const Names kFullToolBar =
    joined({{"actionOpen", "actionRefresh", "|", "actionStartPosition", "actionFitAll", "|"},
            kModeRun,
            {"|", "actionShowAxes", "|", "actionMoveCenter", "actionRescale", "|"},
            kRotateRun,
            {"|"},
            kPlaneRun,
            {"|"},
            kScreenRun,
            {"|", "actionMassSelect", "actionMassSelectCheck", "actionMassSelectClean",
             "actionEditSelectMaterial"}});

const Names kCompactMenuBar = {"menuFile", "menuHelp"};
const Names kCompactFileMenu = {"actionOpen", "actionOpenFolder", "actionPrint",
                                "actionFullInterface", "actionClose"};
const Names kCompactToolBar = joined(
    {{"actionOpen", "|"},
     kLightRun,
     {"|", "actionShowAxes", "actionMoveCenter", "actionFitAll", "actionViewTransparent", "|"},
     kPlaneRun,
     {"|"},
     kRotateRun,
     {"|", "actionChangeBackgroundColor", "actionShowFullScreen"}});

// The actions that act on a model: without one they are disabled.
const Names kModelActions =
    joined({kLightRun,
            kRotateRun,
            kPlaneRun,
            {"actionPrint", "actionRefresh", "actionShowAxes", "actionMoveCenter",
             "actionViewTransparent", "actionCaseSheet", "actionPrintCaseSheet", "actionFitAll"}});

template<class Target>
void fill(const Tessaron &window, QMenu *lightMenu, Target *target, const Names &names)
{
    for (const char *name : names) {
        if (QByteArray(name) == "|")
            target->addSeparator();
        else if (QByteArray(name) == "Light")
            target->addAction(lightMenu->menuAction());
        else if (QAction *act = window.action(name))
            target->addAction(act);
        else if (QMenu *sub = window.menu(name))
            target->addAction(sub->menuAction());
    }
}

// True when the menu or bar already shows exactly these actions and menus:
// the layout is applied at every model a scene adds, and tearing a tool bar
// down to build the same again deletes and makes all its buttons each time.
template<class Target>
bool shows(const Tessaron &window, const QMenu *lightMenu, const Target *target, const Names &names)
{
    const QList<QAction *> actions = target->actions();
    if (actions.size() != qsizetype(names.size()))
        return false;
    for (size_t i = 0; i < names.size(); ++i) {
        const QByteArray name(names[i]);
        const QAction *act = actions.at(qsizetype(i));
        const QMenu *sub = window.menu(names[i]);
        const bool same = name == "|" ? act->isSeparator()
            : name == "Light"         ? act == lightMenu->menuAction()
                              : act == window.action(names[i]) || (sub && act == sub->menuAction());
        if (!same)
            return false;
    }
    return true;
}

// Beside the settings file; empty without a home folder.
QString interfacePath()
{
    const QString settings = Tessaron::settingsPath();
    return settings.isEmpty() ? QString() : QFileInfo(settings).path() + "/interface.ini";
}

} // namespace

void Tessaron::buildInitialLayout()
{
    for (const MenuContents &contents : kFullMenus)
        fill(*this, LightMenu, menu(contents.menu), contents.items);
    RecentSeparator = menu("menuRecentFiles")->actions().at(1);
    for (const char *name : kFullMenuBar)
        menuBar()->addAction(menu(name)->menuAction());
    fill(*this, LightMenu, menu("menuFile"), kFullFileMenu);
    fill(*this, LightMenu, ToolBar, kFullToolBar);
}

bool Tessaron::fullInterface() const
{
    return action("actionFullInterface")->isChecked();
}

void Tessaron::readInterfaceChoice()
{
    if (!SettingsFile::usable(interfacePath()))
        return;
    const QSettings file(interfacePath(), QSettings::IniFormat);
    action("actionFullInterface")->setChecked(file.value("Interface/Full", false).toBool());
}

void Tessaron::changeFullInterface(bool full)
{
    if (SettingsFile::usable(interfacePath())) {
        QSettings file(interfacePath(), QSettings::IniFormat);
        file.setValue("Interface/Full", full);
    }
    applyCompactLayout();
}

void Tessaron::applyCompactLayout()
{
    const bool full = fullInterface();
    const Names &bar = full ? kFullMenuBar : kCompactMenuBar;
    if (!shows(*this, LightMenu, menuBar(), bar)) {
        menuBar()->clear();
        for (const char *name : bar)
            menuBar()->addAction(menu(name)->menuAction());
    }
    const Names &file = full ? kFullFileMenu : kCompactFileMenu;
    if (!shows(*this, LightMenu, menu("menuFile"), file)) {
        menu("menuFile")->clear();
        fill(*this, LightMenu, menu("menuFile"), file);
    }
    menu("menuOperations")->menuAction()->setVisible(full);
    menu("menuPanels")->menuAction()->setVisible(full);
    const QSize icons = full ? QSize(32, 32) : QSize(64, 64);
    const Names &tools = full ? kFullToolBar : kCompactToolBar;
    if (ToolBar->iconSize() != icons || !shows(*this, LightMenu, ToolBar, tools)) {
        ToolBar->clear();
        ToolBar->setIconSize(icons);
        fill(*this, LightMenu, ToolBar, tools);
    }
    enableModelActions();
}

void Tessaron::enableModelActions()
{
    const ModelListClass &list = Models;
    // "Move Center" is among them; the state remembers it for showState.
    State.CanCentreOnPoint = list.count() > 1;
    if (list.count() <= 1) {
        for (const char *name : kModelActions)
            action(name)->setEnabled(false);
        action("actionShowIn3D")->setEnabled(false);
        action("actionChangeBackgroundColor")->setEnabled(false);
        if (QDockWidget *opacity = panel(PanelKind::Opacity))
            opacity->hide();
        return;
    }
    const ModelClass *first = list.at(1);
    for (const char *name : kModelActions)
        action(name)->setEnabled(true);
    action("actionLitePoint")->setChecked(first->Settings.ShowPoints);
    action("actionLiteEdges")->setChecked(first->Settings.EdgesMode != 0);
    action("actionLiteFaces")->setChecked(first->Settings.ColorMode != 0);
    action("actionShowAxes")->setChecked(first->Settings.ShowAxes);

    const ModelClass *active = list.active();
    const bool transparent = active && active->Settings.Transparent;
    action("actionViewTransparent")->setChecked(transparent);
    if (transparent) {
        if (!panel(PanelKind::Opacity))
            createPanel(PanelKind::Opacity);
        panel(PanelKind::Opacity)->show();
        static_cast<OpacityControl *>(panel(PanelKind::Opacity))->readModel();
    } else if (QDockWidget *opacity = panel(PanelKind::Opacity)) {
        opacity->hide();
    }
    action("actionShowIn3D")->setEnabled(true);
    action("actionChangeBackgroundColor")->setEnabled(true);
}
