#include "ColorsPage.h"

#include "ConfigDialog.h"
#include "PageWidgets.h"
#include "view/ViewConfig.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One row of the colour grid: its name, the settings field and the slot of
// its "..." button.
struct ColorRow
{
    const char *text;
    QString ViewConfig::*field;
    void (ConfigDialog::*slot)();
};

const ColorRow kRows[ColorsPage::RowCount] = {
    {QT_TRANSLATE_NOOP("ColorsPage", "Points"), &ViewConfig::points,
     &ConfigDialog::changePointsColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Edges"), &ViewConfig::edges, &ConfigDialog::changeLinesColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Background"), &ViewConfig::background,
     &ConfigDialog::changeBackgroundColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Front faces"), &ViewConfig::frontFaces,
     &ConfigDialog::changeFrontFacesColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Back faces"), &ViewConfig::backFaces,
     &ConfigDialog::changeBackFacesColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Boundary edges"), &ViewConfig::boundaryEdges,
     &ConfigDialog::changeBoundaryEdgesColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Selected primitives"), &ViewConfig::selection,
     &ConfigDialog::changeSelectionColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Axis"), &ViewConfig::axis, &ConfigDialog::changeAxisColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Clipping plane"), &ViewConfig::clipPlane,
     &ConfigDialog::changeClipPlaneColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Selected edges"), &ViewConfig::selectionEdges,
     &ConfigDialog::changeSelectionEdgesColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Points and Cells numbers"), &ViewConfig::pointCell,
     &ConfigDialog::changePointCellNumbersColor},
    {QT_TRANSLATE_NOOP("ColorsPage", "Isolines"), &ViewConfig::isolines,
     &ConfigDialog::changeIsolinesColor},
};

} // namespace

ColorsPage::ColorsPage(const ViewConfig &config, ConfigDialog *dialog, QWidget *parent)
    : QWidget(parent)
    , Config(config)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(colorGroup(dialog));
    layout->addWidget(checkGroup(this, tr("Texture settings"),
                                 {{tr("Use grey scale texture"), &grayScaleTexture}}));
    layout->addStretch(1);
    readConfig();
}

QWidget *ColorsPage::colorGroup(ConfigDialog *dialog)
{
    auto *group = new QGroupBox(tr("Colors"), this);
    auto *grid = new QGridLayout(group);
    for (int row = 0; row < RowCount; ++row) {
        grid->addWidget(new QLabel(tr(kRows[row].text), group), row, 0);
        labels[row] = new QLabel(group);
        labels[row]->setAlignment(Qt::AlignCenter);
        labels[row]->setMinimumWidth(90);
        grid->addWidget(labels[row], row, 1);
        auto *button = new QPushButton(QStringLiteral("..."), group);
        button->setFixedWidth(32);
        connect(button, &QPushButton::clicked, dialog, kRows[row].slot);
        grid->addWidget(button, row, 2);
    }
    grid->setColumnStretch(1, 1);
    return group;
}

void ColorsPage::readConfig()
{
    for (int row = 0; row < RowCount; ++row)
        showColor(labels[row], Config.*kRows[row].field, false);
    grayScaleTexture->setChecked(Config.grayScaleTexture);
}

void ColorsPage::writeColors(ViewConfig &config) const
{
    for (int row = 0; row < RowCount; ++row)
        config.*kRows[row].field = labels[row]->text();
}

bool ColorsPage::blackText(const QString &name)
{
    for (int i = 0; i < 3; ++i)
        if (name.mid(1 + 2 * i, 2).toInt(nullptr, 16) >= 128)
            return true;
    return false;
}

void ColorsPage::showColor(QLabel *label, const QString &name, bool picked)
{
    const QString text =
        blackText(name) ? QStringLiteral(" color: black;") : QStringLiteral(" color: white;");
    const QString background =
        picked ? QStringLiteral(" background-color: %1") : QStringLiteral("background-color: %1");
    label->setStyleSheet(text + background.arg(name));
    label->setText(name);
}
