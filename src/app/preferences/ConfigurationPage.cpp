#include "ConfigurationPage.h"

#include "view/ViewConfig.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

ConfigurationPage::ConfigurationPage(const ViewConfig &config, QWidget *parent)
    : QWidget(parent)
    , Config(config)
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
    pointThickness = spinRow(form, tr("Points thickness:"), &ViewConfig::pointThickness);
    selPointThickness =
        spinRow(form, tr("Selected points thickness:"), &ViewConfig::selPointThickness);
    lineThickness = spinRow(form, tr("Edges thickness:"), &ViewConfig::lineThickness);
    boundLineThickness =
        spinRow(form, tr("Boundary edges thickness:"), &ViewConfig::boundLineThickness);
    axisThickness = spinRow(form, tr("Axis thickness:"), &ViewConfig::axisThickness);
    isolineWidth = spinRow(form, tr("Isolines width:"), &ViewConfig::isoline_width);
    return group;
}

QWidget *ConfigurationPage::isolineGroup()
{
    QFormLayout *form = nullptr;
    QGroupBox *group = formGroup(this, tr("Isolines settings"), form);
    isolineBrightness = new QDoubleSpinBox(group);
    isolineBrightness->setRange(ViewConfig::MinIsolineV, ViewConfig::MaxIsolineV);
    isolineBrightness->setSingleStep(0.01);
    isolineBrightness->setDecimals(2);
    form->addRow(tr("Isolines brightness:"), isolineBrightness);
    return group;
}

void ConfigurationPage::readConfig()
{
    const ViewConfig &c = Config;
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
