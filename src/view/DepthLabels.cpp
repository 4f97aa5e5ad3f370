// Texts that belong to the scene (the names and ticks of the axes) are drawn
// into the frame at the depth of the point they label, so that a model in
// front of them hides them as it hides the axes.

#include "Drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <GL/gl.h>

#include <cmath>

namespace {

// The text rendered on a transparent image, rows bottom-up as OpenGL reads
// pixels; `origin` is the baseline's start within it, from the lower left.
QImage textImage(const ScreenLabel &label, qreal pixelRatio, QPoint &origin)
{
    QFont font = label.font;
    font.setPointSizeF(font.pointSizeF() * pixelRatio);
    QImage probe(1, 1, QImage::Format_RGBA8888);
    const QRect bounds = QFontMetrics(font, &probe).boundingRect(label.text).adjusted(-1, -1, 1, 1);
    if (bounds.isEmpty())
        return QImage();
    QImage image(bounds.size(), QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(label.colour);
        painter.drawText(-bounds.left(), -bounds.top(), label.text);
    }
    origin = QPoint(-bounds.left(), bounds.bottom() + 1);
    return image.mirrored();
}

} // namespace

void drawDepthTestedLabels(QList<ScreenLabel> &labels, qreal pixelRatio)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Window x and y, and z equal to the window depth.
    glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], 0, -1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_1D);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (qsizetype i = 0; i < labels.size();) {
        const ScreenLabel &label = labels.at(i);
        if (!label.depthTested) {
            ++i;
            continue;
        }
        QPoint origin;
        const QImage image = textImage(label, pixelRatio, origin);
        // A raster position outside the view is invalid and draws nothing.
        glRasterPos3d(label.window.x(), label.window.y(), std::clamp(label.depth, 0.0, 1.0));
        if (!image.isNull()) {
            glBitmap(0, 0, 0, 0, GLfloat(-origin.x()), GLfloat(-origin.y()), nullptr);
            glDrawPixels(image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                         image.constBits());
        }
        labels.removeAt(i);
    }
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glEnable(GL_LIGHTING);
}
