#include "PageWidgets.h"

#include "view/ViewConfig.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

void RadioPair::setFirst(bool on)
{
    (on ? first : second)->setChecked(true);
}

bool RadioPair::isFirst() const
{
    return first->isChecked();
}

QGroupBox *radioGroup(QWidget *parent, const QString &title, const QString &first,
                      const QString &second, RadioPair &pair)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(group);
    // Buttons that share a parent widget exclude each other.
    pair.first = new QRadioButton(first, group);
    pair.second = new QRadioButton(second, group);
    layout->addWidget(pair.first);
    layout->addWidget(pair.second);
    return group;
}

QGroupBox *checkGroup(QWidget *parent, const QString &title,
                      std::initializer_list<std::pair<QString, QCheckBox **>> rows)
{
    auto *group = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(group);
    for (const auto &[text, box] : rows) {
        *box = new QCheckBox(text, group);
        layout->addWidget(*box);
    }
    return group;
}

QGroupBox *formGroup(QWidget *parent, const QString &title, QFormLayout *&form)
{
    auto *group = new QGroupBox(title, parent);
    form = new QFormLayout(group);
    return group;
}

QSpinBox *spinRow(QFormLayout *form, const QString &label, int min, int max)
{
    auto *spin = new QSpinBox(form->parentWidget());
    spin->setRange(min, max);
    spin->setSingleStep(1);
    form->addRow(label, spin);
    return spin;
}

QSpinBox *spinRow(QFormLayout *form, const QString &label, qint32 ViewConfig::*field)
{
    const ViewConfig::Range range = ViewConfig::range(field);
    return spinRow(form, label, range.min, range.max);
}
