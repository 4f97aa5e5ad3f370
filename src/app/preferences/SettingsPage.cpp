#include "SettingsPage.h"

#include "PageWidgets.h"
#include "view/ViewConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

SettingsPage::SettingsPage(const ViewConfig &config, QWidget *parent)
    : QWidget(parent)
    , Config(config)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(checkGroup(this, tr("Saving settings"),
                                 {{tr("Save color as material (if possible)"), &saveColorAsMat},
                                  {tr("Save material in OFF (if possible)"), &saveMatInOFF},
                                  {tr("Use BSP-sort"), &isBSPenable}}));
    layout->addWidget(joinGroup());
    layout->addWidget(openGroup());
    layout->addWidget(printingGroup());
    layout->addWidget(checkGroup(this, tr("Intersection settings"),
                                 {{tr("Construct only intersection plane"), &onlyIntersectPlane}}));
    layout->addWidget(languageGroup());
    layout->addStretch(1);
    readConfig();
}

QWidget *SettingsPage::joinGroup()
{
    auto *group = new QGroupBox(tr("Join settings"), this);
    auto *layout = new QVBoxLayout(group);
    const QString texts[3] = {
        tr("Join models in one zone without change material numbers"),
        tr("Join models in one zone with unique material numbers"),
        tr("Join models in several zone without change material numbers"),
    };
    for (int i = 0; i < 3; ++i) {
        join[i] = new QRadioButton(texts[i], group);
        layout->addWidget(join[i]);
    }
    return group;
}

QWidget *SettingsPage::openGroup()
{
    QGroupBox *group = checkGroup(this, tr("Open settings"),
                                  {{tr("Show only last model"), &visOnlyOneModel},
                                   {tr("Scale all models to screen"), &scaleToScreen},
                                   {tr("Autocentering opening model"), &autocenter},
                                   {tr("Load materials as cell functions"), &loadAsCellFunc},
                                   {tr("Copy transform matrix"), &tmatrix}});
    visOnlyOneModel->setToolTip(tr("Hide opened models (when opening new one)"));
    return group;
}

QWidget *SettingsPage::printingGroup()
{
    QFormLayout *form = nullptr;
    QGroupBox *group = formGroup(this, tr("Printing settings"), form);
    printingQuality = spinRow(form, tr("Printing quality:"), &ViewConfig::printingQuality);
    return group;
}

QWidget *SettingsPage::languageGroup()
{
    QFormLayout *form = nullptr;
    QGroupBox *group = formGroup(this, tr("Language settings"), form);
    language = new QComboBox(group);
    // Each language is named in itself, whatever the interface speaks.
    language->addItems({QStringLiteral("English"), QStringLiteral("Русский")});
    form->addRow(tr("Interface language:"), language);
    return group;
}

void SettingsPage::readConfig()
{
    const ViewConfig &c = Config;
    saveColorAsMat->setChecked(c.saveColorAsMat);
    saveMatInOFF->setChecked(c.saveMatInOFF);
    isBSPenable->setChecked(c.isBSPenable);
    join[int(c.join)]->setChecked(true);
    visOnlyOneModel->setChecked(c.visOnlyOneModel);
    scaleToScreen->setChecked(c.scaleToScreen);
    autocenter->setChecked(c.autocenter);
    loadAsCellFunc->setChecked(c.loadAsCellFunc);
    tmatrix->setChecked(c.tmatrix);
    printingQuality->setValue(c.printingQuality);
    onlyIntersectPlane->setChecked(c.onlyIntersectPlane);
    language->setCurrentIndex(int(c.language));
}

void SettingsPage::writeConfig(ViewConfig &config) const
{
    config.printingQuality = printingQuality->value();
    config.saveColorAsMat = saveColorAsMat->isChecked();
    config.isBSPenable = isBSPenable->isChecked();
    config.visOnlyOneModel = visOnlyOneModel->isChecked();
    config.saveMatInOFF = saveMatInOFF->isChecked();
    config.scaleToScreen = scaleToScreen->isChecked();
    config.autocenter = autocenter->isChecked();
    config.tmatrix = tmatrix->isChecked();
    config.loadAsCellFunc = loadAsCellFunc->isChecked();
    config.onlyIntersectPlane = onlyIntersectPlane->isChecked();
    config.join = join[0]->isChecked() ? JoinMode::OneZone
        : join[1]->isChecked()         ? JoinMode::UniqueMaterials
                                       : JoinMode::SeveralZones;
}
