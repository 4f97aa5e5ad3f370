#include "ConfigurationPage.h"

#include "view/GLWidget.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

ConfigurationPage::ConfigurationPage(GLWidget *view, QWidget *parent)
    : QWidget(parent)
    , View(view)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(thicknessGroup());
    layout->addWidget(radioGroup(this, tr("Draw settings"), tr("Draw all points"),
                                 tr("Draw visible points"), drawPoints));
    layout->addWidget(radioGroup(this, tr("Shading settings"),
                                 tr("Phong shading (normals for vertices)"),
                                 tr("Gouraud shading (normals for faces)"), shading));
    layout->addWidget(radioGroup(this, tr("Isolines colors"),
                                 tr("Draw isolines with function colors"),
                                 tr("Draw isolines with colid color"), isolineColors));
    layout->addWidget(isolineGroup());
    layout->addStretch(1);
    readConfig();
}

QWidget *ConfigurationPage::thicknessGroup()
{
    QFormLayout *form = nullptr;
    QGroupBox *group = formGroup(this, tr("The thickness"), form);
    pointThickness = spinRow(form, tr("Points thickness:"), 1, 30);
    selPointThickness = spinRow(form, tr("Selected points thickness:"), 1, 30);
    lineThickness = spinRow(form, tr("Edges thickness:"), 1, 20);
    boundLineThickness = spinRow(form, tr("Boundary edges thickness:"), 1, 20);
    axisThickness = spinRow(form, tr("Axis thickness:"), 1, 20);
    isolineWidth = spinRow(form, tr("Isolines width:"), 1, 10);
    return group;
}

QWidget *ConfigurationPage::isolineGroup()
{
    QFormLayout *form = nullptr;
    QGroupBox *group = formGroup(this, tr("Isolines settings"), form);
    isolineBrightness = new QDoubleSpinBox(group);
    isolineBrightness->setRange(0.0, 1.0);
    isolineBrightness->setSingleStep(0.01);
    isolineBrightness->setDecimals(2);
    form->addRow(tr("Isolines brightness:"), isolineBrightness);
    return group;
}

void ConfigurationPage::readConfig()
{
    const ViewConfig &c = View->Config;
    pointThickness->setValue(c.pointThickness);
    selPointThickness->setValue(c.selPointThickness);
    lineThickness->setValue(c.lineThickness);
    boundLineThickness->setValue(c.boundLineThickness);
    axisThickness->setValue(c.axisThickness);
    isolineWidth->setValue(c.isoline_width);
    drawPoints.setFirst(c.drawAllPoints);
    shading.setFirst(c.shade_type);
    isolineColors.setFirst(c.func_isolines);
    isolineBrightness->setValue(c.isoline_V);
}

void ConfigurationPage::writeConfig(ViewConfig &config) const
{
    config.pointThickness = pointThickness->value();
    config.selPointThickness = selPointThickness->value();
    config.lineThickness = lineThickness->value();
    config.boundLineThickness = boundLineThickness->value();
    config.axisThickness = axisThickness->value();
    config.drawAllPoints = drawPoints.isFirst();
    config.shade_type = shading.isFirst();
    config.func_isolines = isolineColors.isFirst();
    config.isoline_width = isolineWidth->value();
}
