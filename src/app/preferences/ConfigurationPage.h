#pragma once

#include "PageWidgets.h"

#include <QWidget>

class QDoubleSpinBox;
class QSpinBox;
struct ViewConfig;

// "Draw": line and point thicknesses, which points are drawn, the shading,
// and the colour, width and brightness of isolines.
class ConfigurationPage : public QWidget
{
    Q_OBJECT

public:
    explicit ConfigurationPage(const ViewConfig &config, QWidget *parent = nullptr);

    // Sets every widget from the view's settings.
    void readConfig();
    // Stores every widget except the brightness, which the dialog applies
    // together with the palette.
    void writeConfig(ViewConfig &config) const;

    QSpinBox *pointThickness;
    QSpinBox *selPointThickness;
    QSpinBox *lineThickness;
    QSpinBox *boundLineThickness;
    QSpinBox *axisThickness;
    QSpinBox *isolineWidth;
    RadioPair drawPoints;    // "Draw all points" / "Draw visible points"
    RadioPair shading;       // Phong / Gouraud
    RadioPair isolineColors; // function colours / solid colour
    QDoubleSpinBox *isolineBrightness;

private:
    QWidget *thicknessGroup();
    QWidget *isolineGroup();

    const ViewConfig &Config;
};
