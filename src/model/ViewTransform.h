#pragma once

#include <QtGlobal>

// A model's camera record: a column-major 4x4 model-view matrix that carries
// the accumulated rotation, zoom and translation.
class ViewTransform
{
public:
    ViewTransform() { reset(); }

    void reset();
    // Rotations about the eye-space axes, pre-multiplied (angles in radians).
    void rotateX(float angle);
    void rotateY(float angle);
    void rotateZ(float angle);
    // Pre-multiplies by the rotation whose rows are rows[0..2], rows[3..5],
    // rows[6..8] (eye = rotation * world), as the turns above do.
    void rotate(const float rows[9]);
    void move(float dx, float dy, float dz = 0);
    void zoom(float factor);
    // Replaces the translation so that p lands on the eye-space origin.
    void centerOn(const float p[3]);
    // Copies another transformation's matrix; the zoom this one records (its
    // axes' tick spacing) stays its own.
    void copyMatrixFrom(const ViewTransform &other);
    // Refreshes SavedMatrix and RotationMatrix from Matrix.
    void updateRotation();
    float translationLength() const;
    // Applies the matrix to a point (w = 1) or a direction (w = 0).
    void mapPoint(const double in[3], double out[3]) const;
    void mapDirection(const double in[3], double out[3]) const;

    float Matrix[16];
    float SavedMatrix[16];    // Matrix with its translation cleared
    float RotationMatrix[16]; // the pure rotation: Matrix / Scale, no translation
    float Scale;

private:
    void premultiply(const float r[16]);
};
