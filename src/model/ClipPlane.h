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

    // Plane-edit gestures, composed into the placement. The model's pure
    // rotation and zoom make them follow the screen: turn about an eye-space
    // axis (0 x, 1 y, 2 z) through the plane's point, shift within the
    // screen plane, push along the normal.
    void turn(int axis, float angle, const float viewRotation[16]);
    void shift(float dx, float dy, const float viewRotation[16], float scale);
    void push(double distance);

    ViewTransform Placement;
    std::vector<float> Polygon; // x, y, z per outline point, in order around it
    double Point[3];
    double Normal[3];

    qint32 pointCount() const { return qint32(Polygon.size() / 3); }
};
