#pragma once

#include "../geometry/Types.h"

// Colour of material number m (values below 1 count as 1): the first three
// numbers get hues 0, 80 and 160 degrees at full brightness, later numbers
// spread over the hue circle with brightness falling at each doubling.
Rgba8 materialColor(qint32 m, double alpha);

// Hexcone HSV to RGB; hue in degrees (any value, wrapped), s and v in 0..1.
void hsvToRgb(double hue, double s, double v, double &r, double &g, double &b);
