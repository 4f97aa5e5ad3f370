#pragma once

#include <QtGlobal>

// The drawing switches of a block, which its model sets and copies into each
// of its blocks. ColorMode: 0 no faces; 1, 6, 7 front colour on both sides; 2 front
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
    // Faces shared by two cells stay in the drawn faces.
    quint8 ShowInnerEdges = 0;
};
