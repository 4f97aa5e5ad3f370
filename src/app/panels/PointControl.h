#pragma once

#include <QDockWidget>

class GLWidget;
class ViewCommands;
class QLineEdit;
class QPushButton;

// "Point control": the coordinates of the picked vertex; "Save" or Enter in
// a field moves the vertex there.
class PointControl : public QDockWidget
{
    Q_OBJECT

public:
    PointControl(QWidget *parent, GLWidget *view, ViewCommands *commands);

    // Shows a point in the three fields.
    void setPoint(double x, double y, double z);

public slots:
    void on_pushButton_clicked();
    void on_lnEd_X_returnPressed();
    void on_lnEd_Y_returnPressed();
    void on_lnEd_Z_returnPressed();

private:
    void apply();

    GLWidget *View;
    ViewCommands *Commands;
    QLineEdit *lnEd_X;
    QLineEdit *lnEd_Y;
    QLineEdit *lnEd_Z;
    QPushButton *pushButton;
};
