#pragma once

#include <QDockWidget>

class GLWidget;
class ModelClass;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Isosurfaces control": asks for the isosurfaces of the vertex function,
// at a count of evenly spaced values or at typed values.
class IsoControl : public QDockWidget
{
    Q_OBJECT

public:
    IsoControl(QWidget *parent, GLWidget *view);

public slots:
    void initFields();
    void ChangeIsoMode();
    // The isosurfaces of one model as a new model, or null when none result.
    ModelClass *ChangeViewInModel(ModelClass *model);
    void ChangeView();

private:
    void setupUi();

    GLWidget *View;
    QCheckBox *checkBox_uniformity;
    QLabel *label_count;
    QSpinBox *spinBox_count;
    QLabel *label_count2;
    QLineEdit *lineEdit_count;
};
