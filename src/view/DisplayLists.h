#pragma once

#include <QtGlobal>

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
