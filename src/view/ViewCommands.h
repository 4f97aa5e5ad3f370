#pragma once

#include "geometry/Types.h"

#include <QObject>
#include <QString>

#include <functional>

class GLWidget;
class ModelClass;
class ModelListClass;
class ViewHost;
struct ViewConfig;
struct ViewState;
enum class EdgeEntry : qint32;
enum class AnatomicalView;

// The commands of the menus on what the view shows: display modes and
// toggles (ViewModes.cpp), the standard views of the camera
// (CameraCommands.cpp), the model operations, the cutting plane, picks and
// selections (ModelCommands.cpp). Each edits the models and the view state
// of the host, asks the host for the panels the mode needs, and repaints
// the view; a toggle a command changes itself reaches the menus through
// ViewHost::showState.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    explicit ViewCommands(GLWidget &view);

    // A face entry's mode on one model (the rule of the display-mode slots).
    void applyFaceMode(ModelClass *model, FaceEntry entry);
    // The intersection panel's apply: clips the current model in place by
    // the plane through point with the given normal.
    void applyIntersection(const double point[3], const double normal[3], bool include,
                           bool invert);
    // The statistics report of the current model: its title and text, with
    // the model's measures after the counts.
    void modelInfo(QString &title, QString &text);

public slots:
    // Display modes.
    void changeLightPoints();
    void changeLightEdges();
    void changeLightFaces();
    void changeViewPoint(bool on);
    void changeViewEdges(EdgeEntry entry);
    void changeViewEdgesSurface();
    void changeViewEdgesContour();
    void changeViewFaces(FaceEntry entry);
    void changeViewFacesNormal();
    void changeViewFacesSurface();
    void changeViewFacesHidden();
    void changeViewFacesMaterial();
    void changeViewFacesFunction();
    void changeViewIso();
    void changeViewColorLines();
    void changeViewTransparent(bool on);
    void changeViewBBox();
    void changeViewInnerEdges();
    void changeOpacity(int value);
    void changeViewCubeIntersect();
    void changeShowAxes();
    void changeShowIn3D();
    void changeBackgroundColor();

    // The camera.
    int getWidgetsWidthLeft();
    int getWidgetsWidthRight();
    void addXRotation(float angle);
    void addYRotation(float angle);
    void addZRotation(float angle);
    void startPosition();
    void moveAllCenter();
    void rotateXY();
    void rotateXZ();
    void rotateYZ();
    void setPlaneXY();
    void setPlaneXZ();
    void setPlaneYZ();
    // The scene seen from one side of the patient, framed whole.
    void setAnatomicalView(AnatomicalView view);
    void transformAll();
    void zoomIn();
    void zoomOut();
    void rescaleModel();
    // Frames every shown model with FitMargin on each side.
    void fitAll();

    // Model operations.
    void getCloneFullModel();
    void getModelFromSelection();
    void getModelFromVisible();
    void convert6CellFuncsTo2VertFuncs();
    void actionCreateSurfaceOfModel();
    void actionTopologyMergeVertices();
    void fmzcm();
    void findBorderEdges();
    void findBorderMaterialEdges();
    void removeMesh();
    void getSplice();

    // Picks and selections.
    void rulerClick();
    void massSelectClick(bool on);
    void massSelectCheckClick(bool on);
    void massSelectClearClick();
    void massSelectEditMaterialClick();
    void pointEditClick();
    void changePointAttr(_DREAL x, _DREAL y, _DREAL z);

private:
    // Runs f on the current model, or on every model when the scene is current.
    void forTargets(const std::function<void(ModelClass &)> &f);
    void showFacePanels(ModelClass &model);
    // Shows `text` in the status bar and returns the text it replaced.
    QString saveStatus(const QString &text);
    // Repaints after a camera command that changed the projection.
    void reproject(bool rotated);

    GLWidget &View;
    ModelListClass &ModelList;
    ViewState &State;
    ViewHost *Host;
};

// Display lists again (relist) or drawing arrays and lists (rebuild).
void relist(ModelClass &model);
void rebuild(ModelClass &model);
// A model with functions but none of the kind chosen to show (the clone of
// a .surf model carries its old numbers as functions; models joined with no
// vertex functions show vertex functions) shows its vertex functions, or
// its cell functions when it has none.
void settleShownFunctions(ModelClass &model);
// The function, palette and legend panels, showing the current model.
void showFunctionPanels(ViewHost &host, ViewState &state);
// The colours of the settings given to one model (a new one).
void applyColors(ModelClass &model, const ViewConfig &config);
