#pragma once

#include <QDockWidget>

class GLWidget;
class ModelClass;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Functions": chooses the function that colours the current model, between
// its vertex and its cell functions, and hides the cells whose values lie
// outside a typed range.
class FunctionControl : public QDockWidget
{
    Q_OBJECT

public:
    FunctionControl(QWidget *parent, GLWidget *view);

    // Reads the current model again: its function lists, its function and
    // that function's range.
    void refresh();

public slots:
    void initCheckBox();
    void ChangeView();
    void initFields();
    void ChangeFunc();
    void initialize();
    void on_checkBox_all_toggled(bool checked);
    void on_pushButton_clicked();
    void on_lineEdit_min_returnPressed();
    void on_lineEdit_max_returnPressed();

private:
    void setupUi();
    // The current model when a user model is loaded, else null.
    ModelClass *model() const;
    // Range of the current function of its location; false when it has none.
    bool currentRange(float &min, float &max) const;
    // Typed bounds outside the function's range fall back to its ends; a
    // minimum above the maximum swaps the two fields.
    void validateRange();
    // ChangeView; `keepRange` leaves the fields with the range just applied.
    void showFunction(bool keepRange);

    GLWidget *View;
    QComboBox *comboBox;
    QLabel *label;
    QLabel *label_2;
    QLineEdit *lineEdit_min;
    QLineEdit *lineEdit_max;
    QPushButton *pushButton;
    QCheckBox *checkBox_all;
    QCheckBox *checkBox_inCells;
};
