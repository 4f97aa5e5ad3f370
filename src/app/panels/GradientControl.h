#pragma once

#include <QDockWidget>

class GLWidget;

// "Gradient": the colour legend of function colouring, painted below the
// panel's title bar: the palette's ramp from the minimum at the bottom to the
// maximum at the top, with ticks, values and the function's name.
class GradientControl : public QDockWidget
{
    Q_OBJECT

public:
    GradientControl(QWidget *parent, GLWidget *view);

    // Paints the legend on a 160 x 250 area (the panel's contents).
    void paintLegend(QPainter &painter) const;

private:
    GLWidget *View;
};
