#pragma once

#include <QtGlobal>

// The view's side of the core's drawing seam: display lists are compiled and
// deleted in whatever context of the views' share group is current, or in
// the global share context on an offscreen surface when none is.

// Installs the display-list backend into the core (once; later calls do nothing).
void installDisplayListBackend();
// Reserves `count` consecutive display-list names; 0 when no context exists.
quint32 reserveDisplayLists(qint32 count);

// Undoes what Qt's own painting leaves bound in a context (shader program,
// buffer objects, generic attribute arrays), so that client-side arrays and
// the fixed-function pipeline work again.
void resetClientState();
