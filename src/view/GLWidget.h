#pragma once

#include "Drawing.h"
#include "Light.h"
#include "SlicePlanes.h"
#include "ViewState.h"
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

// Computes the stereo frusta of a model from its panel values.
void computeStereoFrustum(ModelClass &model);

// The gesture under way on the view.
struct PointerState
{
    QPoint LastPos;
    QPoint PressPos;
    quint8 LeftPress = 0;                 // the buttons at the press were exactly the left one
    quint8 Moved = 0;                     // the mouse moved between press and release
    bool Dragging = false;                // a mouse button is down on the view
    QRect SelectionRect;                  // mass-selection rectangle while dragging
    QImage FrozenFrame;                   // the frame under a mass-selection rectangle
    std::vector<double> SelectionFrustum; // 8 corners of the last selection box
};

// The frame being drawn, and the projection of the last one.
struct FrameState
{
    qint32 Viewport[4] = {0, 0, 0, 0};
    // Orthographic box of the last projection: +-ProjXr, +-ProjYr, depth +-ProjDepth.
    double ProjXr = 1, ProjYr = 1, ProjDepth = 1;
    float Thickness = 1.0f;    // factor on widths and sizes while exporting enlarged
    qreal PixelRatio = 1.0;    // device pixels per widget pixel of the frame being drawn
    QList<ScreenLabel> Labels; // texts of the frame being drawn
    // Frames for a printed page (the case sheet): no cutting plane, and no
    // texts painted over the picture; the page sets them as its own text.
    bool PageFrames = false;
    bool StillFrame = false; // a picture is being taken of the view
    quint8 StereoCapable = 0;
};

// Smooth turning of large models: while the user drags or turns the wheel,
// and the last full frame on screen took longer than Threshold seconds,
// blocks of more than Budget triangles draw their reduced form; the full
// form returns on release or when the wheel has rested. Pictures, printing
// and picking always draw in full. The viewer's --full-drawing switch turns
// it off.
struct ReducedForms
{
    bool Enabled = true;
    double Threshold = 0.06;
    qint64 Budget = 100000;
    double LastFullFrame = 0; // seconds
    bool OnScreen = false;    // the last frame on screen drew reduced forms
    bool ModelsShown = false; // a frame with models has been drawn
};

// The OpenGL view: draws the models of the host's list as the host's view
// state asks, turns mouse and wheel input into changes of each model's
// camera record, picks, exports pictures and writes the status line. The
// commands of the menus live in ViewCommands.
class GLWidget : public QOpenGLWidget
{
    Q_OBJECT

    // First, since the list and the state below are the host's: without a
    // host the view makes a headless one of its own.
    std::unique_ptr<ViewHost> OwnHost;
    ViewHost *Host;

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
    // Places a freshly loaded or derived model as a load does and adds it.
    void placeNewModel(ModelClass *model);
    // Reads the "Config" and "Colors" groups into the state and applies them.
    void applySettings(QSettings &settings);
    // The state's settings reach what is drawn: the background, the colours
    // and drawing options of every model, the palette; then a repaint.
    void applyConfig();
    // Builds and uploads the palette from the current settings.
    void rebuildPalette();
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
    // frame's labels are left in Frame.Labels for the page to set as its own
    // text. Empty when no OpenGL context can be had.
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
    // ones fill a picture of w x h pixels (the widget without them) but for
    // `margin` (a fraction of its width and height) on each side; false when
    // nothing is shown.
    bool frameScene(double margin, int w = -1, int h = -1);
    // The margin of "Fit all" and of the command-line tool's framed pictures.
    static constexpr double FitMargin = 0.05;
    // A message for the status bar that outlasts repaints: it stands in the
    // status line's place until the next mouse press or wheel turn on the view.
    void showNotice(const QString &text);
    // Creates the GL context (and initialises it) when the view has none
    // yet, so that models get their display lists before the view is shown.
    void ensureContext();
    // The status line: the current model's box and its pick.
    QString statusLine() const;
    // Picks the nearest drawn point (a box of 15 pixels) or triangle (one
    // pixel) of the model at widget pixel (x, y) by OpenGL
    // selection and leaves the result in the model's pick state; returns the
    // block whose cell selection changed (ModelClass::applyPick).
    MeshClass *pick(ModelClass &model, int x, int y, PickTarget mode, bool ruler, bool deselect);
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
    // The camera record the image's planes are drawn with: the first model's,
    // so that they stay on the surfaces; the scene's while no model is open.
    ViewTransform *imageCamera() const;
    ViewHost *host() const { return Host; }

    ModelListClass &ModelList; // the host's
    ViewState &State;          // the host's
    Light Lights;
    PointerState Pointer;
    FrameState Frame;
    ReducedForms Reduced;
    // Models get display lists; a one-frame renderer draws from the arrays.
    bool UseDisplayLists = true;
    // Letters at the picture's edges name the sides of the patient they face
    // (R/L, A/P, S/I), on screen and in exported pictures.
    bool ShowOrientation = true;
    // Fit all once more at the first frame drawn: the window may still get
    // its final size (maximized) after the files it was started with opened.
    bool FitAtFirstFrame = false;
    QString BusyText;   // the status while runResponsive works
    QString Notice;     // see showNotice
    SlicePlanes Planes; // the image's planes and their textures

public slots:
    void addXYZRotation(float x, float y, float z);
    void addXYmove(float dx, float dy);
    void zoomAll(float factor);
    void moveCenter();
    void save2pic();
    void printGLpreview();
    void printGLprint(QPrinter *printer);

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
    // Reserves the model's display lists and numbers its blocks' lists
    // (none when the view keeps no lists).
    void assignDisplayLists(ModelClass &model);
    // After a plane-edit gesture: the placement becomes the plane's point
    // and normal, shown in the intersection panel.
    void takePlanePlacement();
    // The mark, while the models it was measured on are unchanged.
    bool markCurrent() const;
    // Something to draw: a model or an image.
    bool hasContent() const { return ModelList.count() >= 2 || State.Image; }
    // The largest eye-space distance of the image's corners from the origin.
    double imageRadius() const;
    // A left drag in window/level mode: horizontal widens the window,
    // vertical raises the level.
    void dragWindowLevel(int dx, int dy);

    std::optional<MeasureMark> Mark;
    QTimer WheelRest; // runs until the wheel has rested 200 ms
};
