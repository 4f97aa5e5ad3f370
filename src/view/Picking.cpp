// Picking with the mouse: the nearest point or triangle under the cursor by
// OpenGL selection mode, Ctrl+click cell selection, Shift+click vertex picks
// with the ruler, and the mass-selection rectangle.

#include "Picking.h"

#include "GLWidget.h"
#include "ViewHost.h"

#include <QMouseEvent>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

namespace {

// One GL name per primitive, counted over every block so that the model can
// map a name back; blocks the view does not draw keep their names unused.
void drawPickPrimitives(const ModelClass &model, int mode)
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
            if (mode == 2) {
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

MeshClass *GLWidget::pick(ModelClass &model, int x, int y, int mode, bool ruler, bool deselect)
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
    const double box = mode == 1 ? 15.0 : 1.0;
    gluPickMatrix(x * ratio, viewport[3] - y * ratio, box, box, viewport);
    glOrtho(-ProjXr, ProjXr, -ProjYr, ProjYr, -ProjDepth, ProjDepth);
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

void GLWidget::cellClick(ModelClass &model, QPoint pos, bool deselect)
{
    if (MeshClass *changed = pick(model, pos.x(), pos.y(), 2, false, deselect)) {
        changed->constructSelectedFaces();
        changed->buildSelectionData();
        model.resetPick();
        relist(model);
        setActionEnabled("actionEditSelectMaterial", true);
        setActionEnabled("actionMassSelectClean", true);
    }
    update();
}

void GLWidget::pointClick(ModelClass &model, QPoint pos)
{
    pick(model, pos.x(), pos.y(), 1, actionChecked("actionRuler", false), false);
    update();
}

void GLWidget::unprojectRectangle(const ModelClass &model, QPoint from, QPoint to)
{
    // Widget pixels to the device pixels of the stored viewport, y upwards.
    const double sx = width() > 0 ? double(model.Viewport[2]) / width() : 1.0;
    const double sy = height() > 0 ? double(model.Viewport[3]) / height() : 1.0;
    const double x0 = std::min(from.x(), to.x()) * sx, x1 = std::max(from.x(), to.x()) * sx;
    const double y0 = std::min(from.y(), to.y()) * sy, y1 = std::max(from.y(), to.y()) * sy;
    const double h = model.Viewport[3];
    const double window[4][2] = {{x0, h - y0}, {x1, h - y0}, {x1, h - y1}, {x0, h - y1}};
    SelectionFrustum.assign(24, 0.0);
    for (int back = 0; back < 2; ++back)
        for (int i = 0; i < 4; ++i) {
            double *out = SelectionFrustum.data() + 3 * (4 * back + i);
            gluUnProject(window[i][0], window[i][1], back ? 1.0 : -1.0, model.ModelViewMatrix,
                         model.ProjectionMatrix, model.Viewport, out, out + 1, out + 2);
        }
}

void GLWidget::massSelectRelease(ModelClass &model, QPoint pos)
{
    unprojectRectangle(model, PressPos, pos);
    qint64 inside = 0;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        inside += mesh->markInsideBox(SelectionFrustum.data());
    if (inside == 0) {
        MassSelect = 0;
        setActionChecked("actionMassSelect", false);
        return;
    }
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        mesh->selectMarkedCells(Config.selAllPoints, Config.selVisiblePrims, !LeftPress);
        mesh->constructSelectedFaces();
        mesh->buildSelectionData();
    }
    relist(model);
    setActionEnabled("actionEditSelectMaterial", true);
    setActionEnabled("actionMassSelectClean", true);
}

void GLWidget::mouseReleaseEvent(QMouseEvent *event)
{
    SelectionRect = QRect();
    Dragging = false;
    if (ReducedOnScreen)
        update(); // the full form again
    if (MassSelect)
        update();
    ModelClass *model = userModel(ModelList.ActiveIndex);
    if (!model)
        return;
    const QPoint pos = event->position().toPoint();
    if (MassSelect) {
        massSelectRelease(*model, pos);
    } else if (!Moved && !model->Settings.Stereo) {
        if (event->modifiers() == Qt::ControlModifier)
            cellClick(*model, pos, !LeftPress);
        else if (event->modifiers() == Qt::ShiftModifier)
            pointClick(*model, pos);
    }
    const bool pointPick = model->PickMode == 1 && model->PickKind > 0;
    setActionEnabled("actionMoveCenter", pointPick);
    setActionEnabled("actionMoveAllToSelect", pointPick && ModelList.count() > 2);
}
