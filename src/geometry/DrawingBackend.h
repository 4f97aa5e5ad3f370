#pragma once

#include "Types.h"

class MeshClass;

// The one seam through which the core reaches OpenGL: deleting a block's or a
// model's display lists and compiling a block's five lists. The view installs
// an implementation; without one (tests, the command-line tool) these steps
// do nothing.
class DrawingBackend
{
public:
    virtual ~DrawingBackend() = default;
    virtual void deleteLists(quint32 first, qint32 count) = 0;
    // Compiles the five lists of a block from its drawing arrays; points are
    // the drawn vertices (x, y, z each).
    virtual void buildDisplayLists(MeshClass &block, int currentFunction, const _DREAL *points,
                                   qint32 pointCount, bool coloredIsolines) = 0;
};

// Installs the backend (null removes it); returns the previous one.
DrawingBackend *setDrawingBackend(DrawingBackend *backend);
DrawingBackend *drawingBackend();
