#pragma once

#include "formats/FileKinds.h"

#include <QString>

#include <functional>
#include <memory>

class GLWidget;
class QApplication;

// The commands that draw with the view (render, sheet): a display, an
// OpenGL context and the models loaded into a window-less view.

// Starts the application that drawing with the view needs, without
// multisampling (these commands draw a few frames with a software renderer,
// where it would double the time). Null, with the reason in `why`, when no
// display is set (xvfb-run gives one) or the display gives no OpenGL context.
std::unique_ptr<QApplication> startDrawing(QString &why);

// Loads a .surf, or every .surf of an .hx scene, as the viewer's load does, or
// imports any other importable file or folder of masks, or a session; an
// image it holds goes into the view's state with its starting planes. Each
// failure is handed to `report` as "path: message". True when a model or an
// image was loaded. `kind` (when given) receives what INPUT was recognised as.
bool loadIntoView(GLWidget &view, const QString &input,
                  const std::function<void(const QString &)> &report, FileKind *kind = nullptr);
