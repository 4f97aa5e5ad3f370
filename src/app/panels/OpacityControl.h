#pragma once

#include <QDockWidget>

class GLWidget;
class ViewCommands;
class QSlider;

// "Opacity": one slider 0..255 that sets the transparency of the current model.
class OpacityControl : public QDockWidget
{
    Q_OBJECT

public:
    OpacityControl(QWidget *parent, GLWidget *view, ViewCommands *commands);

    // Sets the slider from the current model's opacity.
    void readModel();
    QSlider *slider() const { return horizontalSlider; }

public slots:
    void ChangeView();

private:
    int modelValue() const;

    GLWidget *View;
    ViewCommands *Commands;
    QSlider *horizontalSlider;
};
