#pragma once

#include "geometry/Types.h"

#include <QDockWidget>

class GLWidget;
class ViewCommands;
class ModelClass;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Intersection": the cutting plane of the current model as a point and a
// normal ("x;y;z" each), the clip options and the switch that lets the mouse
// turn and move the plane.
class IntersectControl : public QDockWidget
{
    Q_OBJECT

public:
    IntersectControl(QWidget *parent, GLWidget *view, ViewCommands *commands);

    // "Draw clipping rectangle" is ticked: the mouse edits the plane.
    bool planeEditMode() const;

public slots:
    // Fill the triple from the field when it holds exactly three numbers
    // separated by ";"; otherwise the triple stays as it is.
    void get_point(_DREAL3 &point);
    void get_normal(_DREAL3 &normal);
    void set_point(_DREAL3 point);
    void set_normal(_DREAL3 normal);
    void ChangeView();
    void ChangeSurf();
    void initialize();
    void on_reloadSelectButton_clicked();

private:
    void storeFieldsInPlane(ModelClass &model);

    GLWidget *View;
    ViewCommands *Commands;
    QLabel *label_point;
    QLineEdit *lineEdit_point;
    QLabel *label_normal;
    QLineEdit *lineEdit_normal;
    QPushButton *reloadSelectButton;
    QCheckBox *checkBox_smooth;
    QCheckBox *checkBox_clipping_r;
    QCheckBox *checkBox_include;
    QCheckBox *checkBox_invert;
    QPushButton *pushButton_OK;
};
