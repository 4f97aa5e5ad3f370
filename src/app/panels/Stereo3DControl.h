#pragma once

#include <QDockWidget>

class GLWidget;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;

// "Stereo 3D settings": the three stereo values of the current model, its
// projection (orthographic eyes or frusta) and the swap of the eyes.
class Stereo3DControl : public QDockWidget
{
    Q_OBJECT

public:
    Stereo3DControl(QWidget *parent, GLWidget *view);

public slots:
    void ChangeView();
    void on_checkBox_invertChanel_toggled(bool on);

private:
    // A value of -range..range starting at 1 in a row of the grid, with its label.
    QDoubleSpinBox *addValue(int row, const char *name, double range, double step, QLabel *&label,
                             const char *labelName);
    void setLabels(bool orthographic);

    GLWidget *View;
    QDoubleSpinBox *set_eye_x;
    QDoubleSpinBox *set_eye_z;
    QDoubleSpinBox *set_focus_z;
    QLabel *label_eye_x;
    QLabel *label_eye_z;
    QLabel *label_focus_z;
    QCheckBox *checkBox_invertChanel;
    QRadioButton *rb_ortho;
    QRadioButton *rb_frustrum;
};
