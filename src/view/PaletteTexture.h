#pragma once

#include <QtGlobal>

#include <vector>

// The one-dimensional colour ramp of function colouring: Size texels, the
// ramp restarting every Period texels, blue at texel 0 and red at Period-1.
class PaletteTexture
{
public:
    // Rebuilds the texels (nothing when Size is 0) and keeps isoValue.
    void buildTexels(float isoValue, bool grayScale);
    // Uploads the texels as a GL_TEXTURE_1D (a GL context must be current).
    void upload();

    qint32 Size = 9;
    qint32 Repeat = 0;
    qint32 Period = 9;
    qint32 White = 0;
    std::vector<quint8> Texels; // R, G, B, A per texel
    quint32 TextureId = 0;
    qint32 Alpha = 255;
    double IsoValue = 0.8;
};
