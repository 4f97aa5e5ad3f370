// What a repaint puts on the screen for each model: the passes of every
// block with their OpenGL state, the box, the pick markers and the axes.

#include "Drawing.h"

#include "DisplayLists.h"
#include "PaletteTexture.h"
#include "ViewConfig.h"
#include "model/ModelClass.h"
#include "model/ReducedFaces.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>

namespace {

bool hasCustomColor(const MeshClass &block)
{
    return block.CustomColor[0] != 0 || block.CustomColor[1] != 0 || block.CustomColor[2] != 0;
}

void callPass(const MeshClass &block, int pass, const BlockArrays &arrays)
{
    if (block.DisplayLists != 0 && !drawnFromArrays(block))
        glCallList(block.DisplayLists + pass);
    else
        drawBlockPass(block, pass, arrays);
}

void setSides(const Rgba &front, const Rgba &back)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, front.data());
    glMaterialfv(GL_BACK, GL_AMBIENT_AND_DIFFUSE, back.data());
}

// Points and lines take the current normal for their lighting; one that
// points at the eye shows them in their own colour at any rotation.
void faceTheViewer()
{
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glNormal3f(m[2], m[6], m[10]); // the model-space direction that maps to eye +z
}

constexpr int kLightsChecked = 8; // the smallest GL_MAX_LIGHTS an implementation may have
constexpr GLenum kSideProperties[3] = {GL_AMBIENT, GL_DIFFUSE, GL_EMISSION};

// The lighting state that drawing the back faces as front faces changes and
// restores: the enabled lights' eye-space positions and both materials.
struct SideLighting
{
    std::array<std::array<float, 4>, kLightsChecked> eyePosition {};
    bool enabled[kLightsChecked] = {};
    Rgba front[3], back[3];

    // Reads the state; true when a back face lit by the reversed lights gets
    // exactly the colour that its reversed normal would give it: every
    // enabled light is directional and no spot, and no material has a
    // specular part.
    bool read()
    {
        bool reversible = true;
        for (int i = 0; i < kLightsChecked; ++i) {
            enabled[i] = glIsEnabled(GL_LIGHT0 + i);
            glGetLightfv(GL_LIGHT0 + i, GL_POSITION, eyePosition[i].data());
            float cutoff = 180.0f;
            glGetLightfv(GL_LIGHT0 + i, GL_SPOT_CUTOFF, &cutoff);
            reversible =
                reversible && (!enabled[i] || (eyePosition[i][3] == 0.0f && cutoff == 180.0f));
        }
        for (GLenum side : {GL_FRONT, GL_BACK}) {
            Rgba specular;
            glGetMaterialfv(side, GL_SPECULAR, specular.data());
            reversible =
                reversible && specular[0] == 0.0f && specular[1] == 0.0f && specular[2] == 0.0f;
        }
        for (int k = 0; k < 3; ++k) {
            glGetMaterialfv(GL_FRONT, kSideProperties[k], front[k].data());
            glGetMaterialfv(GL_BACK, kSideProperties[k], back[k].data());
        }
        return reversible;
    }

    // Places the enabled lights at their positions times sign (the lights
    // keep their eye-space places whatever the model-view matrix), and puts
    // the given material on the front side.
    void apply(float sign, const Rgba *material) const
    {
        glPushMatrix();
        glLoadIdentity();
        for (int i = 0; i < kLightsChecked; ++i) {
            if (!enabled[i])
                continue;
            const std::array<float, 4> &p = eyePosition[i];
            const float position[4] = {sign * p[0], sign * p[1], sign * p[2], 0.0f};
            glLightfv(GL_LIGHT0 + i, GL_POSITION, position);
        }
        glPopMatrix();
        for (int k = 0; k < 3; ++k)
            glMaterialfv(GL_FRONT, kSideProperties[k], material[k].data());
    }
};

// The block's reduced form when the frame asks for one and the block is
// large enough to have one (built on first use).
const ReducedFaces *reducedFormOf(MeshClass &block, const FrameContext &frame)
{
    if (frame.reducedBudget <= 0 || block.CountOfTriVertices <= 0)
        return nullptr;
    const ReducedFaces &reduced = block.reducedFaces(frame.reducedBudget);
    return reduced.whole ? nullptr : &reduced;
}

// Hands the faces to OpenGL once: whole, or their reduced form.
void emitFacesOnce(const MeshClass &block, const BlockArrays &arrays, const ReducedFaces *reduced,
                   bool separate)
{
    if (reduced) {
        drawReducedFaces(*reduced, block, arrays.currentFunction, GL_TRIANGLES, true);
        faceCounts().reduced += reduced->triangles();
        return;
    }
    if (separate)
        drawFacesCornerByCorner(block);
    else
        callPass(block, 2, arrays);
    faceCounts().full += block.CountOfTriVertices / 3;
}

// The side of the faces that cannot show in this frame: that of a closed
// block (MeshClass::findOuterSide) drawn opaque in an orthographic view,
// when the block lies wholly beyond the near plane, so that no line of sight
// starts inside it. Both when either side may show.
OuterSide hiddenSide(const MeshClass &block, const FrameContext &frame)
{
    if (block.Outer == OuterSide::Both || block.Settings.Transparent || frame.depth <= 0)
        return OuterSide::Both;
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int corner = 0; corner < 8; ++corner) {
        const double x = (corner & 1) ? block.BoxMax[0] : block.BoxMin[0];
        const double y = (corner & 2) ? block.BoxMax[1] : block.BoxMin[1];
        const double z = (corner & 4) ? block.BoxMax[2] : block.BoxMin[2];
        const double eyeZ = m[2] * x + m[6] * y + m[10] * z + m[14];
        if (eyeZ >= frame.depth * (1 - 1e-6))
            return OuterSide::Both;
    }
    return block.Outer == OuterSide::Front ? OuterSide::Back : OuterSide::Front;
}

// The faces of both sides, lit as two-sided lighting lights them. That light
// model sends every triangle down the software renderer's per-primitive path,
// which costs about a quarter of a second per million triangles. When the
// lighting allows it (SideLighting::read), two culled passes under one-sided
// lighting draw the same picture on the fast path. The back faces go first,
// so that transparent models lay their near side over their far side; those
// are drawn in two culled passes under any lighting.
void drawBothSides(const MeshClass &block, const FrameContext &frame, const BlockArrays &arrays,
                   const ReducedFaces *reduced)
{
    SideLighting lighting;
    const bool reversible = lighting.read();
    // Shared corners give the picture of separate ones only where every
    // corner of a triangle is lit alike and flat shading is honoured.
    const bool separate = block.TriIndices && (!reversible || frame.separateCorners);
    if (!reversible) {
        if (!block.Settings.Transparent) {
            emitFacesOnce(block, arrays, reduced, separate);
            return;
        }
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        emitFacesOnce(block, arrays, reduced, separate);
        glCullFace(GL_BACK);
        emitFacesOnce(block, arrays, reduced, separate);
        glDisable(GL_CULL_FACE);
        return;
    }
    // A reduced form need not close up as its block does.
    const OuterSide hidden = reduced ? OuterSide::Both : hiddenSide(block, frame);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glEnable(GL_CULL_FACE);
    if (hidden != OuterSide::Back) {
        glCullFace(GL_FRONT);
        lighting.apply(-1.0f, lighting.back);
        emitFacesOnce(block, arrays, reduced, separate);
        lighting.apply(1.0f, lighting.front);
    }
    if (hidden != OuterSide::Front) {
        glCullFace(GL_BACK);
        emitFacesOnce(block, arrays, reduced, separate);
    }
    glDisable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
}

// The faces pass; returns after undoing what it enabled.
void drawFaces(MeshClass &block, const FrameContext &frame, const BlockArrays &arrays,
               const ReducedFaces *reduced)
{
    const DrawSettings &s = block.Settings;
    bool texture = false, colourMaterial = false;
    if (hasCustomColor(block)) {
        setMaterial(block.CustomColor);
    } else if (s.ColorMode == 2) {
        setSides(block.FrontColor, block.BackColor);
    } else if (s.ColorMode == 3) {
        setMaterial(block.PlainColor);
    } else if (s.ColorMode == 4) {
        glEnable(GL_COLOR_MATERIAL);
        colourMaterial = true;
    } else if (s.ColorMode == 5) {
        if (arrays.currentFunction >= 0) {
            glEnable(GL_TEXTURE_1D);
            glBindTexture(GL_TEXTURE_1D, frame.palette.TextureId);
            texture = true;
        }
    } else {
        setMaterial(block.FrontColor);
    }
    glDepthFunc(GL_LESS);
    if (s.Transparent) {
        // Blended over what is already drawn, and hidden by what is nearer,
        // but leaving the depths as they are for what shows through it.
        glEnable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
    }
    glEnable(GL_LIGHTING);
    drawBothSides(block, frame, arrays, reduced);
    if (texture)
        glDisable(GL_TEXTURE_1D);
    if (colourMaterial)
        glDisable(GL_COLOR_MATERIAL);
    glDepthMask(GL_TRUE);
    if (s.Transparent) {
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
    }
}

void drawMarkedEdges(MeshClass &block, const FrameContext &frame)
{
    glLineWidth(float(frame.config.boundLineThickness) * frame.thickness);
    setMaterial(block.MarkedEdgeColor);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_DOUBLE, 0, block.Vertices);
    glDrawElements(GL_LINES, block.CountOfMarkedEdgeIndices, GL_UNSIGNED_INT, block.MarkedEdges);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void drawIsolines(MeshClass &block, const FrameContext &frame, const BlockArrays &arrays)
{
    if (frame.config.func_isolines) {
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_1D);
        glDisable(GL_BLEND);
    } else {
        setMaterial(block.IsolineColor);
    }
    glLineWidth(float(frame.config.isoline_width) * frame.thickness);
    callPass(block, 4, arrays);
    glLineWidth(1.0f);
    glEnable(GL_LIGHTING);
}

void drawBox(const ModelClass &model, const FrameContext &frame)
{
    setMaterial(model.AxisColor);
    glLineWidth(float(frame.config.axisThickness) * frame.thickness);
    const float *lo = model.BoxMin, *hi = model.BoxMax;
    glBegin(GL_LINES);
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (int corner = 0; corner < 4; ++corner) {
            float p[3];
            p[b] = (corner & 1) ? hi[b] : lo[b];
            p[c] = (corner & 2) ? hi[c] : lo[c];
            p[a] = lo[a];
            glVertex3fv(p);
            p[a] = hi[a];
            glVertex3fv(p);
        }
    }
    glEnd();
}

const _DREAL *vertexOf(const ModelClass &model, qint32 block, qint32 index)
{
    if (block < 0 || block >= model.Meshes.size())
        return nullptr;
    const MeshClass *mesh = model.Meshes.at(block);
    if (index < 0 || index >= mesh->CountOfVertices)
        return nullptr;
    return mesh->Vertices + 3 * qint64(index);
}

// The picked vertex, the ruler line and the picked triangle.
void drawPicks(const ModelClass &model, const FrameContext &frame)
{
    if (model.PickMode == PickTarget::Point && model.PickKind > 0) {
        const _DREAL *picked = vertexOf(model, model.PickBlock, model.PickIndex);
        if (!picked)
            return;
        glPointSize(float(frame.config.selPointThickness) * frame.thickness);
        setMaterial(model.PickColor);
        const _DREAL *ruler =
            model.RulerKind >= 1 ? vertexOf(model, model.RulerBlock, model.RulerIndex) : nullptr;
        glBegin(GL_POINTS);
        glVertex3dv(picked);
        if (ruler)
            glVertex3dv(ruler);
        glEnd();
        if (ruler) {
            glLineWidth(3.0f * float(frame.config.lineThickness) * frame.thickness);
            glBegin(GL_LINES);
            glVertex3dv(ruler);
            glVertex3dv(picked);
            glEnd();
        }
    } else if (model.PickMode == PickTarget::Cell && model.PickBlock >= 0
               && model.PickBlock < model.Meshes.size()) {
        const MeshClass *mesh = model.Meshes.at(model.PickBlock);
        if (model.PickIndex < 0 || model.PickIndex >= mesh->CountOfTriVertices / 3)
            return;
        glDisable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(2.0f, 3.0f);
        setMaterial(model.PickColor);
        glBegin(GL_TRIANGLES);
        for (int i = 0; i < 3; ++i) {
            glNormal3fv(mesh->triNormal(3 * qint64(model.PickIndex) + i));
            glVertex3fv(mesh->triCorner(3 * qint64(model.PickIndex) + i));
        }
        glEnd();
    }
}

// Projects an object point with the current matrices into window coordinates.
bool project(const double p[3], QPointF &window, double &depth)
{
    GLdouble model[16], projection[16], x, y, z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (gluProject(p[0], p[1], p[2], model, projection, viewport, &x, &y, &z) != GL_TRUE)
        return false;
    window = QPointF(x, y);
    depth = z;
    return true;
}

void addLabel(const FrameContext &frame, const double p[3], const QString &text, const QFont &font,
              const QColor &colour, bool depthTested = false)
{
    ScreenLabel label;
    if (!frame.labels || !project(p, label.window, label.depth))
        return;
    label.text = text;
    label.font = font;
    label.colour = colour;
    label.depthTested = depthTested;
    frame.labels->append(label);
}

// Tick spacing in model units: a 1, 2 or 5 step below 1 / scale.
double tickStep(double scale)
{
    double u = 1.0 / scale, s = 1.0;
    while (u < 1) {
        u *= 10;
        s /= 10;
    }
    while (u >= 10) {
        u /= 10;
        s *= 10;
    }
    if (u <= 3)
        s /= 2;
    else if (u > 6)
        s *= 2;
    return s;
}

void drawTicks(const ModelClass &model, const FrameContext &frame, const QColor &colour)
{
    const double scale = model.Transform->Scale;
    if (!(scale > 0))
        return;
    const double step = tickStep(scale), reach = 1.0 / scale;
    QFont font(QStringLiteral("Arial Black"), 8, QFont::Normal);
    glPointSize(5.0f * frame.thickness);
    for (int k = 1; k * step < reach && k < 1000; ++k)
        for (int axis = 0; axis < 3; ++axis)
            for (int sign : {-1, 1}) {
                double p[3] = {0, 0, 0};
                p[axis] = sign * k * step * scale;
                glBegin(GL_POINTS);
                glVertex3dv(p);
                glEnd();
                p[(axis + 1) % 3] += 0.02;
                addLabel(frame, p, QString::number(sign * k * step, 'g', 2), font, colour, true);
            }
}

} // namespace

FaceCounts &faceCounts()
{
    static FaceCounts counts;
    return counts;
}

void setMaterial(const Rgba &colour)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour.data());
}

void drawBlock(MeshClass &block, const FrameContext &frame, const BlockArrays &arrays,
               bool markedOver)
{
    const DrawSettings &s = block.Settings;
    const float thick = frame.thickness;
    const bool faces = s.ColorMode != 0 && block.CountOfTriVertices > 0;
    if (frame.faces == FacePass::Transparent && !(faces && s.Transparent))
        return;
    glEnable(GL_AUTO_NORMAL);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    // Faces step back only when something lies on them: on the software
    // renderer the offset costs about a third of the faces' drawing time.
    const bool overlaid = markedOver || s.ShowPoints || s.ShowIsolines
        || (s.EdgesMode != 0 && block.CountOfEdgeLineVertices > 0)
        || block.CountOfSelTriVertices > 0 || block.CountOfMarkedEdgeIndices > 0;
    if (overlaid)
        glEnable(GL_POLYGON_OFFSET_FILL);
    else
        glDisable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 2.0f);
    glLineWidth(1.0f);
    const ReducedFaces *reduced = reducedFormOf(block, frame);
    if (frame.faces == FacePass::Transparent) {
        drawFaces(block, frame, arrays, reduced);
        return;
    }
    if (faces && !(s.Transparent && frame.faces == FacePass::Opaque))
        drawFaces(block, frame, arrays, reduced);
    if (block.CountOfSelTriVertices > 0) {
        glDisable(GL_POLYGON_OFFSET_FILL);
        setMaterial(block.SelectionColor);
        callPass(block, 3, arrays);
        glEnable(GL_POLYGON_OFFSET_FILL);
    }
    if (s.ShowPoints || s.EdgesMode != 0)
        faceTheViewer();
    if (s.ShowPoints) {
        setMaterial(block.PointColor);
        glPointSize(float(frame.config.pointThickness) * thick);
        if (reduced)
            drawReducedFaces(*reduced, block, -1, GL_POINTS, false);
        else
            callPass(block, 0, arrays);
    }
    if (block.CountOfEdgeLineVertices > 0 && s.EdgesMode != 0) {
        setMaterial(block.EdgeColor);
        glLineWidth(float(frame.config.lineThickness) * thick);
        if (reduced) { // the outlines of the reduced triangles
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            drawReducedFaces(*reduced, block, -1, GL_TRIANGLES, false);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        } else {
            callPass(block, 1, arrays);
        }
    }
    if (block.CountOfMarkedEdgeIndices > 0 && block.MarkedEdges)
        drawMarkedEdges(block, frame);
    if (s.ShowIsolines)
        drawIsolines(block, frame, arrays);
}

void drawModelContents(ModelClass &model, const FrameContext &frame, bool drawPlaneToo)
{
    const int function =
        model.FunctionLocation == 1 || model.FunctionLocation == 2 ? model.CurrentFunction : -1;
    // A picked vertex, ruler or triangle is drawn on the faces after the blocks.
    const bool marked = model.PickMode != PickTarget::None;
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        if (model.Meshes.size() != 1 && !model.ShownZones.contains(mesh->ZoneNumber))
            continue;
        const bool all = model.UseAllVertices;
        const BlockArrays arrays {function, all ? mesh->Vertices : mesh->ViewPoints,
                                  all ? mesh->CountOfVertices : mesh->CountOfViewPoints,
                                  bool(model.ColoredIsolines)};
        drawBlock(*mesh, frame, arrays, marked);
    }
    if (frame.faces == FacePass::Transparent)
        return;
    if (drawPlaneToo) {
        glPushMatrix();
        glMultMatrixf(model.ClipPlane.Placement.Matrix);
        setMaterial(model.PlaneColor);
        drawPlane(model.ClipPlane);
        glPopMatrix();
    }
    if (model.Settings.ShowBox)
        drawBox(model, frame);
    drawPicks(model, frame);
}

void drawModel(ModelClass &model, const FrameContext &frame, bool drawPlaneToo)
{
    glPushMatrix();
    glLoadMatrixf(model.Transform->Matrix);
    glGetIntegerv(GL_VIEWPORT, model.Viewport);
    glGetDoublev(GL_PROJECTION_MATRIX, model.ProjectionMatrix);
    glGetDoublev(GL_MODELVIEW_MATRIX, model.ModelViewMatrix);
    drawModelContents(model, frame, drawPlaneToo);
    glPopMatrix();
    glLineWidth(float(frame.config.axisThickness) * frame.thickness);
    drawAxes(model, frame);
}

bool hasTransparentFaces(const ModelClass &model)
{
    return std::any_of(model.Meshes.begin(), model.Meshes.end(), [](const MeshClass *mesh) {
        return mesh->Settings.Transparent && mesh->Settings.ColorMode != 0
            && mesh->CountOfTriVertices > 0;
    });
}

void drawTransparentFaces(const QList<ModelClass *> &models, const FrameContext &frame)
{
    // Eye depth of each centre: the orthographic eye looks down -z, so the
    // smallest z is the farthest.
    std::vector<std::pair<double, ModelClass *>> order;
    for (ModelClass *model : models) {
        const double centre[3] = {model->Center[0], model->Center[1], model->Center[2]};
        double eye[3];
        model->Transform->mapPoint(centre, eye);
        order.emplace_back(eye[2], model);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    FrameContext pass = frame;
    pass.faces = FacePass::Transparent;
    for (const auto &[depth, model] : order) {
        glPushMatrix();
        glLoadMatrixf(model->Transform->Matrix);
        drawModelContents(*model, pass, false);
        glPopMatrix();
    }
}

void drawAxes(ModelClass &model, const FrameContext &frame)
{
    if (!model.Settings.ShowAxes)
        return;
    model.Transform->updateRotation();
    glPushMatrix();
    glLoadMatrixf(model.Transform->RotationMatrix);
    setMaterial(model.AxisColor);
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        const int side = (axis + 1) % 3, other = (axis + 2) % 3;
        double from[3] = {0, 0, 0}, to[3] = {0, 0, 0};
        from[axis] = -1;
        to[axis] = 1;
        glVertex3dv(from);
        glVertex3dv(to);
        // Four-line arrow head at +1.
        for (int off : {side, other})
            for (double sign : {-0.03, 0.03}) {
                double head[3] = {0, 0, 0};
                head[axis] = 0.97;
                head[off] = sign;
                glVertex3dv(to);
                glVertex3dv(head);
            }
    }
    glEnd();
    // Names and ticks in black, hidden by what lies in front of them.
    const QColor colour(Qt::black);
    const QFont font(QStringLiteral("Arial Black"), 15, QFont::Normal);
    const char *names[3] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
        double end[3] = {0, 0, 0};
        end[axis] = 1;
        addLabel(frame, end, QString::fromLatin1(names[axis]), font, colour, true);
    }
    drawTicks(model, frame, colour);
    glPopMatrix();
}

void drawRulerLabel(ModelClass &model, const FrameContext &frame)
{
    if (model.RulerKind < 0 || model.PickMode != PickTarget::Point || model.PickKind <= 0)
        return;
    const _DREAL *a = vertexOf(model, model.RulerBlock, model.RulerIndex);
    const _DREAL *b = vertexOf(model, model.PickBlock, model.PickIndex);
    if (!a || !b)
        return;
    const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double middle[3] = {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    glPushMatrix();
    glLoadMatrixf(model.Transform->Matrix);
    addLabel(frame, middle, QStringLiteral("S = ") + QString::number(length, 'g', 5),
             QFont(QStringLiteral("Arial Black"), 15, QFont::Normal), Qt::white);
    glPopMatrix();
}

void drawMeasureMark(const MeasureMark &mark, const FrameContext &frame)
{
    if (!mark.frame)
        return;
    glPushMatrix();
    glLoadMatrixf(mark.frame->Transform->Matrix);
    // Over everything: a gap between two organs often runs inside a third.
    glDisable(GL_DEPTH_TEST);
    setMaterial(mark.frame->PickColor);
    glPointSize(float(frame.config.selPointThickness) * frame.thickness);
    glBegin(GL_POINTS);
    glVertex3dv(mark.a);
    if (mark.segment)
        glVertex3dv(mark.b);
    glEnd();
    double middle[3] = {mark.a[0], mark.a[1], mark.a[2]};
    if (mark.segment) {
        glLineWidth(3.0f * float(frame.config.lineThickness) * frame.thickness);
        glBegin(GL_LINES);
        glVertex3dv(mark.a);
        glVertex3dv(mark.b);
        glEnd();
        for (int k = 0; k < 3; ++k)
            middle[k] = (mark.a[k] + mark.b[k]) / 2;
    }
    addLabel(frame, middle, mark.label, QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold),
             Qt::white);
    if (frame.labels && !frame.labels->isEmpty() && frame.labels->last().text == mark.label)
        frame.labels->last().background = QColor(20, 20, 20, 215);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
