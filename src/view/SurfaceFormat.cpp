#include "GLWidget.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>

void setupViewSurfaceFormat(int samples)
{
    // Display lists, selection picking and the fixed-function pipeline need a
    // compatibility profile; all views share one context group so that the
    // display lists the models compile are valid in every view.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSamples(samples);
    QSurfaceFormat::setDefaultFormat(format);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

bool softwareRenderer()
{
    static const bool software = [] {
        QOpenGLContext *share = QOpenGLContext::globalShareContext();
        QOpenGLContext *current = QOpenGLContext::currentContext();
        if (!share || current)
            return false;
        QOffscreenSurface surface;
        surface.setFormat(share->format());
        surface.create();
        if (!share->makeCurrent(&surface))
            return false;
        const auto *name = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
        const QByteArray renderer = name ? QByteArray(name).toLower() : QByteArray();
        share->doneCurrent();
        return renderer.contains("llvmpipe") || renderer.contains("softpipe")
            || renderer.contains("swrast");
    }();
    return software;
}
