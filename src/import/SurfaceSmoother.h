#pragma once

#include "LabelSurface.h"

#include <functional>

// Windowed-sinc smoothing: a low-pass filter on the surface's shape, made of
// Chebyshev polynomials of the neighbour-average operator under a Hamming
// window. Unlike repeated averaging it keeps the enclosed volumes: the
// stair-steps of the voxels go, the shape stays. `passBand` (0..2) is the
// highest curvature frequency kept; each iteration is one averaging pass.
struct SmoothingOptions
{
    int iterations = 20;
    double passBand = 0.2;
};

// Smooths the label boundaries in place, in world millimetres. A vertex
// where three or more labels meet moves only along the line where they meet,
// and a vertex where such lines cross stays, so that the boundary each pair
// of labels shares stays one and the lines where they meet stay smooth.
// `progress` gets the fraction done now and then and may throw to stop.
void smoothLabelSurface(LabelSurface &surface, const SmoothingOptions &options = {},
                        const std::function<void(double)> &progress = {});
