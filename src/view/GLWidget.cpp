// The view widget: construction, the GL lifecycle, the frame, mouse, wheel
// and drop input, and the status line.

#include "GLWidget.h"
#include "Orientation.h"

#include "DisplayLists.h"
#include "ListWalk.h"
#include "ViewHost.h"
#include "geometry/Status.h"
#include "model/SceneClass.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}

GLWidget::GLWidget(QWidget *parent, ViewHost *host)
    : QOpenGLWidget(parent)
    , OwnHost(host ? nullptr : std::make_unique<HeadlessHost>())
    , Host(host ? host : OwnHost.get())
    , ModelList(Host->models())
    , State(Host->viewState())
{
    installDisplayListBackend();
    setDisplayListView(this);
    if (format().samples() > 0 && softwareRenderer()) {
        QSurfaceFormat single = format();
        single.setSamples(0);
        setFormat(single);
    }
    Frame.StereoCapable = format().stereo();
    setAcceptDrops(true);
    colorFromName(State.Config.background, State.ClearColor);
    State.Palette.buildTexels(State.Config.isoline_V, State.Config.grayScaleTexture);
    connect(&ModelList, &ModelListClass::_repaint, this, qOverload<>(&QWidget::update));
    connect(&Lights, &Light::changedLights, this, qOverload<>(&QWidget::update));
    WheelRest.setSingleShot(true);
    WheelRest.setInterval(200);
    connect(&WheelRest, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

GLWidget::~GLWidget()
{
    clearDisplayListView(this);
    // The models delete their display lists; give them this view's context.
    if (context() && context()->isValid()) {
        makeCurrent();
        if (State.Palette.TextureId)
            glDeleteTextures(1, &State.Palette.TextureId);
        Planes.release();
        ModelList.reset();
        doneCurrent();
    }
}

void GLWidget::ensureContext()
{
    if (!context())
        grabFramebuffer(); // creates the context and runs initializeGL
}

void GLWidget::initializeGL()
{
    const float *clear = State.ClearColor;
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    if (Lights.Lights.isEmpty())
        Lights.setup(Host->lightMenu());
    glShadeModel(GL_SMOOTH);
    glEnable(GL_MULTISAMPLE);
    glEnable(GL_POINT_SMOOTH);
    State.Palette.TextureId = 0;
    State.Palette.buildTexels(State.Config.isoline_V, State.Config.grayScaleTexture);
    State.Palette.upload();
}

void GLWidget::resizeGL(int w, int h)
{
    updateProjection(w, h);
}

bool GLWidget::turning() const
{
    return Reduced.Enabled && !Frame.StillFrame && (Pointer.Dragging || WheelRest.isActive())
        && Reduced.LastFullFrame > Reduced.Threshold;
}

void GLWidget::paintGL()
{
    Frame.PixelRatio = devicePixelRatioF();
    if (FitAtFirstFrame && ModelList.count() >= 2) {
        FitAtFirstFrame = false;
        frameScene(FitMargin);
    }
    Reduced.OnScreen = turning();
    if (Reduced.OnScreen) {
        paintFrame(this, width(), height(), Reduced.Budget);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    paintFrame(this, width(), height());
    glFinish(); // the frame's full cost, which decides on reduced forms
    Reduced.LastFullFrame = double(clock.nsecsElapsed()) * 1e-9;
    if (!Reduced.ModelsShown && ModelList.count() >= 2) {
        Reduced.ModelsShown = true;
        qCDebug(lcTrace, "view: first frame of models");
    }
}

void GLWidget::updateProjection(int w, int h)
{
    if (!hasContent() || w <= 0 || h <= 0)
        return;
    ModelClass *current = ModelList.active();
    if (ModelList.scene()->Orthographic) {
        Frame.ProjXr = h <= w ? double(w) / h : 1.0;
        Frame.ProjYr = h <= w ? 1.0 : double(h) / w;
        Frame.ProjDepth = std::max({1.0, double(treeRadius(ModelList.scene())), imageRadius()});
        if (current) {
            current->OrthoHalfWidth = Frame.ProjXr;
            current->ViewRadius = treeRadius(current);
            current->OrthoDepth = Frame.ProjDepth;
        }
        return;
    }
    forEveryModel(ModelList, [&](ModelClass &m) {
        m.Aspect = double(w) / h;
        computeStereoFrustum(m);
    });
}

void GLWidget::applyProjection(int w, int h)
{
    glViewport(0, 0, GLsizei(w * Frame.PixelRatio), GLsizei(h * Frame.PixelRatio));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (hasContent() && ModelList.scene()->Orthographic) {
        glGetIntegerv(GL_VIEWPORT, Frame.Viewport);
        const double xr = Frame.ProjXr, yr = Frame.ProjYr, depth = Frame.ProjDepth;
        glOrtho(-xr, xr, -yr, yr, -depth, depth);
    }
    glMatrixMode(GL_MODELVIEW);
}

void GLWidget::paintFrame(QPaintDevice *device, int w, int h, qint64 reducedBudget)
{
    if (State.MassSelect && !Pointer.SelectionRect.isNull() && !Pointer.FrozenFrame.isNull()) {
        QPainter painter(device);
        painter.drawImage(QRect(0, 0, w, h), Pointer.FrozenFrame);
        painter.setPen(Qt::darkMagenta);
        painter.setBrush(QBrush(Qt::darkMagenta, Qt::Dense7Pattern));
        painter.drawRect(Pointer.SelectionRect);
        return;
    }
    Frame.Labels.clear();
    drawScene(w, h, true, false, reducedBudget);
    // Texts go on top with a painter, begun only when there are any: it sets
    // up its own GL state, which drawScene undoes at the next frame.
    if (!Frame.Labels.isEmpty() && !Frame.PageFrames) {
        glDisable(GL_DEPTH_TEST);
        QPainter painter(device);
        paintLabels(painter, Frame.Labels, h);
    }
    if (ModelList.count() >= 2)
        Host->showStatus(!BusyText.isEmpty()     ? BusyText
                             : !Notice.isEmpty() ? Notice
                                                 : statusLine());
}

void GLWidget::drawScene(int w, int h, bool labelsInFrame, bool separateCorners,
                         qint64 reducedBudget)
{
    // State a QPainter of the previous frame may have left behind.
    resetClientState();
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_MULTISAMPLE);
    glEnable(GL_POINT_SMOOTH);
    glShadeModel(GL_SMOOTH);
    applyProjection(w, h);
    const float *clear = State.ClearColor;
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glLoadIdentity();
    Lights.applyLights();
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    if (!hasContent()) {
        glPopMatrix();
        return;
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    const double depth = ModelList.scene()->Orthographic ? Frame.ProjDepth : 0.0;
    const FrameContext frame {State.Config,  State.Palette,   Frame.Thickness, &Frame.Labels,
                              FacePass::All, separateCorners, reducedBudget,   depth};
    FrameContext opaque = frame;
    opaque.faces = FacePass::Opaque;
    const bool editing = Host->planeEditMode() && !Frame.PageFrames;
    QList<ModelClass *> transparent;
    bool stereo = false;
    for (qsizetype i = 0; i < ModelList.count(); ++i) {
        ModelClass *model = ModelList.at(i);
        if (!model->Visible)
            continue;
        const bool plane = editing && i == ModelList.ActiveIndex;
        if (model->Settings.Stereo) {
            drawStereo(*model, frame, plane, {Frame.ProjXr, bool(Frame.StereoCapable)});
            stereo = true;
            continue;
        }
        drawModel(*model, opaque, plane);
        if (hasTransparentFaces(*model))
            transparent << model;
    }
    // The planes are opaque: drawn before the transparent faces, they show
    // through them. gl2ps writes no textures, so vector files leave them out,
    // and the eyes of a stereo pair have projections of their own.
    if (State.Image && !separateCorners && !stereo) {
        glPushMatrix();
        glLoadMatrixf(imageCamera()->Matrix);
        Planes.draw(State.Image, State.Slices);
        glPopMatrix();
    }
    if (ModelClass *current = currentModel(); current && ModelList.ActiveIndex >= 1)
        drawRulerLabel(*current, frame);
    drawTransparentFaces(transparent, frame);
    if (Mark && !markCurrent())
        Mark.reset(); // a model it was measured on changed or left
    if (Mark)
        drawMeasureMark(*Mark, frame);
    glPopMatrix();
    // Which side of the patient each edge faces; a printed page sets its own.
    if (ShowOrientation && !Frame.PageFrames)
        appendEdgeLabels(Frame.Labels, imageCamera()->Matrix, w, h,
                         QColor::fromRgbF(clear[0], clear[1], clear[2]));
    // Vector files take every label as text of their own.
    if (labelsInFrame) {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        drawDepthTestedLabels(Frame.Labels, Frame.PixelRatio);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
}

void paintLabels(QPainter &painter, const QList<ScreenLabel> &labels, int h)
{
    for (const ScreenLabel &label : labels) {
        painter.setFont(label.font);
        painter.setPen(label.colour);
        const QPointF at(label.window.x(), h - label.window.y());
        if (!label.background.isValid()) {
            painter.drawText(at, label.text);
            continue;
        }
        const QRectF box = labelBox(painter.fontMetrics(), at, label.text);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(label.background);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(box, 3, 3);
        painter.setPen(label.colour);
        painter.drawText(box, Qt::AlignCenter, label.text);
    }
}

QRectF labelBox(const QFontMetrics &metrics, QPointF at, const QString &text)
{
    // Up and to the right of the point, clear of a segment through it.
    const double pad = 0.3 * metrics.height();
    const QSizeF size(metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + pad);
    return QRectF(QPointF(at.x() + 2 * pad, at.y() - 2 * pad - size.height()), size);
}

QString GLWidget::statusLine() const
{
    const ModelClass *model = currentModel();
    if (!model)
        return QString();
    // A measurement mark speaks for itself until something is picked.
    if (Mark && !Mark->status.isEmpty() && model->PickMode == PickTarget::None)
        return Mark->status;
    auto n = [](float v) { return QString::number(v, 'g', 6); };
    QString text = tr("X in [%1;%2]; Y in [%3;%4]; Z in [%5;%6]")
                       .arg(n(model->BoxMin[0]), n(model->BoxMax[0]), n(model->BoxMin[1]),
                            n(model->BoxMax[1]), n(model->BoxMin[2]), n(model->BoxMax[2]));
    if (ModelList.ActiveIndex < 1)
        return text;
    if (model->PickMode == PickTarget::Cell)
        return text + QStringLiteral(" ") + model->describePick();
    if (model->PickMode != PickTarget::Point || model->PickKind <= 0 || model->RulerKind != -1)
        return text;
    if (model->PickBlock < 0 || model->PickBlock >= model->Meshes.size())
        return text;
    const MeshClass *mesh = model->Meshes.at(model->PickBlock);
    if (model->PickIndex < 0 || model->PickIndex >= mesh->CountOfVertices)
        return text;
    const _DREAL *v = mesh->Vertices + 3 * qint64(model->PickIndex);
    auto g = [](double x) { return QString::number(x, 'g', 6); };
    text += tr("; Point: (%1;%2;%3); (Zone number=%4; Vertex number=%5)")
                .arg(g(v[0]), g(v[1]), g(v[2]))
                .arg(model->PickBlock)
                .arg(model->PickIndex);
    // The value of the function that colours the model, as for a picked cell.
    const int f = model->CurrentFunction;
    if (model->FunctionLocation == 1 && model->Settings.ColorMode == 5 && mesh->Functions && f >= 0
        && f < mesh->CountOfFunctions && f < model->FunctionNames.size())
        text += tr("; %1 = %2")
                    .arg(model->FunctionNames.at(f), g(mesh->Functions[f][model->PickIndex]));
    return text;
}

// ---- mouse and wheel ----

void GLWidget::showNotice(const QString &text)
{
    Notice = text;
    Host->showStatus(text);
}

void GLWidget::mousePressEvent(QMouseEvent *event)
{
    Notice.clear();
    Pointer.LastPos = Pointer.PressPos = event->position().toPoint();
    Pointer.Moved = 0;
    Pointer.LeftPress = event->buttons() == Qt::LeftButton;
    // A mass selection paints a frozen frame instead.
    Pointer.Dragging = !State.MassSelect;
    if (State.MassSelect) {
        updateProjection();
        Pointer.SelectionRect = QRect();
        Pointer.FrozenFrame = grabFramebuffer();
    }
}

void GLWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint(), last = Pointer.LastPos;
    const QPoint press = Pointer.PressPos;
    const int dx = pos.x() - last.x(), dy = pos.y() - last.y();
    const Qt::MouseButtons buttons = event->buttons();
    if (State.MassSelect) {
        Pointer.SelectionRect =
            QRect(QPoint(std::min(press.x(), pos.x()), std::min(press.y(), pos.y())),
                  QPoint(std::max(press.x(), pos.x()) - 1, std::max(press.y(), pos.y()) - 1));
    } else if (buttons == (Qt::LeftButton | Qt::RightButton)) {
        zoomAll(dy > 0 ? 1.02f : dy < 0 ? 0.98f : 1.0f);
    } else {
        if (pos != last)
            Pointer.Moved = 1;
        const bool editing = Host->planeEditMode();
        const int m = std::min(width(), height());
        if ((buttons & Qt::LeftButton) && State.WindowLevelMode && State.Image) {
            dragWindowLevel(dx, dy);
        } else if (buttons & Qt::LeftButton) {
            addXYZRotation(-float(dy) * kPi / 360.0f, -float(dx) * kPi / 360.0f, 0.0f);
        } else if (buttons & Qt::MiddleButton) {
            ModelClass *current = currentModel();
            if (editing && current) {
                current->ClipPlane.push(-2.0 * dy / m / current->Transform->Scale);
            } else {
                const QPointF c(width() / 2, height() / 2);
                const QPointF a = QPointF(last) - c, b = QPointF(pos) - c;
                const double la = std::hypot(a.x(), a.y()), lb = std::hypot(b.x(), b.y());
                if (la > 0.0001 && lb > 0.0001) {
                    const double cosine =
                        std::clamp((a.x() * b.x() + a.y() * b.y()) / (la * lb), -1.0, 1.0);
                    double angle = std::acos(cosine);
                    if (a.y() * b.x() - a.x() * b.y() > 0)
                        angle = -angle;
                    addXYZRotation(0.0f, 0.0f, float(angle));
                }
            }
        } else if (buttons & Qt::RightButton) {
            if (hasContent())
                addXYmove(2.0f * dx / m, -2.0f * dy / m);
        }
        if (editing)
            takePlanePlacement();
    }
    Pointer.LastPos = pos;
    updateProjection();
    update();
}

void GLWidget::wheelEvent(QWheelEvent *event)
{
    Notice.clear();
    const int steps = event->angleDelta().y() / 120;
    const float factor = steps > 0 ? 1.1f : steps < 0 ? 0.9f : 1.0f;
    if (Host->planeEditMode())
        return;
    zoomAll(factor);
    WheelRest.start(); // its timeout repaints in full
    updateProjection();
    update();
}

void GLWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
}

void GLWidget::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile())
            Host->openDroppedPath(url.toLocalFile());
    Host->clearStatus();
}
