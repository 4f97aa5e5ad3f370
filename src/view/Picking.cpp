// Picking with the mouse: the nearest point or triangle under the cursor by
// OpenGL selection mode, Ctrl+click cell selection, Shift+click vertex picks
// with the ruler, and the mass-selection rectangle.

#include "Picking.h"

#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewCommands.h"
#include "ViewHost.h"

#include <QMouseEvent>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

namespace {

// One GL name per primitive, counted over every block so that the model can
// map a name back; blocks the view does not draw keep their names unused.
void drawPickPrimitives(const ModelClass &model, PickTarget mode)
{
    GLuint name = 1;
    for (const MeshClass *mesh : model.Meshes) {
        const qint32 count = ModelClass::pickPrimitives(*mesh, mode);
        if (model.Meshes.size() != 1 && !model.ShownZones.contains(mesh->ZoneNumber)) {
            name += GLuint(count);
            continue;
        }
        for (qint32 i = 0; i < count; ++i) {
            glLoadName(name++);
            if (mode == PickTarget::Cell) {
                glBegin(GL_TRIANGLES);
                for (int c = 0; c < 3; ++c)
                    glVertex3fv(mesh->triCorner(3 * qint64(i) + c));
            } else {
                glBegin(GL_POINTS);
                glVertex3dv(mesh->ViewPoints + 3 * qint64(i));
            }
            glEnd();
        }
    }
}

} // namespace

quint32 nearestHitName(const quint32 *buffer, qint32 hits, qint32 size)
{
    quint32 best = 0, bestDepth = 0;
    bool found = false;
    qint64 at = 0;
    for (qint32 h = 0; h < hits && at + 3 <= size; ++h) {
        const quint32 names = buffer[at], minDepth = buffer[at + 1];
        if (at + 3 + qint64(names) > size)
            break;
        if (names > 0 && (!found || minDepth < bestDepth)) {
            best = buffer[at + 2 + names];
            bestDepth = minDepth;
            found = true;
        }
        at += 3 + names;
    }
    return best;
}

MeshClass *GLWidget::pick(ModelClass &model, int x, int y, PickTarget mode, bool ruler,
                          bool deselect)
{
    updateProjection();
    ensureContext();
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    GLint viewport[4] = {0, 0, GLint(width() * ratio), GLint(height() * ratio)};
    std::vector<GLuint> buffer(kSelectBufferSize);
    glSelectBuffer(kSelectBufferSize, buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double box = mode == PickTarget::Point ? 15.0 : 1.0;
    gluPickMatrix(x * ratio, viewport[3] - y * ratio, box, box, viewport);
    glOrtho(-Frame.ProjXr, Frame.ProjXr, -Frame.ProjYr, Frame.ProjYr, -Frame.ProjDepth,
            Frame.ProjDepth);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(model.Transform->Matrix);
    drawPickPrimitives(model, mode);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    doneCurrent();
    const quint32 name = nearestHitName(buffer.data(), hits, kSelectBufferSize);
    return model.applyPick(mode, name, ruler, deselect);
}

namespace {

// Ctrl+click: selects or deselects the cell under the cursor.
void cellClick(GLWidget &view, ModelClass &model, QPoint pos, bool deselect)
{
    if (MeshClass *changed =
            view.pick(model, pos.x(), pos.y(), PickTarget::Cell, false, deselect)) {
        changed->constructSelectedFaces();
        changed->buildSelectionData();
        model.resetPick();
        relist(model);
        view.State.CanEditSelection = true;
        view.State.CanClearSelection = true;
    }
    view.update();
}

// Shift+click: picks a vertex, with the ruler measuring from the last one.
void pointClick(GLWidget &view, ModelClass &model, QPoint pos)
{
    view.pick(model, pos.x(), pos.y(), PickTarget::Point, view.State.Ruler, false);
    view.update();
}

// SelectionFrustum from a rectangle of widget pixels, with the matrices and
// viewport of the model's last draw.
void unprojectRectangle(GLWidget &view, const ModelClass &model, QPoint from, QPoint to)
{
    // Widget pixels to the device pixels of the stored viewport, y upwards.
    const double sx = view.width() > 0 ? double(model.Viewport[2]) / view.width() : 1.0;
    const double sy = view.height() > 0 ? double(model.Viewport[3]) / view.height() : 1.0;
    const double x0 = std::min(from.x(), to.x()) * sx, x1 = std::max(from.x(), to.x()) * sx;
    const double y0 = std::min(from.y(), to.y()) * sy, y1 = std::max(from.y(), to.y()) * sy;
    const double h = model.Viewport[3];
    const double window[4][2] = {{x0, h - y0}, {x1, h - y0}, {x1, h - y1}, {x0, h - y1}};
    std::vector<double> &frustum = view.Pointer.SelectionFrustum;
    frustum.assign(24, 0.0);
    for (int back = 0; back < 2; ++back)
        for (int i = 0; i < 4; ++i) {
            double *out = frustum.data() + 3 * (4 * back + i);
            gluUnProject(window[i][0], window[i][1], back ? 1.0 : -1.0, model.ModelViewMatrix,
                         model.ProjectionMatrix, model.Viewport, out, out + 1, out + 2);
        }
}

// The end of a mass-selection drag: selects what its rectangle covers.
void massSelectRelease(GLWidget &view, ModelClass &model, QPoint pos)
{
    ViewState &state = view.State;
    unprojectRectangle(view, model, view.Pointer.PressPos, pos);
    qint64 inside = 0;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        inside += mesh->markInsideBox(view.Pointer.SelectionFrustum.data());
    if (inside == 0) {
        state.MassSelect = false;
        return;
    }
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        mesh->selectMarkedCells(state.Config.selAllPoints, state.Config.selVisiblePrims,
                                !view.Pointer.LeftPress);
        mesh->constructSelectedFaces();
        mesh->buildSelectionData();
    }
    relist(model);
    state.CanEditSelection = true;
    state.CanClearSelection = true;
}

} // namespace

void GLWidget::mouseReleaseEvent(QMouseEvent *event)
{
    Pointer.SelectionRect = QRect();
    Pointer.Dragging = false;
    if (Reduced.OnScreen)
        update(); // the full form again
    if (State.MassSelect)
        update();
    ModelClass *model = userModel(ModelList, ModelList.ActiveIndex);
    if (!model)
        return;
    const QPoint pos = event->position().toPoint();
    if (State.MassSelect) {
        massSelectRelease(*this, *model, pos);
    } else if (!Pointer.Moved && !model->Settings.Stereo) {
        if (event->modifiers() == Qt::ControlModifier)
            cellClick(*this, *model, pos, !Pointer.LeftPress);
        else if (event->modifiers() == Qt::ShiftModifier)
            pointClick(*this, *model, pos);
    }
    const bool pointPick = model->PickMode == PickTarget::Point && model->PickKind > 0;
    State.CanCentreOnPoint = pointPick;
    State.CanCentreAllOnPoint = pointPick && ModelList.count() > 2;
    Host->showState();
}
