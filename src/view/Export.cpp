// Pictures of the view: frames of any size, raster files enlarged by the
// printing quality, vector files through gl2ps, and printing.

#include "Dialogs.h"
#include "GLWidget.h"
#include "ViewHost.h"
#include "geometry/PhaseTrace.h"

#include "formats/FileKinds.h"
#include "formats/OutputFile.h"

#include <QBuffer>
#include <QFile>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <GL/gl.h>
#include <gl2ps.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A page's view is a few centimetres wide: blocks of more triangles than this
// are recorded in their reduced form (vertices clustered on a grid), which
// looks the same there and keeps a vector page as quick to make and to open
// as its pictures.
constexpr qint64 kPageViewBudget = 4000;

// The raster format of a file name's ending (case-sensitive), or null.
const char *rasterFormat(const QString &name)
{
    switch (pictureKindOf(name)) {
    case PictureKind::Jpeg:
        return "JPG";
    case PictureKind::Png:
        return "PNG";
    case PictureKind::Bmp:
        return "BMP";
    default:
        return nullptr;
    }
}

// The picture kinds of the save dialog, in the order of its filter, each
// with its description there.
constexpr std::pair<PictureKind, const char *> kDialogKinds[] = {
    {PictureKind::Jpeg, QT_TRANSLATE_NOOP("GLWidget", "JPG - JPEG")},
    {PictureKind::Png, QT_TRANSLATE_NOOP("GLWidget", "PNG - portable network graphics")},
    {PictureKind::Bmp, QT_TRANSLATE_NOOP("GLWidget", "BMP - Bitmap Picture")},
    {PictureKind::Svg, QT_TRANSLATE_NOOP("GLWidget", "SVG - Scalable Vector Graphics")},
    {PictureKind::Pdf, QT_TRANSLATE_NOOP("GLWidget", "PDF - Portable Document Format ")},
    {PictureKind::Ps, QT_TRANSLATE_NOOP("GLWidget", "PS - PostScript")},
    {PictureKind::Eps, QT_TRANSLATE_NOOP("GLWidget", "EPS - Encapsulated PostScript")},
};

// The endings an image is written for, in the order of the dialog's filter.
QString imageEndings()
{
    QStringList endings;
    for (const auto &[kind, description] : kDialogKinds)
        endings << pictureEndings({kind});
    return endings.join(u' ');
}

// "JPG - JPEG(*.jpg *.jpeg);;PNG - ...(*.png);;...;;"
QString imageFilter()
{
    QString filter;
    for (const auto &[kind, description] : kDialogKinds) {
        QStringList patterns = pictureEndings({kind});
        for (QString &pattern : patterns)
            pattern.prepend(u'*');
        filter += GLWidget::tr(description) + u'(' + patterns.join(u' ') + QStringLiteral(");;");
    }
    return filter;
}

GLint vectorFormat(const QString &name)
{
    switch (pictureKindOf(name)) {
    case PictureKind::Svg:
        return GL2PS_SVG;
    case PictureKind::Pdf:
        return GL2PS_PDF;
    case PictureKind::Eps:
        return GL2PS_EPS;
    case PictureKind::Ps:
        return GL2PS_PS;
    default:
        return -1;
    }
}

// The labels as gl2ps texts at their positions in a w x h window.
void drawLabelsAsText(const QList<ScreenLabel> &labels, double w, double h)
{
    // The labels as text of the file, at their window positions.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    for (const ScreenLabel &label : labels) {
        glColor4d(label.colour.redF(), label.colour.greenF(), label.colour.blueF(), 1.0);
        glRasterPos2d(label.window.x(), label.window.y());
        gl2psTextOpt(label.text.toUtf8().constData(), "Helvetica", GLshort(label.font.pointSize()),
                     GL2PS_TEXT_BL, 0);
    }
}

} // namespace

QImage GLWidget::renderImage(int w, int h, float thickness)
{
    if (w <= 0 || h <= 0)
        return QImage();
    ensureContext();
    if (!context() || !context()->isValid())
        return QImage();
    if (QSize(w, h) == size() * devicePixelRatioF() && thickness == 1.0f) {
        Frame.StillFrame = true; // a picture is always drawn in full
        const QImage image = grabFramebuffer();
        Frame.StillFrame = false;
        return image;
    }
    makeCurrent();
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    fboFormat.setSamples(std::max(0, format().samples()));
    QImage image;
    {
        QOpenGLFramebufferObject fbo(w, h, fboFormat);
        if (fbo.isValid() && fbo.bind()) {
            const float savedThickness = Frame.Thickness;
            Frame.Thickness = thickness;
            Frame.PixelRatio = 1.0;
            updateProjection(w, h);
            QOpenGLPaintDevice device(w, h);
            PhaseTrace trace("picture");
            paintFrame(&device, w, h);
            glFinish();
            trace.mark("draw");
            Frame.Thickness = savedThickness;
            image = fbo.toImage();
            trace.mark("read back");
        }
    }
    context()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    updateProjection(width(), height());
    doneCurrent();
    return image;
}

bool GLWidget::exportVector(const QString &fileName)
{
    // Written beside the file and renamed over it only when every byte is
    // out, as the mesh writers do: a full disk leaves an earlier file intact.
    const GLint format = vectorFormat(fileName);
    if (format < 0) // no writer knows the ending: no file at all
        return false;
    OutputFile output(fileName, false);
    if (!output.isOpen())
        return false;
    ensureContext();
    FILE *stream = context() && context()->isValid() ? output.openStream() : nullptr;
    if (!stream)
        return false;
    makeCurrent();
    Frame.PixelRatio = devicePixelRatioF();
    updateProjection(width(), height());
    const bool bsp = State.Config.isBSPenable;
    const GLint sort = bsp ? GL2PS_BSP_SORT : GL2PS_SIMPLE_SORT;
    GLint options = GL2PS_USE_CURRENT_VIEWPORT | GL2PS_OCCLUSION_CULL;
    if (bsp)
        options |= GL2PS_BEST_ROOT | GL2PS_SIMPLE_LINE_OFFSET;
    const QByteArray path = QFile::encodeName(fileName);
    gl2psBeginPage("ScreenShot", "Tessaron", nullptr, format, sort, options, GL_RGBA, 0, nullptr, 0,
                   0, 0, 9999999, stream, path.constData());
    Frame.Labels.clear();
    drawScene(width(), height(), false, true);
    drawLabelsAsText(Frame.Labels, width() * Frame.PixelRatio, height() * Frame.PixelRatio);
    gl2psEndPage();
    doneCurrent();
    update();
    return output.closeStream(stream) && output.commit();
}

QByteArray GLWidget::renderSvg(int w, int h)
{
    ensureContext();
    if (w <= 0 || h <= 0 || !context() || !context()->isValid())
        return QByteArray();
    makeCurrent();
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QByteArray svg;
    {
        QOpenGLFramebufferObject fbo(w, h, fboFormat);
        if (fbo.isValid() && fbo.bind()) {
            Frame.PixelRatio = 1.0;
            updateProjection(w, h);
            GLint viewport[4] = {0, 0, w, h};
            // gl2ps records the frame through OpenGL's feedback buffer; a
            // buffer too small for it is doubled and the frame drawn again.
            GLint bufferSize = 4 << 20;
            // See-through models need what lies behind them: no occlusion
            // culling, and their opacity kept in the drawing.
            bool blend = false;
            for (qsizetype i = 1; i < ModelList.count(); ++i)
                blend =
                    blend || (ModelList.at(i)->Visible && hasTransparentFaces(*ModelList.at(i)));
            const GLint options = GL2PS_SILENT | (blend ? 0 : GL2PS_OCCLUSION_CULL);
            for (GLint state = GL2PS_OVERFLOW; state == GL2PS_OVERFLOW; bufferSize *= 2) {
                char *bytes = nullptr;
                size_t length = 0;
                FILE *memory = open_memstream(&bytes, &length);
                if (!memory)
                    break;
                // Each triangle in one colour (a threshold of 1 on every
                // channel): gl2ps would otherwise split every smooth-shaded
                // triangle into many to follow its colours, which costs
                // several times the picture's time and gains nothing at the
                // size of a page's view.
                gl2psBeginPage("Tessaron", "Tessaron", viewport, GL2PS_SVG, GL2PS_SIMPLE_SORT,
                               options, GL_RGBA, 0, nullptr, 1, 1, 1, bufferSize, memory,
                               "view.svg");
                // gl2ps always blends SVG, with the blending function it
                // finds set, which need not be the one models are drawn with.
                if (blend)
                    gl2psBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                Frame.Labels.clear();
                drawScene(w, h, false, true, Frame.PageFrames ? kPageViewBudget : 0);
                state = gl2psEndPage();
                std::fclose(memory);
                if (state == GL2PS_SUCCESS)
                    svg = QByteArray(bytes, qsizetype(length));
                std::free(bytes);
                if (bufferSize > (1 << 30))
                    break;
            }
        }
    }
    context()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    updateProjection(width(), height());
    doneCurrent();
    return svg;
}

bool GLWidget::saveImage(const QString &fileName, bool smallPng)
{
    clearOutputError();
    const char *raster = rasterFormat(fileName);
    if (!raster)
        return exportVector(fileName);
    // Encoded in memory, then written beside the file and renamed over it.
    OutputFile output(fileName, false);
    if (!output.isOpen())
        return false;
    const int q = std::max(1, State.Config.printingQuality);
    const QImage image = renderImage(q * width(), q * height(), float(q));
    update();
    PhaseTrace trace("picture");
    QByteArray encoded;
    QBuffer buffer(&encoded);
    // Qt's PNG quality runs opposite to zlib's level: 0 is the smallest file.
    const int quality = smallPng && !std::strcmp(raster, "PNG") ? 0 : 95;
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly)
        || !image.save(&buffer, raster, quality))
        return false;
    trace.mark("encode");
    output.out().bytes(encoded.constData(), size_t(encoded.size()));
    return output.commit();
}

void GLWidget::save2pic()
{
    const QString name = Dialogs::current().getSaveFileName(this, tr("Save image As..."),
                                                            Host->currentFolder(), imageFilter());
    if (name.isEmpty())
        return;
    if (!rasterFormat(name) && vectorFormat(name) < 0) {
        showNotice(tr("Not saved: %1 has no image ending; images are written as %2.")
                       .arg(name, imageEndings()));
        return;
    }
    if (saveImage(name)) {
        showNotice(tr("Image saved: %1").arg(name));
        return;
    }
    const QString why = lastOutputError();
    showNotice(tr("The image could not be saved.") + ' ' + why);
    Dialogs::current().critical(this, tr("Error"),
                                tr("The image could not be saved.") + "\n" + why);
}

void GLWidget::printGLpreview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &GLWidget::printGLprint);
    preview.exec();
}

void GLWidget::printGLprint(QPrinter *printer)
{
    const int q = std::max(1, State.Config.printingQuality);
    const QImage image = renderImage(q * width(), q * height(), float(q));
    update();
    if (image.isNull())
        return;
    QPainter painter(printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x() + (page.width() - size.width()) / 2,
                        page.y() + (page.height() - size.height()) / 2, size.width(),
                        size.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
}
