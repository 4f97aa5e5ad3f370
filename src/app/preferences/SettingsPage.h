#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;
struct ViewConfig;

// "Settings": saving, joining, opening, printing, intersection and the
// interface language.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsPage(const ViewConfig &config, QWidget *parent = nullptr);

    void readConfig();
    // Stores every widget but the language, which needs the user's consent.
    void writeConfig(ViewConfig &config) const;

    QCheckBox *saveColorAsMat = nullptr;
    QCheckBox *saveMatInOFF = nullptr;
    QCheckBox *isBSPenable = nullptr;
    QRadioButton *join[3] = {}; // by the value of "join"
    QCheckBox *visOnlyOneModel = nullptr;
    QCheckBox *scaleToScreen = nullptr;
    QCheckBox *autocenter = nullptr;
    QCheckBox *loadAsCellFunc = nullptr;
    QCheckBox *tmatrix = nullptr;
    QSpinBox *printingQuality = nullptr;
    QCheckBox *onlyIntersectPlane = nullptr;
    QComboBox *language = nullptr; // the index is the value of "language"

private:
    QWidget *joinGroup();
    QWidget *openGroup();
    QWidget *printingGroup();
    QWidget *languageGroup();

    const ViewConfig &Config;
};
