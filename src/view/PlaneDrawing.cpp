#include "Drawing.h"
#include "model/ClipPlane.h"

#include <GL/gl.h>

void drawPlane(const ClipPlane &plane)
{
    const qint32 count = plane.pointCount();
    if (count < 2)
        return;
    const float *p = plane.Polygon.data();
    glBegin(GL_LINES);
    for (qint32 i = 0; i < count; ++i) {
        glVertex3fv(p + 3 * i);
        glVertex3fv(p + 3 * ((i + 1) % count));
    }
    glEnd();
    if (count < 3)
        return;
    // The fill faces the viewer from either side through two-sided lighting.
    const double *n = plane.Normal;
    glNormal3d(n[0], n[1], n[2]);
    glBegin(GL_TRIANGLES);
    for (qint32 i = 1; i + 1 < count; ++i) {
        glVertex3fv(p);
        glVertex3fv(p + 3 * i);
        glVertex3fv(p + 3 * (i + 1));
    }
    glEnd();
}
