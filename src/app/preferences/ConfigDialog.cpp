#include "ConfigDialog.h"

#include "ConfigurationPage.h"
#include "SelectionPage.h"
#include "SettingsEditor.h"
#include "SettingsPage.h"
#include "view/Dialogs.h"
#include "view/SettingsFile.h"
#include "view/ViewState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

ConfigDialog::ConfigDialog(SettingsEditor &editor)
    : Editor(editor)
{
    contentsWidget = new QListWidget(this);
    contentsWidget->setViewMode(QListView::IconMode);
    contentsWidget->setIconSize(QSize(80, 80));
    contentsWidget->setMovement(QListView::Static);
    contentsWidget->setMaximumWidth(110);
    contentsWidget->setSpacing(12);

    const ViewConfig &config = Editor.viewState().Config;
    Configuration = new ConfigurationPage(config);
    Selection = new SelectionPage(config);
    Settings = new SettingsPage(config);
    Colors = new ColorsPage(config, this);
    pagesWidget = new QStackedWidget(this);
    pagesWidget->addWidget(Configuration);
    pagesWidget->addWidget(Selection);
    pagesWidget->addWidget(Settings);
    pagesWidget->addWidget(Colors);

    createIcons();
    contentsWidget->setCurrentRow(0);
    layOut();
    setWindowTitle(tr("Config Dialog"));
}

void ConfigDialog::layOut()
{
    auto *reset = new QPushButton(tr("Reset"), this);
    auto *reload = new QPushButton(tr("Reload"), this);
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    auto *apply = new QPushButton(tr("Apply"), this);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true); // Enter in a field means Ok, never Reset
    connect(reset, &QPushButton::clicked, this, &ConfigDialog::reset_config);
    connect(reload, &QPushButton::clicked, this, &ConfigDialog::reload_config);
    connect(ok, &QPushButton::clicked, this, &ConfigDialog::ok_config);
    connect(cancel, &QPushButton::clicked, this, &ConfigDialog::close);
    connect(apply, &QPushButton::clicked, this, &ConfigDialog::apply_config);

    auto *horizontal = new QHBoxLayout;
    horizontal->addWidget(contentsWidget);
    horizontal->addWidget(pagesWidget, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(reload);
    buttons->addStretch(12);
    buttons->addWidget(ok);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(horizontal);
    main->addStretch(1);
    main->addSpacing(12);
    main->addLayout(buttons);
}

void ConfigDialog::createIcons()
{
    const std::pair<const char *, QString> items[] = {
        {":/draw", tr("Draw")},
        {":/selection", tr("Selection")},
        {":/settings", tr("Settings")},
        {":/colors", tr("Colors")},
    };
    for (const auto &[icon, text] : items) {
        auto *item = new QListWidgetItem(QIcon(icon), text, contentsWidget);
        item->setTextAlignment(Qt::AlignHCenter);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    connect(contentsWidget, &QListWidget::currentItemChanged, this, &ConfigDialog::changePage);
}

void ConfigDialog::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    pagesWidget->setCurrentIndex(contentsWidget->row(current ? current : previous));
}

// ---- colours ----

void ConfigDialog::pickColor(ColorsPage::Row row)
{
    QLabel *label = Colors->labels[row];
    const QColor chosen = Dialogs::current().getColor(QColor(label->text()), this);
    if (chosen.isValid())
        ColorsPage::showColor(label, chosen.name(), true);
}

void ConfigDialog::changeAxisColor()
{
    pickColor(ColorsPage::Axis);
}

void ConfigDialog::changePointsColor()
{
    pickColor(ColorsPage::Points);
}

void ConfigDialog::changeLinesColor()
{
    pickColor(ColorsPage::Edges);
}

void ConfigDialog::changeBackgroundColor()
{
    pickColor(ColorsPage::Background);
}

void ConfigDialog::changeFrontFacesColor()
{
    pickColor(ColorsPage::FrontFaces);
}

void ConfigDialog::changeBackFacesColor()
{
    pickColor(ColorsPage::BackFaces);
}

void ConfigDialog::changeBoundaryEdgesColor()
{
    pickColor(ColorsPage::BoundaryEdges);
}

void ConfigDialog::changeSelectionColor()
{
    pickColor(ColorsPage::Selection);
}

void ConfigDialog::changeClipPlaneColor()
{
    pickColor(ColorsPage::ClipPlane);
}

void ConfigDialog::changeSelectionEdgesColor()
{
    pickColor(ColorsPage::SelectionEdges);
}

void ConfigDialog::changePointCellNumbersColor()
{
    pickColor(ColorsPage::PointCell);
}

void ConfigDialog::changeIsolinesColor()
{
    pickColor(ColorsPage::Isolines);
}

// ---- buttons ----

void ConfigDialog::apply_config()
{
    ViewState &state = Editor.viewState();
    ViewConfig &config = state.Config;
    Configuration->writeConfig(config);
    Selection->writeConfig(config);
    Settings->writeConfig(config);
    Colors->writeColors(config);
    config.isoline_V = float(Configuration->isolineBrightness->value());
    config.grayScaleTexture = Colors->grayScaleTexture->isChecked();
    Editor.applyViewSettings();
    // The palette keeps the brightness as the dialog gives it.
    state.Palette.IsoValue = Configuration->isolineBrightness->value();
    askLanguage();
    Editor.writeSettings();
}

void ConfigDialog::ok_config()
{
    apply_config();
    close();
}

void ConfigDialog::reload_config()
{
    Editor.readSettings(false);
    Editor.applyViewSettings();
    readPages();
}

void ConfigDialog::reset_config()
{
    QFile::remove(SettingsFile::path());
    reload_config();
}

// ---- steps of Apply and Reload ----

void ConfigDialog::askLanguage()
{
    ViewConfig &config = Editor.viewState().Config;
    const auto language = Language(Settings->language->currentIndex());
    if (language == config.language)
        return;
    config.language = language;
    const Dialogs::Answer answer = Dialogs::current().information(
        this, tr("Attention"), tr("To change language you must restart the program."));
    if (answer != Dialogs::Answer::Yes)
        return;
    // Closing the main window writes the settings; the program ends when
    // this dialog closes too.
    Editor.restartProgram();
}

void ConfigDialog::readPages()
{
    Configuration->readConfig();
    Selection->readConfig();
    Settings->readConfig();
    Colors->readConfig();
}
