#include "SelectionPage.h"

#include "view/ViewConfig.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

SelectionPage::SelectionPage(const ViewConfig &config, QWidget *parent)
    : QWidget(parent)
    , Config(config)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(radioGroup(this, tr("By material selection"), tr("Select all materials"),
                                 tr("Select active material"), materials));
    layout->addWidget(radioGroup(this, tr("By points selection"),
                                 tr("Select triangle, if all points are selected"),
                                 tr("Select triangle, if any point is selected"), points));
    layout->addWidget(radioGroup(this, tr("By visible selection"), tr("Select all primitives"),
                                 tr("Select visible primitives"), visible));
    layout->addWidget(
        checkGroup(this, tr("Neighbours faces"), {{tr("Finding neighbours on fly"), &neighOnFly}}));
    layout->addStretch(1);
    readConfig();
}

void SelectionPage::readConfig()
{
    const ViewConfig &c = Config;
    materials.setFirst(!c.selActiveMat);
    points.setFirst(c.selAllPoints);
    visible.setFirst(!c.selVisiblePrims);
    neighOnFly->setChecked(c.neighOnFly);
}

void SelectionPage::writeConfig(ViewConfig &config) const
{
    config.selActiveMat = !materials.isFirst();
    config.selAllPoints = points.isFirst();
    config.selVisiblePrims = !visible.isFirst();
    config.neighOnFly = neighOnFly->isChecked();
}
