#include "PaletteTexture.h"

#include "model/MaterialColor.h"

#include <GL/gl.h>

#include <cmath>

void PaletteTexture::buildTexels(float isoValue, bool grayScale)
{
    if (Size <= 0)
        return;
    Texels.assign(size_t(Size) * 4, 0);
    const int period = Period > 1 ? Period : 2;
    for (int i = 0; i < Size; ++i) {
        const int c = (Size - i - 1) % period;
        const double t = double(c) / double(period - 1);
        quint8 *texel = Texels.data() + 4 * i;
        if (grayScale) {
            const quint8 grey = White ? 255 : quint8(std::floor(255.0 * t));
            texel[0] = texel[1] = texel[2] = grey;
        } else {
            double rgb[3];
            hsvToRgb(t * 240.0, 1.0, 0.9, rgb[0], rgb[1], rgb[2]);
            for (int k = 0; k < 3; ++k)
                texel[k] = White ? 255 : quint8(std::floor(255.0 * rgb[k]));
        }
        texel[3] = quint8(Alpha);
    }
    IsoValue = isoValue;
}

void PaletteTexture::upload()
{
    if (Texels.empty())
        return;
    if (TextureId != 0)
        glDeleteTextures(1, &TextureId);
    glGenTextures(1, &TextureId);
    glBindTexture(GL_TEXTURE_1D, TextureId);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, Size, 0, GL_RGBA, GL_UNSIGNED_BYTE, Texels.data());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBindTexture(GL_TEXTURE_1D, 0);
}
