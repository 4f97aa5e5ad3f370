#pragma once

#include <QString>

#include <functional>

class GLWidget;

// The commands that draw with the view (render, sheet): a display, an
// OpenGL context and the models loaded into a window-less view.

// True when a display is set (OpenGL drawing needs one; xvfb-run gives one).
bool haveDisplay();
// True when this display gives an OpenGL context.
bool haveOpenGL();

// Loads a .surf, or every .surf of an .hx scene, as the viewer's load does, or
// imports any other importable file or folder of masks;
// each failure is handed to `report` as "path: message". True when at least
// one model was loaded.
bool loadIntoView(GLWidget &view, const QString &input,
                  const std::function<void(const QString &)> &report);
