#pragma once

#include <QWidget>

class ConfigDialog;
class QCheckBox;
class QLabel;
struct ViewConfig;

// "Colors": the twelve colours of the view, each shown as its "#RRGGBB"
// text on that colour with a button that picks a new one, and the grey-scale
// palette switch.
class ColorsPage : public QWidget
{
    Q_OBJECT

public:
    // The rows in the order they are shown.
    enum Row {
        Points,
        Edges,
        Background,
        FrontFaces,
        BackFaces,
        BoundaryEdges,
        Selection,
        Axis,
        ClipPlane,
        SelectionEdges,
        PointCell,
        Isolines,
        RowCount
    };

    // The "..." buttons call the dialog's colour slots.
    ColorsPage(const ViewConfig &config, ConfigDialog *dialog, QWidget *parent = nullptr);

    // Sets the labels and the grey-scale box from the view's settings.
    void readConfig();
    // Stores the labels' texts as the colours.
    void writeColors(ViewConfig &config) const;

    // True when the text on this colour is black: some channel is 128 or more.
    static bool blackText(const QString &name);
    // Shows the colour text on that colour in black or white; a picked
    // colour's style sheet is written with a space before its background.
    static void showColor(QLabel *label, const QString &name, bool picked);

    QLabel *labels[RowCount] = {};
    QCheckBox *grayScaleTexture = nullptr;

private:
    QWidget *colorGroup(ConfigDialog *dialog);

    const ViewConfig &Config;
};
