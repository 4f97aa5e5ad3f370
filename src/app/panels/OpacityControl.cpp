#include "OpacityControl.h"

#include "view/GLWidget.h"
#include "view/ViewCommands.h"

#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

OpacityControl::OpacityControl(QWidget *parent, GLWidget *view, ViewCommands *commands)
    : QDockWidget(parent)
    , View(view)
    , Commands(commands)
{
    setObjectName("OpacityControl");
    setWindowTitle(tr("Opacity"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumSize(160, 44);
    setMaximumSize(99999, 44);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    horizontalSlider = new QSlider(Qt::Horizontal, contents);
    horizontalSlider->setObjectName("horizontalSlider");
    horizontalSlider->setRange(0, 255);
    horizontalSlider->setValue(110);
    horizontalSlider->setMinimumSize(50, 10);
    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(horizontalSlider);
    setWidget(contents);

    // A fully opaque model starts half transparent, so that the slider shows.
    const int value = modelValue();
    horizontalSlider->setValue(value > 250 ? 128 : value);
    connect(horizontalSlider, &QSlider::valueChanged, this, &OpacityControl::ChangeView);
    Commands->changeOpacity(horizontalSlider->value());
    show();
}

int OpacityControl::modelValue() const
{
    const ModelClass *model = View->currentModel();
    return int(std::floor(255.0 * (model ? model->Settings.Opacity : 1.0)));
}

void OpacityControl::readModel()
{
    horizontalSlider->setValue(modelValue());
}

void OpacityControl::ChangeView()
{
    Commands->changeOpacity(horizontalSlider->value());
}
