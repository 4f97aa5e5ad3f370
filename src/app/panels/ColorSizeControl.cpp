#include "ColorSizeControl.h"
#include "PanelSize.h"
#include "formats/IsolineFile.h"

#include "view/GLWidget.h"
#include "view/ViewHost.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

ColorSizeControl::ColorSizeControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setupUi();
    const PaletteTexture &palette = View->State.Palette;
    spinBox_func_size->setValue(palette.Size);
    spinBox_palette_size->setValue(palette.Period);
    checkBox_repeat->setChecked(palette.Repeat != 0);
    checkBox_color->setChecked(palette.White != 0);
    for (QSpinBox *box : {spinBox_func_size, spinBox_palette_size})
        connect(box, &QSpinBox::valueChanged, this, &ColorSizeControl::ChangeView);
    for (QCheckBox *box : {checkBox_repeat, checkBox_color})
        connect(box, &QCheckBox::toggled, this, &ColorSizeControl::ChangeView);
    connect(lineEdit_exact, &QLineEdit::returnPressed, this, &ColorSizeControl::ChangeView);
    connect(checkBox_exact, &QCheckBox::toggled, this, &ColorSizeControl::ChangeInterface);
    label_exact->hide();
    lineEdit_exact->hide();
    fitPanelToTexts(this);
    show();
}

void ColorSizeControl::setupUi()
{
    setObjectName("ColorSizeControl");
    setWindowTitle(tr("Color size control"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 130);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(name);
        return widget;
    };
    auto spinBox = [&](const char *name, int value) {
        auto *box = new QSpinBox(contents);
        named(box, name);
        box->setRange(2, 110);
        box->setValue(value);
        return box;
    };
    spinBox_func_size = spinBox("spinBox_func_size", 3);
    label_func_size = new QLabel(tr("Function size"), contents);
    named(label_func_size, "label_func_size");
    spinBox_palette_size = spinBox("spinBox_palette_size", 4);
    label_palette_size = new QLabel(tr("Palette size"), contents);
    named(label_palette_size, "label_palette_size");
    checkBox_repeat = new QCheckBox(tr("Repeat colors"), contents);
    named(checkBox_repeat, "checkBox_repeat");
    checkBox_color = new QCheckBox(tr("Lines without colors"), contents);
    named(checkBox_color, "checkBox_color");
    lineEdit_exact = new QLineEdit(contents);
    named(lineEdit_exact, "lineEdit_exact");
    label_exact = new QLabel(tr("Isoline value:"), contents);
    named(label_exact, "label_exact");
    checkBox_exact = new QCheckBox(tr("Use exact value"), contents);
    named(checkBox_exact, "checkBox_exact");

    auto *grid = new QGridLayout(contents);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(0);
    grid->addWidget(label_func_size, 0, 0);
    grid->addWidget(spinBox_func_size, 0, 1);
    grid->addWidget(label_palette_size, 1, 0);
    grid->addWidget(spinBox_palette_size, 1, 1);
    grid->addWidget(checkBox_repeat, 2, 0, 1, 2);
    grid->addWidget(checkBox_color, 3, 0, 1, 2);
    grid->addWidget(checkBox_exact, 4, 0, 1, 2);
    grid->addWidget(label_exact, 5, 0);
    grid->addWidget(lineEdit_exact, 5, 1);
    setWidget(contents);
}

void ColorSizeControl::ChangeInterface()
{
    label_exact->setVisible(checkBox_exact->isChecked());
    lineEdit_exact->setVisible(checkBox_exact->isChecked());
    fitPanelToTexts(this); // the field's label may need more room
}

QList<ModelClass *> ColorSizeControl::targets() const
{
    const ModelListClass &list = View->ModelList;
    if (list.ActiveIndex != 0)
        return {list.active()};
    return list.Models.mid(1);
}

void ColorSizeControl::updateIsolines(ModelClass &model)
{
    if (model.Settings.ColorMode != 5 || !model.Settings.ShowIsolines)
        return;
    const PaletteTexture &palette = View->State.Palette;
    if (checkBox_exact->isChecked()) {
        // The value in the units of the normalised function of the faces.
        const bool cells = model.FunctionLocation == 2;
        const float *lo = cells ? model.ModelCellFuncMin : model.ModelFuncMin;
        const float *hi = cells ? model.ModelCellFuncMax : model.ModelFuncMax;
        const qsizetype names = cells ? model.CellFunctionNames.size() : model.FunctionNames.size();
        const int f = model.CurrentFunction;
        double level = 0;
        if (lo && hi && f >= 0 && f < names && hi[f] > lo[f])
            level = (lineEdit_exact->text().toDouble() - lo[f]) / (double(hi[f]) - lo[f]);
        // The line also goes to "iso.off" in the current folder, for other programs.
        for (const MeshClass *block : model.generateIsoline(level))
            writeIsolineOff(*block, QStringLiteral("iso.off"));
    } else {
        model.generateIsolines(palette.Size, palette.Period, float(palette.Alpha),
                               float(palette.IsoValue));
    }
    model.NeedsRebuild = 1;
    model.prepareDraw();
}

void ColorSizeControl::updateGradient()
{
    ViewHost *host = View->host();
    if (View->State.Palette.White)
        host->removePanel(PanelKind::Gradient);
    else if (!host->hasPanel(PanelKind::Gradient))
        host->createPanel(PanelKind::Gradient);
    if (host->hasPanel(PanelKind::Gradient)) {
        host->panelCommand(PanelKind::Gradient, PanelCommand::Refresh); // the new ramp
        host->showStatus(View->statusLine());
    }
}

void ColorSizeControl::ChangeView()
{
    if (View->ModelList.count() < 2)
        return;
    PaletteTexture &palette = View->State.Palette;
    palette.Repeat = int(checkBox_repeat->checkState());
    palette.Period = spinBox_palette_size->value();
    palette.Size = palette.Repeat ? spinBox_func_size->value() : spinBox_palette_size->value();
    palette.White = checkBox_color->isChecked() ? 1 : 0;
    View->rebuildPalette();
    bool function = false;
    for (ModelClass *model : targets()) {
        updateIsolines(*model);
        function = function || model->Settings.ColorMode == 5;
    }
    if (function)
        updateGradient();
    View->update();
}
