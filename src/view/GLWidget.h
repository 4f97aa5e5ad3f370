#pragma once

#include "Drawing.h"
#include "Light.h"
#include "PaletteTexture.h"
#include "ViewConfig.h"
#include "geometry/Types.h"
#include "model/ModelListClass.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPrinter;
namespace measure {
struct Gap;
}
class QSettings;
class ViewHost;

// The surface format every view needs (compatibility profile, depth buffer,
// multisampling, one share group). Call before the QApplication is created.
void setupViewSurfaceFormat(int samples = 4);
// True when OpenGL is drawn by the CPU (Mesa's llvmpipe and kin), where the
// views do without multisampling: it would double the time of every frame.
bool softwareRenderer();

// The mark of a measured gap between models a and b: the segment between its
// two points with its length as the tables write it, placed with a's matrix.
MeasureMark gapMark(const measure::Gap &gap, ModelClass *a, ModelClass *b, const QString &nameOfA,
                    const QString &nameOfB);

// The OpenGL view: owns the model list, the lights, the function palette and
// the view's settings; turns mouse, wheel and menu input into changes of each
// model's camera record; draws every visible model; writes the status line.
class GLWidget : public QOpenGLWidget
{
    Q_OBJECT

public:
    GLWidget(QWidget *parent, ViewHost *host);
    ~GLWidget() override;

    // Load and save paths of the main window (codes of `errors`).
    qint32 loadModelFile(const QString &fileName);
    // Takes a model an import made and places it in the view, as a load does.
    void addImportedModel(ModelClass *model);
    qint32 readHxFile(const QString &fileName, QStringList &names);
    qint32 saveModelFile(const QString &format, const QString &fileName, bool isBinary);

    // Adds a model to the view: appended, coloured, lists built, made current
    // and selected in the objects tree; centred after loads when asked.
    void addModel(ModelClass *model, bool centre);
    // Reads the "Config" and "Colors" groups into the view and applies them.
    void applySettings(QSettings &settings);
    // Colours of the settings onto every model (blocks and model colours).
    void applyColors();
    // The colours of the settings given to one model (a new one).
    void applyColors(ModelClass &model);
    // Builds and uploads the palette from the current settings.
    void rebuildPalette();
    // Face mode m on one model (the rule of the display-mode slots).
    void applyFaceMode(ModelClass *model, int mode);
    // The intersection panel's apply: clips the current model in place by
    // the plane through point with the given normal.
    void applyIntersection(const double point[3], const double normal[3], bool include,
                           bool invert);
    // Draws one frame of the given size and returns it (raster export, CLI);
    // line widths and point sizes are multiplied by `thickness`. A null image
    // when no OpenGL context can be had.
    QImage renderImage(int width, int height, float thickness = 1.0f);
    // Writes the current view through gl2ps by the file name's ending (.svg,
    // .pdf, .eps, .ps). False, and no file made, for another ending; false
    // too when the file cannot be opened or no page was written.
    bool exportVector(const QString &fileName);
    // One frame of w x h through gl2ps as an SVG document without background
    // or labels, for pages that place the drawing among other things; the
    // frame's labels are left in Labels for the page to set as its own text.
    // Empty when no OpenGL context can be had.
    QByteArray renderSvg(int w, int h);
    // Raster or vector by the file name's ending, as the image export does.
    // With `smallPng` a PNG is compressed as far as zlib goes (a tenth of
    // the size, a little slower to write) rather than at quality 95.
    bool saveImage(const QString &fileName, bool smallPng = false);

    // Projection for a window of w x h: the orthographic box of the current
    // model, or the stereo frusta in perspective mode. Applied at each paint.
    void updateProjection(int w, int h);
    void updateProjection() { updateProjection(width(), height()); }
    // Zooms and moves every model alike so that the vertices of the shown
    // ones fill the picture but for `margin` (a fraction of its width and
    // height) on each side; false when nothing is shown.
    bool frameScene(double margin);
    // The same for a picture of w x h pixels rather than the widget.
    bool frameScene(double margin, int w, int h);
    // The margin of "Fit all" and of the command-line tool's framed pictures.
    static constexpr double FitMargin = 0.05;
    // A message for the status bar that outlasts repaints: it stands in the
    // status line's place until the next mouse press or wheel turn on the view.
    void showNotice(const QString &text);
    // Largest extent of a model and its children, scaled by their zoom.
    static float treeRadius(const ModelClass *model);
    // Places a freshly loaded or derived model as a load does and adds it.
    void placeNewModel(ModelClass *model);
    // Creates the GL context (and initialises it) when the view has none
    // yet, so that models get their display lists before the view is shown.
    void ensureContext();
    // The cutting plane is being edited with the mouse (intersection panel).
    bool planeEditMode() const;
    // Computes the stereo frusta of a model from its panel values.
    static void computeStereoFrustum(ModelClass &model);
    // The status line: the current model's box and its pick.
    QString statusLine() const;
    // Picks the nearest drawn point (mode 1, a box of 15 pixels) or triangle
    // (mode 2, one pixel) of the model at widget pixel (x, y) by OpenGL
    // selection and leaves the result in the model's pick state; returns the
    // block whose cell selection changed (ModelClass::applyPick).
    MeshClass *pick(ModelClass &model, int x, int y, int mode, bool ruler, bool deselect);
    // The statistics report of the current model: its title and text, with
    // the model's measures after the counts.
    void modelInfo(QString &title, QString &text);
    // Runs `work` on a worker thread and returns when it has finished, while
    // the view goes on painting: long measurements never freeze a repaint.
    // A busy cursor and `status` show meanwhile; mouse and key input wait
    // and are delivered afterwards, so no command runs into the middle of
    // the work. The work must touch only copies of the models. False when
    // it failed (ran out of memory).
    bool runResponsive(const QString &status, const std::function<void()> &work);
    // A measurement shown in the view: a segment with its length (a gap) or
    // a point (a stone's centre), in the pick colour, with a label.
    void setMeasureMark(const MeasureMark &mark);
    void clearMeasureMark();
    const std::optional<MeasureMark> &measureMark() const { return Mark; }

    ModelClass *currentModel() const { return ModelList.active(); }
    ViewHost *host() const { return Host; }

    ModelListClass ModelList;
    QImage FrozenFrame; // the frame under a mass-selection rectangle
    QPoint LastPos;
    QPoint PressPos;
    quint8 LeftPress = 0;
    quint8 Moved = 0;
    Light Lights;
    PaletteTexture Palette;
    quint8 StereoCapable = 0;
    qint32 Viewport[4] = {0, 0, 0, 0};
    float ClearColor[4] = {0, 0, 0, 1};
    qint32 Opacity = 255;
    ViewConfig Config;
    quint8 MassSelect = 0;
    std::vector<double> SelectionFrustum; // 8 corners of the last selection box
    // Models get display lists; a one-frame renderer draws from the arrays.
    bool UseDisplayLists = true;
    // Smooth turning of large models: while the user drags or turns the
    // wheel, and the last full frame on screen took longer than
    // ReducedThreshold seconds, blocks of more than ReducedBudget triangles
    // draw their reduced form; the full form returns on release or when the
    // wheel has rested. Pictures, printing and picking always draw in full.
    // The viewer's --full-drawing switch turns it off.
    bool ReducedDrawing = true;
    double ReducedThreshold = 0.06;
    qint64 ReducedBudget = 100000;
    double LastFullFrame = 0; // seconds
    // Fit all once more at the first frame drawn: the window may still get
    // its final size (maximized) after the files it was started with opened.
    bool FitAtFirstFrame = false;

    // Orthographic box of the last projection: +-Xr, +-Yr, depth +-Depth.
    double ProjXr = 1, ProjYr = 1, ProjDepth = 1;
    float Thickness = 1.0f;    // factor on widths and sizes while exporting enlarged
    qreal PixelRatio = 1.0;    // device pixels per widget pixel of the frame being drawn
    QRect SelectionRect;       // mass-selection rectangle while dragging
    QList<ScreenLabel> Labels; // texts of the frame being drawn
    QString BusyText;          // the status while runResponsive works
    QString Notice;            // see showNotice
    // Frames for a printed page (the case sheet): no cutting plane, and no
    // texts painted over the picture; the page sets them as its own text.
    bool PageFrames = false;

public slots:
    int getWidgetsWidthLeft();
    int getWidgetsWidthRight();
    void addXRotation(float angle);
    void addYRotation(float angle);
    void addZRotation(float angle);
    void addXYZRotation(float x, float y, float z);
    void addXYmove(float dx, float dy);
    void startPosition();
    void moveCenter();
    void moveAllCenter();
    void save2pic();
    void rotateXY();
    void rotateXZ();
    void rotateYZ();
    void setPlaneXY();
    void setPlaneXZ();
    void setPlaneYZ();
    void transformAll();
    void getCloneFullModel();
    void getModelFromSelection();
    void getModelFromVisible();
    void convert6CellFuncsTo2VertFuncs();
    void actionCreateSurfaceOfModel();
    void actionTopologyMergeVertices();
    void fmzcm();
    void findBorderEdges();
    void findBorderMaterialEdges();
    void changeBackgroundColor();
    void zoomIn();
    void zoomOut();
    void removeMesh();
    void printGLpreview();
    void printGLprint(QPrinter *printer);
    void pointEditClick();
    void changePointAttr(_DREAL x, _DREAL y, _DREAL z);
    void changeLightPoints();
    void changeLightEdges();
    void changeLightFaces();
    void changeViewPoint(bool on);
    void changeViewEdges(int mode);
    void changeViewEdgesSurface();
    void changeViewEdgesContour();
    void changeViewFaces(int mode);
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
    void rulerClick();
    void massSelectClick(bool on);
    void massSelectCheckClick(bool on);
    void massSelectClearClick();
    void massSelectEditMaterialClick();
    void getSplice();
    void changeShowAxes();
    void changeShowIn3D();
    void rescaleModel();
    // Frames every shown model with FitMargin on each side.
    void fitAll();

signals:
    void RotationChanged();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // One frame onto a paint device: GL passes inside native painting, then
    // the labels (or the frozen frame and rectangle of a mass selection).
    void paintFrame(QPaintDevice *device, int w, int h, qint64 reducedBudget = 0);
    // The GL passes of a frame. The depth-tested labels are drawn into it
    // unless `labelsInFrame` is off (vector files write every label as text);
    // separateCorners: for gl2ps, which reads corner colours (FrameContext);
    // reducedBudget: while the view turns (FrameContext).
    void drawScene(int w, int h, bool labelsInFrame = true, bool separateCorners = false,
                   qint64 reducedBudget = 0);
    // True while the frames on screen may draw reduced forms.
    bool turning() const;
    void applyProjection(int w, int h);
    // The frame's labels as gl2ps texts at their positions in a w x h window.
    void drawLabelsAsText(double w, double h);
    void paintLabels(QPainter &painter, int h);
    void drawStereo(ModelClass &model, const FrameContext &frame, bool drawPlane);
    // Runs f on the current model, or on every model when the scene is current.
    void forTargets(const std::function<void(ModelClass &)> &f);
    void forEveryModel(const std::function<void(ModelClass &)> &f);
    // Display lists again (relist) or drawing arrays and lists (rebuild).
    void relist(ModelClass &model);
    void rebuild(ModelClass &model);
    // Reserves the model's display lists and numbers its blocks' lists
    // (none when the view keeps no lists).
    void assignDisplayLists(ModelClass &model);
    void showFacePanels(ModelClass &model);
    // The function, palette and legend panels, showing the current model.
    void showFunctionPanels();
    // A model with functions but none of the kind chosen to show (the clone
    // of a .surf model carries its old numbers as functions; models joined
    // with no vertex functions show vertex functions) shows its vertex
    // functions, or its cell functions when it has none.
    static void settleFunctionLocation(ModelClass &model);
    void zoomAll(float factor);
    void rotateAll(int axis, float angle);
    // After a plane-edit gesture: the placement becomes the plane's point
    // and normal, shown in the intersection panel.
    void takePlanePlacement();
    void centreOnPicked(ModelClass &target, const ModelClass &picked);
    // Mouse releases that pick (Picking.cpp): Ctrl selects or deselects the
    // cell under the cursor, Shift picks a vertex, a mass-selection drag
    // selects what its rectangle covers.
    void cellClick(ModelClass &model, QPoint pos, bool deselect);
    void pointClick(ModelClass &model, QPoint pos);
    void massSelectRelease(ModelClass &model, QPoint pos);
    // SelectionFrustum from a rectangle of widget pixels, with the matrices
    // and viewport of the model's last draw.
    void unprojectRectangle(const ModelClass &model, QPoint from, QPoint to);
    void setActionChecked(const char *name, bool on);
    // The action's checked state; `absent` when the host has no such action.
    bool actionChecked(const char *name, bool absent) const;
    void setActionEnabled(const char *name, bool on);
    ModelClass *userModel(qsizetype index) const;
    QString saveStatus(const QString &text);

    // The mark, while the models it was measured on are unchanged.
    bool markCurrent() const;

    ViewHost *Host;
    std::unique_ptr<ViewHost> OwnHost;
    std::optional<MeasureMark> Mark;
    bool Dragging = false;        // a mouse button is down on the view
    bool StillFrame = false;      // a picture is being taken of the view
    bool ReducedOnScreen = false; // the last frame on screen drew reduced forms
    bool ModelsShown = false;     // a frame with models has been drawn
    QTimer WheelRest;             // runs until the wheel has rested 200 ms
};
