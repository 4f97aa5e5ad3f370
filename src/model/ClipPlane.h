#pragma once

#include "ViewTransform.h"

#include <vector>

// A model's cutting plane: its point and normal, the placement by which the
// user turns and moves it with the mouse, and its outline inside the box.
class ClipPlane
{
public:
    ClipPlane();

    // Outline of the plane inside the box enlarged by 10 % on every side.
    void fitToBox(const float boxMin[3], const float boxMax[3]);
    // Takes over the placement: the point moves as a position, the normal as
    // a direction (normalised unless shorter than 1e-10); then the outline is
    // fitted again and the placement reset.
    void applyPlacement(const float boxMin[3], const float boxMax[3]);

    ViewTransform Placement;
    std::vector<float> Polygon; // x, y, z per outline point, in order around it
    double Point[3];
    double Normal[3];

    qint32 pointCount() const { return qint32(Polygon.size() / 3); }
};
