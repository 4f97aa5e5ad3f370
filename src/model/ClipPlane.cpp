#include "ClipPlane.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Placement <- A * Placement, A the affine map x -> m x + t (m row-major 3x3).
void premultiplyAffine(float *matrix, const double m[9], const double t[3])
{
    float out[16];
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < 3; ++i) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += m[3 * i + k] * matrix[4 * c + k];
            out[4 * c + i] = float(sum + t[i] * matrix[4 * c + 3]);
        }
        out[4 * c + 3] = matrix[4 * c + 3];
    }
    std::copy_n(out, 16, matrix);
}

// Row-major 3x3 of the upper left of a column-major 4x4.
void upperLeft(const float *m4, double m3[9])
{
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            m3[3 * i + k] = m4[4 * k + i];
}

} // namespace

ClipPlane::ClipPlane()
    : Point {0, 0, 0}
    , Normal {1, 0, 0}
{ }

void ClipPlane::fitToBox(const float boxMin[3], const float boxMax[3])
{
    double lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        const double margin = 0.1 * (double(boxMax[a]) - boxMin[a]);
        lo[a] = boxMin[a] - margin;
        hi[a] = boxMax[a] + margin;
    }
    auto value = [&](const double *p) {
        const double v = Normal[0] * (p[0] - Point[0]) + Normal[1] * (p[1] - Point[1])
            + Normal[2] * (p[2] - Point[2]);
        return std::abs(v) < 1e-7 ? 0.0 : v;
    };
    std::vector<std::array<double, 3>> points;
    auto addPoint = [&](const double *p) {
        for (const auto &q : points)
            if (q[0] == p[0] && q[1] == p[1] && q[2] == p[2])
                return;
        points.push_back({p[0], p[1], p[2]});
    };
    // The 12 box edges: along each axis a, the four combinations of the others.
    for (int a = 0; a < 3; ++a)
        for (int corner = 0; corner < 4; ++corner) {
            double p[3], q[3];
            const int b = (a + 1) % 3, c = (a + 2) % 3;
            p[a] = lo[a];
            q[a] = hi[a];
            p[b] = q[b] = (corner & 1) ? hi[b] : lo[b];
            p[c] = q[c] = (corner & 2) ? hi[c] : lo[c];
            const double vp = value(p), vq = value(q);
            if (vp == 0)
                addPoint(p);
            if (vq == 0)
                addPoint(q);
            if (vp * vq < 0) {
                const double t = vp / (vp - vq);
                double x[3];
                for (int i = 0; i < 3; ++i)
                    x[i] = p[i] + t * (q[i] - p[i]);
                addPoint(x);
            }
        }
    // Order the points by their angle around the centroid, in the plane.
    double centre[3] = {0, 0, 0};
    for (const auto &p : points)
        for (int i = 0; i < 3; ++i)
            centre[i] += p[i] / double(points.size());
    const double *n = Normal;
    double u[3];
    if (std::abs(n[0]) < 0.9)
        u[0] = 0, u[1] = n[2], u[2] = -n[1]; // n x (1,0,0)
    else
        u[0] = -n[2], u[1] = 0, u[2] = n[0]; // n x (0,1,0)
    const double v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2],
                         n[0] * u[1] - n[1] * u[0]};
    auto angle = [&](const std::array<double, 3> &p) {
        double d[3];
        for (int i = 0; i < 3; ++i)
            d[i] = p[i] - centre[i];
        return std::atan2(d[0] * v[0] + d[1] * v[1] + d[2] * v[2],
                          d[0] * u[0] + d[1] * u[1] + d[2] * u[2]);
    };
    std::sort(points.begin(), points.end(),
              [&](const auto &p, const auto &q) { return angle(p) < angle(q); });
    Polygon.clear();
    for (const auto &p : points)
        for (int i = 0; i < 3; ++i)
            Polygon.push_back(float(p[i]));
}

void ClipPlane::applyPlacement(const float boxMin[3], const float boxMax[3])
{
    double point[3], normal[3];
    Placement.mapPoint(Point, point);
    Placement.mapDirection(Normal, normal);
    const double length =
        std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    for (int i = 0; i < 3; ++i) {
        Point[i] = point[i];
        Normal[i] = length >= 1e-10 ? normal[i] / length : normal[i];
    }
    fitToBox(boxMin, boxMax);
    Placement.reset();
}

void ClipPlane::turn(int axis, float angle, const float viewRotation[16])
{
    // In model space the eye rotation R becomes V^T R V, V the view rotation.
    ViewTransform eye;
    if (axis == 0)
        eye.rotateX(angle);
    else if (axis == 1)
        eye.rotateY(angle);
    else
        eye.rotateZ(angle);
    double v[9], r[9], rv[9], m[9];
    upperLeft(viewRotation, v);
    upperLeft(eye.Matrix, r);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) {
            rv[3 * i + k] = 0;
            for (int j = 0; j < 3; ++j)
                rv[3 * i + k] += r[3 * i + j] * v[3 * j + k];
        }
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) {
            m[3 * i + k] = 0;
            for (int j = 0; j < 3; ++j)
                m[3 * i + k] += v[3 * j + i] * rv[3 * j + k];
        }
    // Keep the plane's point where it is: t = p - m p.
    double t[3];
    for (int i = 0; i < 3; ++i)
        t[i] = Point[i] - (m[3 * i] * Point[0] + m[3 * i + 1] * Point[1] + m[3 * i + 2] * Point[2]);
    premultiplyAffine(Placement.Matrix, m, t);
}

void ClipPlane::shift(float dx, float dy, const float viewRotation[16], float scale)
{
    double v[9];
    upperLeft(viewRotation, v);
    const double s = scale != 0 ? 1.0 / scale : 1.0;
    const double t[3] = {(v[0] * dx + v[3] * dy) * s, (v[1] * dx + v[4] * dy) * s,
                         (v[2] * dx + v[5] * dy) * s};
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    premultiplyAffine(Placement.Matrix, identity, t);
}

void ClipPlane::push(double distance)
{
    const double length =
        std::sqrt(Normal[0] * Normal[0] + Normal[1] * Normal[1] + Normal[2] * Normal[2]);
    if (length <= 0)
        return;
    const double t[3] = {Normal[0] / length * distance, Normal[1] / length * distance,
                         Normal[2] / length * distance};
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    premultiplyAffine(Placement.Matrix, identity, t);
}
