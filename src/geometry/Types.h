#pragma once

#include <QtGlobal>

#include <array>

// Coordinates and function values are 64-bit; derived drawing arrays are 32-bit floats.
using _DREAL = double;

struct _DREAL3
{
    _DREAL x = 0, y = 0, z = 0;
};

// RGBA colour of four 32-bit floats, in the layout OpenGL's material calls take.
using Rgba = std::array<float, 4>;

// RGBA colour of four bytes, as stored per triangle corner in TriColors.
using Rgba8 = std::array<quint8, 4>;
