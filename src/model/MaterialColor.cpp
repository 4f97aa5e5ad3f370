#include "MaterialColor.h"

#include <algorithm>
#include <cmath>

void hsvToRgb(double hue, double s, double v, double &r, double &g, double &b)
{
    const double x = hue / 60.0;
    const double fl = std::floor(x);
    int sector = int(std::fmod(fl, 6.0));
    if (sector < 0)
        sector += 6;
    const double f = x - fl;
    const double p = v * (1 - s);
    const double q = v * (1 - f * s);
    const double t = v * (1 - (1 - f) * s);
    switch (sector) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        r = v, g = p, b = q;
        break;
    }
}

Rgba8 materialColor(qint32 m, double alpha)
{
    if (m < 1)
        m = 1;
    double hue, value;
    if (m <= 3) {
        hue = (m - 1) * 80.0;
        value = 1.0;
    } else {
        qint64 n = 6;
        int level = 1;
        if (m > 12) {
            qint64 t = 12;
            do {
                n = t;
                t *= 2;
                ++level;
            } while (t < m);
        }
        hue = double(m - n - 1) * (240.0 / double(n)) + 240.0 / (2.0 * double(n));
        value = 0.5 / level + 0.5;
    }
    double r, g, b;
    hsvToRgb(hue, 1.0, value, r, g, b);
    alpha = std::clamp(alpha, 0.0, 1.0);
    return {quint8(r * 255), quint8(g * 255), quint8(b * 255), quint8(alpha * 255)};
}
