#include "GLWidget.h"

#include <QCoreApplication>
#include <QSurfaceFormat>

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
