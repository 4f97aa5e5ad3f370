#include "Stereo3DControl.h"
#include "PanelSize.h"

#include "view/GLWidget.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

Stereo3DControl::Stereo3DControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setObjectName("Stereo3DControl");
    setWindowTitle(tr("Stereo 3D settings"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 180);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    auto *layout = new QGridLayout(contents);
    layout->setContentsMargins(4, 2, 4, 2);
    setWidget(contents);
    set_eye_x = addValue(0, "set_eye_x", 5, 0.05, label_eye_x, "label_eye_x");
    set_eye_z = addValue(1, "set_eye_z", 50, 0.1, label_eye_z, "label_eye_z");
    set_focus_z = addValue(2, "set_focus_z", 50, 0.1, label_focus_z, "label_focus_z");
    checkBox_invertChanel = new QCheckBox(tr("Invert R vs L"), contents);
    checkBox_invertChanel->setObjectName("checkBox_invertChanel");
    rb_ortho = new QRadioButton(tr("ortho"), contents);
    rb_ortho->setObjectName("rb_ortho");
    rb_ortho->setChecked(true);
    rb_frustrum = new QRadioButton(tr("frustrum"), contents);
    rb_frustrum->setObjectName("rb_frustrum");
    layout->addWidget(checkBox_invertChanel, 3, 0, 1, 2);
    layout->addWidget(rb_ortho, 4, 0);
    layout->addWidget(rb_frustrum, 4, 1);
    setLabels(true);
    QMetaObject::connectSlotsByName(this);

    for (QDoubleSpinBox *box : {set_eye_x, set_eye_z, set_focus_z})
        connect(box, &QDoubleSpinBox::valueChanged, this, &Stereo3DControl::ChangeView);
    for (QRadioButton *button : {rb_ortho, rb_frustrum})
        connect(button, &QRadioButton::toggled, this, &Stereo3DControl::ChangeView);
    ChangeView();
    fitPanelToTexts(this);
    show();
}

QDoubleSpinBox *Stereo3DControl::addValue(int row, const char *name, double range, double step,
                                          QLabel *&label, const char *labelName)
{
    auto *grid = static_cast<QGridLayout *>(widget()->layout());
    label = new QLabel(widget());
    label->setObjectName(labelName);
    auto *box = new QDoubleSpinBox(widget());
    box->setObjectName(name);
    box->setRange(-range, range);
    box->setSingleStep(step);
    box->setValue(1.0);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

void Stereo3DControl::setLabels(bool orthographic)
{
    label_eye_x->setText(orthographic ? tr("Eye X-diff") : tr("Near"));
    label_eye_z->setText(orthographic ? tr("Eye Z") : tr("Focus"));
    label_focus_z->setText(orthographic ? tr("Focus Z") : tr("Far"));
}

void Stereo3DControl::ChangeView()
{
    ModelClass *model = View->currentModel();
    if (!model)
        return;
    model->StereoA = set_eye_x->value();
    model->StereoB = set_eye_z->value();
    model->StereoC = set_focus_z->value();
    const bool orthographic = rb_ortho->isChecked();
    if (bool(model->Orthographic) != orthographic) {
        setLabels(orthographic);
        model->Orthographic = orthographic ? 1 : 0;
    }
    if (!model->Orthographic) {
        if (View->height() > 0)
            model->Aspect = double(View->width()) / View->height();
        computeStereoFrustum(*model);
    }
    View->updateProjection();
    View->update();
}

void Stereo3DControl::on_checkBox_invertChanel_toggled(bool on)
{
    if (ModelClass *model = View->currentModel())
        model->SwapEyes = on ? 1 : 0;
    View->update();
}
