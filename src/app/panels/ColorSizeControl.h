#pragma once

#include <QDockWidget>

class GLWidget;
class ModelClass;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Color size control": the size and the colour cycle of the function
// palette, white isolines instead of coloured ones, and one isoline at an
// exact value instead of one per colour band.
class ColorSizeControl : public QDockWidget
{
    Q_OBJECT

public:
    ColorSizeControl(QWidget *parent, GLWidget *view);

public slots:
    void ChangeView();
    void ChangeInterface();

private:
    void setupUi();
    // The models the view's commands act on: every user model while the
    // scene is current, else the current one.
    QList<ModelClass *> targets() const;
    // Isolines of a model in function mode, from the palette or at the
    // exact value, and its lists rebuilt.
    void updateIsolines(ModelClass &model);
    // The gradient panel follows the "Lines without colors" box.
    void updateGradient();

    GLWidget *View;
    QLabel *label_func_size;
    QSpinBox *spinBox_func_size;
    QLabel *label_palette_size;
    QSpinBox *spinBox_palette_size;
    QCheckBox *checkBox_repeat;
    QCheckBox *checkBox_color;
    QCheckBox *checkBox_exact;
    QLabel *label_exact;
    QLineEdit *lineEdit_exact;
};
