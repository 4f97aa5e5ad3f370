#include "ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace {

void setIdentity(float *m)
{
    std::fill_n(m, 16, 0.0f);
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

// Column-major rotation matrix R with R(row i, column k) at r[4k + i].
void rotation(int axis, float angle, float *r)
{
    setIdentity(r);
    const float c = std::cos(angle), s = std::sin(angle);
    const int i = axis == 0 ? 1 : 0;
    const int j = axis == 2 ? 1 : 2;
    // Rows: about X (1,0,0),(0,c,s),(0,-s,c); about Y (c,0,-s),(0,1,0),(s,0,c);
    // about Z (c,s,0),(-s,c,0),(0,0,1).
    const float sign = axis == 1 ? -1.0f : 1.0f;
    r[4 * i + i] = c;
    r[4 * j + j] = c;
    r[4 * j + i] = sign * s;
    r[4 * i + j] = -sign * s;
}

} // namespace

void ViewTransform::reset()
{
    setIdentity(Matrix);
    setIdentity(SavedMatrix);
    Scale = 1.0f;
    updateRotation();
}

void ViewTransform::premultiply(const float r[16])
{
    float out[16];
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < 4; ++i) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += r[4 * k + i] * Matrix[4 * c + k];
            out[4 * c + i] = sum;
        }
    std::copy_n(out, 16, Matrix);
}

void ViewTransform::rotateX(float angle)
{
    float r[16];
    rotation(0, angle, r);
    premultiply(r);
}

void ViewTransform::rotateY(float angle)
{
    float r[16];
    rotation(1, angle, r);
    premultiply(r);
}

void ViewTransform::rotateZ(float angle)
{
    float r[16];
    rotation(2, angle, r);
    premultiply(r);
}

void ViewTransform::rotate(const float rows[9])
{
    float r[16];
    setIdentity(r);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            r[4 * k + i] = rows[3 * i + k];
    premultiply(r);
}

void ViewTransform::move(float dx, float dy, float dz)
{
    Matrix[12] += dx;
    Matrix[13] += dy;
    Matrix[14] += dz;
}

void ViewTransform::zoom(float factor)
{
    for (int e : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14})
        Matrix[e] *= factor;
    Scale *= factor;
}

void ViewTransform::centerOn(const float p[3])
{
    for (int j = 0; j < 3; ++j)
        Matrix[12 + j] = -(Matrix[j] * p[0] + Matrix[4 + j] * p[1] + Matrix[8 + j] * p[2]);
}

void ViewTransform::copyMatrixFrom(const ViewTransform &other)
{
    std::copy_n(other.Matrix, 16, Matrix);
    updateRotation();
}

void ViewTransform::updateRotation()
{
    std::copy_n(Matrix, 16, SavedMatrix);
    SavedMatrix[12] = SavedMatrix[13] = SavedMatrix[14] = 0.0f;
    SavedMatrix[15] = 1.0f;
    setIdentity(RotationMatrix);
    const float scale = Scale != 0 ? Scale : 1.0f;
    for (int e = 0; e < 12; ++e)
        RotationMatrix[e] = Matrix[e] / scale;
    RotationMatrix[3] = RotationMatrix[7] = RotationMatrix[11] = 0.0f;
}

float ViewTransform::translationLength() const
{
    return std::sqrt(Matrix[12] * Matrix[12] + Matrix[13] * Matrix[13] + Matrix[14] * Matrix[14]);
}

void ViewTransform::mapPoint(const double in[3], double out[3]) const
{
    for (int j = 0; j < 3; ++j)
        out[j] = Matrix[j] * in[0] + Matrix[4 + j] * in[1] + Matrix[8 + j] * in[2] + Matrix[12 + j];
}

void ViewTransform::mapDirection(const double in[3], double out[3]) const
{
    for (int j = 0; j < 3; ++j)
        out[j] = Matrix[j] * in[0] + Matrix[4 + j] * in[1] + Matrix[8 + j] * in[2];
}
