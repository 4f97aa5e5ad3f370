#pragma once

#include "geometry/Types.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

struct BlockArrays;
class ClipPlane;
class QFontMetrics;
class QPainter;
class MeshClass;
class ModelClass;
class PaletteTexture;
struct ViewConfig;

// A text the GL pass wants on the picture: drawn afterwards with QPainter on
// screen and in raster images, or through gl2ps in vector files.
struct ScreenLabel
{
    QPointF window; // window coordinates, y upwards
    double depth = 0;
    QString text;
    QFont font;
    QColor colour;
    // Hidden where a model lies in front of it, as the axes it names are.
    bool depthTested = false;
    // When valid, the text stands on a box of this colour beside its point
    // rather than on it, so that it reads over any model and its point and
    // segment stay in sight.
    QColor background;
};

// The labels over a finished frame of height h, with a painter.
void paintLabels(QPainter &painter, const QList<ScreenLabel> &labels, int h);

// Where a label with a background stands: its box beside the point `at`
// (y downwards), for text of these metrics.
QRectF labelBox(const QFontMetrics &metrics, QPointF at, const QString &text);

// Which faces a drawing pass puts down. Transparent faces are blended over
// whatever lies behind them, so a frame draws everything opaque first and
// the transparent faces last, far to near.
enum class FacePass {
    All,         // every face where its block is drawn (one model on its own)
    Opaque,      // everything except the faces of transparent blocks
    Transparent, // only the faces of transparent blocks
};

// What one frame's drawing needs beside the model.
struct FrameContext
{
    const ViewConfig &config;
    const PaletteTexture &palette;
    float thickness = 1.0f; // factor on line widths and point sizes (enlarged raster export)
    QList<ScreenLabel> *labels = nullptr;
    FacePass faces = FacePass::All;
    // Vector files: gl2ps takes the colour of every corner and ignores flat
    // shading, so shared corners are drawn as separate ones.
    bool separateCorners = false;
    // While the user turns the view: blocks of more triangles than this draw
    // their reduced form (0: every block is drawn whole).
    qint64 reducedBudget = 0;
    // Half depth of the orthographic box (eye z from -depth to depth); 0 in
    // perspective, where no side of the faces is left out.
    double depth = 0;
};

// Faces handed to OpenGL by the faces passes since the counts were reset,
// whole and reduced: the drawing's own account for tests and benchmarks.
struct FaceCounts
{
    qint64 full = 0;
    qint64 reduced = 0;
};
FaceCounts &faceCounts();

// Ambient and diffuse material of both sides.
void setMaterial(const Rgba &colour);
// One block in its passes; from its display lists, or from its arrays when
// it has none. markedOver: pick markers will be drawn on its faces.
void drawBlock(MeshClass &block, const FrameContext &frame, const BlockArrays &arrays,
               bool markedOver);
// Blocks, cutting plane (when drawPlane), box and pick markers of a model,
// with the model-view matrix as the caller left it.
void drawModelContents(ModelClass &model, const FrameContext &frame, bool drawPlane);
// The whole model: its matrix, contents and axes tripod.
void drawModel(ModelClass &model, const FrameContext &frame, bool drawPlane);
// The faces of the transparent blocks of these models, after everything
// opaque: the models from far to near by the eye depth of their centres, with
// depth testing on and depth writes off, each in two culled passes (back
// faces, then front faces) so that its far side shows through its near side.
void drawTransparentFaces(const QList<ModelClass *> &models, const FrameContext &frame);
// Whether any block of the model is drawn transparent.
bool hasTransparentFaces(const ModelClass &model);
// The depth-tested labels, drawn into the frame at their depth so that what
// lies in front of them hides them; they leave the list. The projection and
// model-view matrices are changed.
void drawDepthTestedLabels(QList<ScreenLabel> &labels, qreal pixelRatio);
void drawAxes(ModelClass &model, const FrameContext &frame);
// The ruler's "S = " distance label at the middle of its two points.
void drawRulerLabel(ModelClass &model, const FrameContext &frame);

// A measurement drawn over the models: a segment between two points, or one
// point, with a label at its middle. Placed with `frame`'s matrix; the
// models it was measured on are watched for changes.
struct MeasureMark
{
    ModelClass *frame = nullptr;
    QList<std::pair<const ModelClass *, quint64>> measured; // model and its DataVersion
    double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
    bool segment = false;
    QString label;  // at the middle, in the view
    QString status; // after the status line while the mark is shown
};
void drawMeasureMark(const MeasureMark &mark, const FrameContext &frame);
// What a stereo pair needs of the view: the half width of its orthographic
// box, and whether the format has left and right back buffers (else the
// pair is a red/cyan anaglyph).
struct StereoView
{
    double halfWidth = 1;
    bool buffers = false;
};
// The model's two eyes in turn (Stereo.cpp).
void drawStereo(ModelClass &model, const FrameContext &frame, bool drawPlane,
                const StereoView &view);
// The cutting plane's outline and fill (PlaneDrawing.cpp).
void drawPlane(const ClipPlane &plane);
