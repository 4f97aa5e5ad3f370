#include "PointControl.h"
#include "PanelSize.h"

#include "view/GLWidget.h"
#include "view/ViewCommands.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PointControl::PointControl(QWidget *parent, GLWidget *view, ViewCommands *commands)
    : QDockWidget(parent)
    , View(view)
    , Commands(commands)
{
    setObjectName("PointControl");
    setWindowTitle(tr("Point control"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 110);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    auto *layout = new QGridLayout(contents);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(2);
    QLineEdit **fields[] = {&lnEd_X, &lnEd_Y, &lnEd_Z};
    const char *names[] = {"lnEd_X", "lnEd_Y", "lnEd_Z"};
    const QString labels[] = {tr("X:"), tr("Y:"), tr("Z:")};
    for (int i = 0; i < 3; ++i) {
        *fields[i] = new QLineEdit(contents);
        (*fields[i])->setObjectName(names[i]);
        layout->addWidget(new QLabel(labels[i], contents), i, 0);
        layout->addWidget(*fields[i], i, 1);
    }
    pushButton = new QPushButton(tr("Save"), contents);
    pushButton->setObjectName("pushButton");
    layout->addWidget(pushButton, 3, 0, 1, 2);
    setWidget(contents);
    QMetaObject::connectSlotsByName(this);
    fitPanelToTexts(this);
    show();
}

void PointControl::setPoint(double x, double y, double z)
{
    lnEd_X->setText(QString::number(x, 'g', 6));
    lnEd_Y->setText(QString::number(y, 'g', 6));
    lnEd_Z->setText(QString::number(z, 'g', 6));
}

void PointControl::apply()
{
    // A field that does not read as a number leaves the vertex where it is.
    bool ok[3];
    const double x = lnEd_X->text().toDouble(&ok[0]);
    const double y = lnEd_Y->text().toDouble(&ok[1]);
    const double z = lnEd_Z->text().toDouble(&ok[2]);
    if (ok[0] && ok[1] && ok[2])
        Commands->changePointAttr(x, y, z);
}

void PointControl::on_pushButton_clicked()
{
    apply();
}

void PointControl::on_lnEd_X_returnPressed()
{
    apply();
}

void PointControl::on_lnEd_Y_returnPressed()
{
    apply();
}

void PointControl::on_lnEd_Z_returnPressed()
{
    apply();
}
