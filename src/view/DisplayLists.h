#pragma once

#include "geometry/Types.h"

class MeshClass;
struct ReducedFaces;

// The view's side of the core's drawing seam: display lists are compiled and
// deleted in the current context, else in the registered view's context,
// else in the global share context on an offscreen surface.

class QOpenGLWidget;

// Installs the display-list backend into the core (once; later calls do nothing).
void installDisplayListBackend();
// The view whose context compiles the lists when no context is current
// (null to unregister; only the registered view unregisters itself).
void setDisplayListView(QOpenGLWidget *view);
void clearDisplayListView(QOpenGLWidget *view);
// Reserves `count` consecutive display-list names; 0 when no context exists.
quint32 reserveDisplayLists(qint32 count);

// Undoes what Qt's own painting leaves bound in a context (shader program,
// buffer objects, generic attribute arrays), so that client-side arrays and
// the fixed-function pipeline work again.
void resetClientState();

// Where the drawn points of a block come from and how its lists are made.
struct BlockArrays
{
    int currentFunction = -1;
    const _DREAL *points = nullptr; // x, y, z per drawn point
    qint32 pointCount = 0;
    bool coloredIsolines = true;
};

// Blocks that draw more triangles than this draw straight from their arrays and
// get no display lists: compiling the lists of millions of triangles costs
// the software renderer several times the frame they would speed up, and
// it would come before the model's first frame.
constexpr qint64 kListedTrianglesAtMost = 1'000'000;
// True when the block draws from its arrays although it has list numbers.
bool drawnFromArrays(const MeshClass &block);

// Draws one of the five passes of a block (0 points, 1 edge lines, 2 faces,
// 3 selection, 4 isolines) straight from its arrays: the body of its display
// list, and the drawing itself when a view keeps no lists.
void drawBlockPass(const MeshClass &block, int pass, const BlockArrays &arrays);
// The faces of a block with shared corners drawn as separate corners, each
// with its triangle's normal and colour: the picture of the shared corners
// under lighting that may colour the corners of a triangle differently.
void drawFacesCornerByCorner(const MeshClass &block);
// The reduced form of a block's faces as triangles, or their corners as
// GL_POINTS; coloured: with the material colours or function coordinates
// that the block's faces are drawn with.
void drawReducedFaces(const ReducedFaces &reduced, const MeshClass &block, int currentFunction,
                      unsigned mode, bool coloured);
