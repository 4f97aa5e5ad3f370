#pragma once

#include <QDockWidget>

class GLWidget;

// "Gradient": the colour legend of function colouring, painted over the
// whole panel: the palette's ramp from the minimum at the bottom to the
// maximum at the top, with ticks, values and the function's name.
class GradientControl : public QDockWidget
{
    Q_OBJECT

public:
    GradientControl(QWidget *parent, GLWidget *view);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GLWidget *View;
};
