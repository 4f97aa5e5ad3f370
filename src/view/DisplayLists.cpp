#include "DisplayLists.h"

#include "geometry/DrawingBackend.h"
#include "geometry/MeshClass.h"
#include "model/ReducedFaces.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPointer>

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QPointer<QOpenGLWidget> listView;

// Makes a context of the share group current for the life of the scope,
// unless one already is.
class ContextScope
{
public:
    ContextScope()
    {
        if (QOpenGLContext::currentContext()) {
            ok = true;
            return;
        }
        if (listView && listView->context() && listView->context()->isValid()) {
            listView->makeCurrent();
            view = listView;
            ok = true;
            return;
        }
        QOpenGLContext *share = QOpenGLContext::globalShareContext();
        if (!share || !qGuiApp)
            return;
        static std::unique_ptr<QOffscreenSurface> surface;
        if (!surface) {
            surface = std::make_unique<QOffscreenSurface>();
            surface->setFormat(share->format());
            surface->create();
            QObject::connect(qGuiApp, &QCoreApplication::aboutToQuit, [] { surface.reset(); });
        }
        ok = share->makeCurrent(surface.get());
        borrowed = ok ? share : nullptr;
    }
    ~ContextScope()
    {
        if (view)
            view->doneCurrent();
        if (borrowed)
            borrowed->doneCurrent();
    }
    bool ok = false;

private:
    QOpenGLContext *borrowed = nullptr;
    QOpenGLWidget *view = nullptr;
};

// Draws `count` elements from client arrays that `arrays` sets up.
template<class Arrays> void drawArrays(GLenum mode, qint32 count, Arrays arrays)
{
    if (count <= 0)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    arrays();
    glDrawArrays(mode, 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

bool hasCustomColor(const MeshClass &block)
{
    return block.CustomColor[0] != 0 || block.CustomColor[1] != 0 || block.CustomColor[2] != 0;
}

void emitFaces(const MeshClass &block, int currentFunction)
{
    const int mode = block.Settings.ColorMode;
    const bool texture =
        !hasCustomColor(block) && mode == 5 && currentFunction >= 0 && block.TriTexCoords;
    const bool colours = !hasCustomColor(block) && mode == 4 && block.TriColors;
    if (!block.TriVertices || block.CountOfTriVertices <= 0)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, block.TriVertices);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, block.TriNormals);
    if (texture) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(1, GL_FLOAT, 0, block.TriTexCoords);
    } else if (colours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, block.TriColors);
    }
    if (block.TriIndices) {
        // Each triangle's own entry is its last corner, the one flat shading reads.
        glShadeModel(GL_FLAT);
        glDrawElements(GL_TRIANGLES, block.CountOfTriVertices, GL_UNSIGNED_INT, block.TriIndices);
        glShadeModel(GL_SMOOTH);
    } else {
        glDrawArrays(GL_TRIANGLES, 0, block.CountOfTriVertices);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace

void drawFacesCornerByCorner(const MeshClass &block)
{
    const qint64 corners = block.CountOfTriVertices;
    if (!block.TriIndices || !block.TriVertices || corners <= 0)
        return;
    std::vector<float> positions(3 * size_t(corners)), normals(3 * size_t(corners));
    std::vector<Rgba8> colours(block.TriColors ? size_t(corners) : 0);
    for (qint64 c = 0; c < corners; ++c) {
        std::copy_n(block.triCorner(c), 3, positions.begin() + 3 * c);
        std::copy_n(block.triNormal(c), 3, normals.begin() + 3 * c);
        if (block.TriColors) // the colour of the triangle's own entry
            colours[size_t(c)] = block.TriColors[block.triShadingEntry(c)];
    }
    const bool colourArray =
        !hasCustomColor(block) && block.Settings.ColorMode == 4 && block.TriColors;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, normals.data());
    if (colourArray) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
    }
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(corners));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

void drawReducedFaces(const ReducedFaces &reduced, const MeshClass &block, int currentFunction,
                      GLenum mode, bool coloured)
{
    if (reduced.corners.empty())
        return;
    const int colourMode = block.Settings.ColorMode;
    const bool own = coloured && !hasCustomColor(block);
    const bool texture =
        own && colourMode == 5 && currentFunction >= 0 && !reduced.texCoords.empty();
    const bool colours = own && colourMode == 4 && !reduced.colours.empty();
    drawArrays(mode, GLsizei(3 * reduced.triangles()), [&] {
        glVertexPointer(3, GL_FLOAT, 0, reduced.corners.data());
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, reduced.normals.data());
        if (texture) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(1, GL_FLOAT, 0, reduced.texCoords.data());
        } else if (colours) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(4, GL_UNSIGNED_BYTE, 0, reduced.colours.data());
        }
    });
}

void drawBlockPass(const MeshClass &block, int pass, const BlockArrays &arrays)
{
    switch (pass) {
    case 0:
        drawArrays(GL_POINTS, arrays.points ? arrays.pointCount : 0,
                   [&] { glVertexPointer(3, GL_DOUBLE, 0, arrays.points); });
        break;
    case 1:
        drawArrays(GL_LINES, block.EdgeLines ? block.CountOfEdgeLineVertices : 0,
                   [&] { glVertexPointer(3, GL_FLOAT, 0, block.EdgeLines); });
        break;
    case 2:
        emitFaces(block, arrays.currentFunction);
        break;
    case 3:
        drawArrays(GL_TRIANGLES, block.SelTriVertices ? block.CountOfSelTriVertices : 0, [&] {
            glVertexPointer(3, GL_FLOAT, 0, block.SelTriVertices);
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, block.SelTriNormals);
        });
        break;
    default:
        drawArrays(GL_LINES, block.IsoVertices ? block.CountOfIsoVertices : 0, [&] {
            glVertexPointer(3, GL_FLOAT, 0, block.IsoVertices);
            if (arrays.coloredIsolines && block.IsoColors) {
                glEnableClientState(GL_COLOR_ARRAY);
                glColorPointer(4, GL_UNSIGNED_BYTE, 0, block.IsoColors);
            }
        });
    }
}

namespace {

class ListBackend : public DrawingBackend
{
public:
    void deleteLists(quint32 first, qint32 count) override
    {
        ContextScope scope;
        if (scope.ok && first != 0 && count > 0)
            glDeleteLists(first, count);
    }

    void buildDisplayLists(MeshClass &block, int currentFunction, const _DREAL *points,
                           qint32 pointCount, bool coloredIsolines) override
    {
        ContextScope scope;
        const GLuint base = block.DisplayLists;
        if (!scope.ok || base == 0)
            return;
        resetClientState();
        glDeleteLists(base, 5);
        if (drawnFromArrays(block))
            return;
        const BlockArrays arrays {currentFunction, points, pointCount, coloredIsolines};
        // Every switch of a mode rebuilds the lists, so a pass that is off
        // gets an empty list: compiling millions of unseen edges and points
        // would only delay the first frame.
        const DrawSettings &shown = block.Settings;
        const bool wanted[5] = {bool(shown.ShowPoints), shown.EdgesMode != 0, shown.ColorMode != 0,
                                true, bool(shown.ShowIsolines)};
        for (int pass = 0; pass < 5; ++pass) {
            glNewList(base + pass, GL_COMPILE);
            if (wanted[pass])
                drawBlockPass(block, pass, arrays);
            glEndList();
        }
    }
};

} // namespace

bool drawnFromArrays(const MeshClass &block)
{
    return qint64(block.CountOfTriVertices) > 3 * kListedTrianglesAtMost;
}

void resetClientState()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context)
        return;
    QOpenGLFunctions *f = context->functions();
    f->glUseProgram(0);
    f->glBindBuffer(GL_ARRAY_BUFFER, 0);
    f->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    for (GLuint i = 0; i < 8; ++i)
        f->glDisableVertexAttribArray(i);
    f->glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void setDisplayListView(QOpenGLWidget *view)
{
    listView = view;
}

void clearDisplayListView(QOpenGLWidget *view)
{
    if (listView == view)
        listView = nullptr;
}

void installDisplayListBackend()
{
    static ListBackend backend;
    if (drawingBackend() != &backend)
        setDrawingBackend(&backend);
}

quint32 reserveDisplayLists(qint32 count)
{
    ContextScope scope;
    if (!scope.ok || count <= 0)
        return 0;
    return glGenLists(count);
}
