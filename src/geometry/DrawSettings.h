#pragma once

#include <QtGlobal>

// The drawing switches that a model carries and copies into each of its
// blocks. ColorMode: 0 no faces; 1, 6, 7 front colour on both sides; 2 front
// and back colours; 3 plain colour (hidden-line look); 4 by material; 5 by
// function.
struct DrawSettings
{
    quint8 ShowPoints = 0;
    qint32 EdgesMode = 0;
    qint32 ColorMode = 1;
    quint8 Transparent = 0;
    double Opacity = 1.0;
    quint8 ShowIsolines = 0;
    // Owned by the view.
    quint8 ShowAxes = 0;
    quint8 ShowBox = 0;
    quint8 Stereo = 0;
    double CutMin = -1.0; // bounds of the last function-range cut, -1 while none
    double CutMax = -1.0;
    quint8 ClipState = 0; // 0 not clipped, 2 blocks clipped in place by the plane
    // Faces shared by two cells stay in the drawn faces.
    quint8 ShowInnerEdges = 0;
};
