// The view's side of the image: the camera its planes are drawn with, the
// depth they need, and the window/level drag.

#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewHost.h"

#include <algorithm>
#include <cmath>

ViewTransform *GLWidget::imageCamera() const
{
    const ModelClass *first = userModel(ModelList, 1);
    return first ? first->Transform : ModelList.scene()->Transform;
}

double GLWidget::imageRadius() const
{
    if (!State.Image || State.Image->isEmpty())
        return 0;
    double radius = 0;
    for (const auto &corner : imageCorners(*State.Image)) {
        double eye[3];
        imageCamera()->mapPoint(corner.data(), eye);
        radius = std::max(radius, std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]));
    }
    return radius;
}

void GLWidget::dragWindowLevel(int dx, int dy)
{
    // The steps grow with the window, so that a narrow window is set finely
    // and a wide one quickly: a drag across 200 pixels doubles the window.
    WindowLevel &wl = State.Slices.windowLevel;
    const double step = std::max(wl.window, 1e-3) / 200.0;
    wl.window = std::max(wl.window + dx * step, 1e-3);
    wl.level -= dy * step;
    Host->showState();
    showNotice(tr("Window %1, level %2")
                   .arg(QString::number(wl.window, 'g', 4), QString::number(wl.level, 'g', 4)));
    update();
}
