#pragma once

#include <QDockWidget>

class GLWidget;
class QListWidget;
class QPushButton;

// "Materials": the material numbers of the current model; the selected ones
// are drawn, and "Change" renumbers materials.
class MaterialsControl : public QDockWidget
{
    Q_OBJECT

public:
    MaterialsControl(QWidget *parent, GLWidget *view);

    QListWidget *list() const { return listWidget_material; }

public slots:
    void SelectAll();
    void DeSelectAll();
    void EnableButton();
    void on_pushButton_change_clicked();
    void ChangeView();
    void initFields();
    void initWithoutDraw();

private:
    bool askMaterial(const QString &label, int &material);
    void renumber(const QList<qint32> &from, qint32 to);

    GLWidget *View;
    QListWidget *listWidget_material;
    QPushButton *pushButton_apply;
    QPushButton *pushButton_selectAll;
    QPushButton *pushButton_deselectAll;
    QPushButton *pushButton_change;
};
