#include "DrawingBackend.h"

namespace {
DrawingBackend *installedBackend = nullptr;
}

DrawingBackend *setDrawingBackend(DrawingBackend *backend)
{
    DrawingBackend *previous = installedBackend;
    installedBackend = backend;
    return previous;
}

DrawingBackend *drawingBackend()
{
    return installedBackend;
}
