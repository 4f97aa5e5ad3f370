#pragma once

// Building blocks shared by the pages of the preferences dialog: titled
// groups of radio buttons, check boxes and labelled spin boxes. The texts
// arrive translated by the page that owns them.

#include <QString>
#include <QtGlobal>

#include <initializer_list>
#include <utility>

struct ViewConfig;
class QCheckBox;
class QFormLayout;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class QWidget;

// Two radio buttons in one group, so that exactly one of them is checked.
struct RadioPair
{
    QRadioButton *first = nullptr;
    QRadioButton *second = nullptr;

    // Checks the first button when on, else the second.
    void setFirst(bool on);
    bool isFirst() const;
};

// A group titled `title` holding the pair's two buttons, one under the other.
QGroupBox *radioGroup(QWidget *parent, const QString &title, const QString &first,
                      const QString &second, RadioPair &pair);

// A group titled `title` with one check box per (text, box) row.
QGroupBox *checkGroup(QWidget *parent, const QString &title,
                      std::initializer_list<std::pair<QString, QCheckBox **>> rows);

// A group with a form layout, for rows of labels and fields.
QGroupBox *formGroup(QWidget *parent, const QString &title, QFormLayout *&form);

// A labelled spin box of the range min..max in steps of 1, added to the form.
QSpinBox *spinRow(QFormLayout *form, const QString &label, int min, int max);
// The same for a whole-number setting, in the range the settings file allows it.
QSpinBox *spinRow(QFormLayout *form, const QString &label, qint32 ViewConfig::*field);
