#pragma once

#include "PageWidgets.h"

#include <QWidget>

class QCheckBox;
struct ViewConfig;

// "Selection": what a mass selection takes (materials, triangles by their
// points, visible primitives) and whether neighbours are found on the fly.
class SelectionPage : public QWidget
{
    Q_OBJECT

public:
    explicit SelectionPage(const ViewConfig &config, QWidget *parent = nullptr);

    void readConfig();
    void writeConfig(ViewConfig &config) const;

    RadioPair materials; // all / active material
    RadioPair points;    // all points / any point of a triangle
    RadioPair visible;   // all / visible primitives
    QCheckBox *neighOnFly = nullptr;

private:
    const ViewConfig &Config;
};
