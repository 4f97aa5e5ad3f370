// Stereo pairs: the frusta of the two eyes and the two drawing passes, into
// the left and right back buffers or, without stereo buffers, as a red/cyan
// anaglyph (left eye red, right eye cyan).

#include "GLWidget.h"
#include "ListWalk.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <numbers>

void computeStereoFrustum(ModelClass &model)
{
    model.Near = model.StereoA * 0.01;
    model.FocalDistance = model.StereoB * 15.0;
    model.Far = model.StereoC * 500.0;
    const double top = std::tan(model.FieldOfView / 2.0 * std::numbers::pi / 180.0) * model.Near;
    const double w = top * model.Aspect;
    const double s = model.EyeSeparation * 0.5 * model.Near / model.FocalDistance;
    model.Eyes[0] = {s - w, s + w, -top, top, model.EyeSeparation * 0.5};
    model.Eyes[1] = {-w - s, w - s, -top, top, -model.EyeSeparation * 0.5};
}

void drawStereo(ModelClass &model, const FrameContext &scene, bool drawPlane,
                const StereoView &view)
{
    FrameContext frame = scene;
    if (!model.Orthographic)
        frame.depth = 0; // the frusta of the eyes: leave no side out
    const double radius = model.ViewRadius > 0 ? model.ViewRadius : treeRadius(&model);
    const double halfWidth = model.OrthoHalfWidth > 0 ? model.OrthoHalfWidth : view.halfWidth;
    for (int pass = 0; pass < 2; ++pass) {
        const bool right = (pass == 0) == bool(model.SwapEyes);
        if (view.buffers)
            glDrawBuffer(right ? GL_BACK_RIGHT : GL_BACK_LEFT);
        else
            glColorMask(!right, right, right, GL_TRUE);
        if (!model.Orthographic) {
            const ModelClass::Eye &eye = model.Eyes[right ? 1 : 0];
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glFrustum(eye.left, eye.right, eye.bottom, eye.top, model.Near, model.Far);
            glTranslated(eye.shift, 0, 0);
            glMatrixMode(GL_MODELVIEW);
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        if (model.Orthographic) {
            const double scale = model.Transform->Scale;
            double z = radius * 0.25 * model.StereoB;
            z = scale > 1 ? z / scale : z * scale;
            const double x = (pass == 0 ? -1.0 : 1.0) * halfWidth / 60.0 * model.StereoA;
            gluLookAt(x, 0, z, 0, 0, -radius * model.StereoC, 0, 1, 0);
        } else {
            glTranslated(0, 0, model.EyeDistance * model.StereoA);
        }
        glMultMatrixf(model.Transform->Matrix);
        drawModelContents(model, frame, drawPlane);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (!model.Orthographic) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
    }
    glLoadIdentity();
}
