#pragma once

#include "model/Topology.h"

#include <QString>

class QSettings;

// The interface language; the numbers are those of the settings file.
enum class Language : qint32 { English = 0, Russian = 1 };

// The view's copy of the "Config" and "Colors" settings; field names are the
// settings keys. Read at start-up and after the preferences dialog.
struct ViewConfig
{
    qint32 pointThickness = 4;
    qint32 selPointThickness = 8;
    qint32 lineThickness = 1;
    qint32 boundLineThickness = 3;
    qint32 axisThickness = 1;
    qint32 printingQuality = 4;
    quint8 selActiveMat = 0;
    quint8 selAllPoints = 1;
    quint8 selVisiblePrims = 0;
    quint8 saveColorAsMat = 1;
    quint8 isBSPenable = 0;
    quint8 visOnlyOneModel = 0;
    quint8 drawAllPoints = 0;
    quint8 shade_type = 0;
    quint8 saveMatInOFF = 1;
    quint8 scaleToScreen = 1;

    QString points = QStringLiteral("#000000");
    QString edges = QStringLiteral("#000000");
    QString background = QStringLiteral("#000000");
    QString frontFaces = QStringLiteral("#0000DD");
    QString backFaces = QStringLiteral("#00DD00");
    QString boundaryEdges = QStringLiteral("#FF0000");
    QString selection = QStringLiteral("#FFFFFF");
    QString axis = QStringLiteral("#FFFFFF");
    QString clipPlane = QStringLiteral("#A0A0A0");
    QString selectionEdges = QStringLiteral("#000000");
    QString pointCell = QStringLiteral("#000000");
    QString isolines = QStringLiteral("#000000");

    Language language = Language::Russian;
    quint8 autocenter = 1;
    quint8 tmatrix = 0;
    quint8 neighOnFly = 0;
    quint8 loadAsCellFunc = 1;
    quint8 onlyIntersectPlane = 1;
    JoinMode join = JoinMode::OneZone;
    quint8 func_isolines = 1;
    float isoline_V = 0.8f;
    qint32 isoline_width = 1;
    quint8 grayScaleTexture = 0;

    // The range a whole-number setting is read into and edited in, by its
    // field; {0, 0} for a field that is not one of them.
    struct Range
    {
        int min = 0;
        int max = 0;
    };
    static Range range(qint32 ViewConfig::*field);
    // The range of isoline_V.
    static constexpr float MinIsolineV = 0.0f, MaxIsolineV = 1.0f;

    // Reads the groups "Config" and "Colors" with their defaults; values
    // that make no sense are clamped or take their default (SettingValues.h).
    void read(QSettings &settings);
    // Writes the groups "Config" and "Colors", keys in the settings file's order.
    void write(QSettings &settings) const;
    // The language of the group "Config" alone, as start-up needs it before
    // any window exists.
    static Language readLanguage(QSettings &settings);
};

// Red, green and blue of a "#RRGGBB" text as 0..1; alpha 1.
void colorFromName(const QString &name, float rgba[4]);
