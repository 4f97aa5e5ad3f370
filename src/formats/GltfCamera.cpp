#include "GltfCamera.h"

#include "GltfMesh.h"
#include "SessionFile.h"

#include <algorithm>
#include <cmath>

namespace {

// The share of the picture's half height or width the farthest vertex may reach.
constexpr double kFill = 0.95;

struct Vec
{
    double x, y, z;
    Vec operator+(const Vec &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator-(const Vec &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(const Vec &o) const { return x * o.x + y * o.y + z * o.z; }
    Vec cross(const Vec &o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double length() const { return std::sqrt(dot(*this)); }
    Vec unit() const
    {
        const double n = length();
        return n > 0 ? *this * (1 / n) : Vec {0, 0, 0};
    }
};

Vec vec(const double v[3])
{
    return {v[0], v[1], v[2]};
}

Vec vec(const std::array<double, 3> &v)
{
    return {v[0], v[1], v[2]};
}

void store(const Vec &v, double out[3])
{
    out[0] = v.x, out[1] = v.y, out[2] = v.z;
}

// A place or direction of ours in glTF's frame, times `scale`.
Vec gltfOf(const double v[3], double scale)
{
    double out[3];
    toGltfFrame(v, out, scale);
    return vec(out);
}

template<class Visit>
void forEachSceneVertex(const QList<const ModelClass *> &models, Visit &&visit, int depth = 0)
{
    if (depth > kDeepestGltfModel)
        return;
    for (const ModelClass *model : models) {
        forEachVertex(*model, [&](const _DREAL *xyz) { visit(Vec {xyz[0], xyz[1], xyz[2]}); });
        const QList<const ModelClass *> children(model->Children.begin(), model->Children.end());
        forEachSceneVertex(children, visit, depth + 1);
    }
}

// The line of sight and the picture's up and right, each a unit vector; an up
// along the line of sight is replaced by any other.
struct Axes
{
    Vec forward, up, right;
};

Axes axesOf(Vec forward, Vec up)
{
    forward = forward.length() > 0 ? forward.unit() : Vec {0, -1, 0};
    Vec right = forward.cross(up).unit();
    if (right.length() == 0)
        right = forward.cross(std::abs(forward.z) < 0.9 ? Vec {0, 0, 1} : Vec {0, 1, 0}).unit();
    return {forward, right.cross(forward), right};
}

// The camera on the line through `focal` along `forward`, far enough back
// that the picture holds ±halfHeight at the nearest vertex and every vertex
// within kFill of its edges.
GltfCamera fitCamera(const QList<const ModelClass *> &models, Vec focal, const Axes &axes,
                     double halfHeight, double fovDegrees, double aspect)
{
    GltfCamera camera;
    camera.yfovDegrees = std::clamp(fovDegrees, 1.0, 170.0);
    camera.aspect = aspect > 0 ? aspect : 1.0;
    const double tanHalf = std::tan(camera.yfovDegrees * M_PI / 360);
    // Distances from the focal plane towards the camera.
    double nearest = 0, fit = 0, reach = 0;
    bool any = false;
    forEachSceneVertex(models, [&](const Vec &v) {
        const Vec w = v - focal;
        const double front = -w.dot(axes.forward);
        const double across =
            std::max(std::abs(w.dot(axes.up)), std::abs(w.dot(axes.right)) / camera.aspect);
        nearest = any ? std::max(nearest, front) : front;
        const double back = front + across / (kFill * tanHalf);
        fit = any ? std::max(fit, back) : back;
        reach = std::max(reach, w.length());
        any = true;
    });
    // A standoff, so that a model on the line of sight is not at the eye.
    const double distance =
        std::max({halfHeight / tanHalf + nearest, fit, nearest + (1 - kFill) * reach, 1e-3});
    store(focal - axes.forward * distance, camera.position);
    store(focal, camera.target);
    store(axes.up, camera.up);
    return camera;
}

// The rotation that turns a camera's own axes (looking along -z, y up) to
// look along `forward` with `upward` up, as a unit quaternion (x, y, z, w).
QJsonArray lookRotation(Vec forward, Vec upward)
{
    const Axes a = axesOf(forward, upward);
    // Columns: right, up, backwards.
    const double m[3][3] = {{a.right.x, a.up.x, -a.forward.x},
                            {a.right.y, a.up.y, -a.forward.y},
                            {a.right.z, a.up.z, -a.forward.z}};
    double q[4];
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0) {
        const double s = 0.5 / std::sqrt(trace + 1);
        q[3] = 0.25 / s;
        q[0] = (m[2][1] - m[1][2]) * s, q[1] = (m[0][2] - m[2][0]) * s,
        q[2] = (m[1][0] - m[0][1]) * s;
    } else {
        int i = 0;
        if (m[1][1] > m[0][0])
            i = 1;
        if (m[2][2] > m[i][i])
            i = 2;
        const int j = (i + 1) % 3, k = (i + 2) % 3;
        const double s = 2 * std::sqrt(1 + m[i][i] - m[j][j] - m[k][k]);
        q[i] = 0.25 * s;
        q[j] = (m[j][i] + m[i][j]) / s, q[k] = (m[k][i] + m[i][k]) / s;
        q[3] = (m[k][j] - m[j][k]) / s;
    }
    const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    return {q[0] / n, q[1] / n, q[2] / n, q[3] / n};
}

} // namespace

GltfCamera framingCamera(const QList<const ModelClass *> &models, double aspect)
{
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool any = false;
    forEachSceneVertex(models, [&](const Vec &v) {
        const double xyz[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = any ? std::min(low[k], xyz[k]) : xyz[k];
            high[k] = any ? std::max(high[k], xyz[k]) : xyz[k];
        }
        any = true;
    });
    const Vec centre = (vec(low) + vec(high)) * 0.5;
    return fitCamera(models, centre, axesOf({0, -1, 0}, {0, 0, 1}), 0, 30, aspect);
}

GltfCamera viewingCamera(const QList<const ModelClass *> &models, const SessionCamera &view,
                         double aspect)
{
    const Vec focal = vec(view.focalPoint);
    const Axes axes = axesOf(focal - vec(view.position), vec(view.viewUp));
    return fitCamera(models, focal, axes, parallelScaleOf(view), view.viewAngle, aspect);
}

QJsonObject gltfCameraJson(const GltfCamera &camera, const float low[3], const float high[3])
{
    const Vec eye = gltfOf(camera.position, kGltfMetres);
    const Vec forward = (gltfOf(camera.target, kGltfMetres) - eye).unit();
    // The box's corners, nearest and farthest along the line of sight.
    double nearest = 0, farthest = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec p {corner & 1 ? high[0] : low[0], corner & 2 ? high[1] : low[1],
                     corner & 4 ? high[2] : low[2]};
        const double depth = (p - eye).dot(forward);
        nearest = corner ? std::min(nearest, depth) : depth;
        farthest = corner ? std::max(farthest, depth) : depth;
    }
    const double margin = 0.05 * (farthest - nearest) + 1e-4;
    const double zfar = std::max(farthest + margin, 1e-3);
    const double znear = std::max(nearest - margin, zfar * 1e-4);
    const double yfov = std::clamp(camera.yfovDegrees, 1.0, 170.0) * M_PI / 180;
    const QJsonObject perspective {{"yfov", yfov},
                                   {"aspectRatio", camera.aspect > 0 ? camera.aspect : 1.0},
                                   {"znear", znear},
                                   {"zfar", zfar}};
    return {{"name", "View"}, {"type", "perspective"}, {"perspective", perspective}};
}

QJsonObject gltfCameraNode(const GltfCamera &camera, int index)
{
    const Vec eye = gltfOf(camera.position, kGltfMetres);
    const Vec forward = gltfOf(camera.target, kGltfMetres) - eye;
    return {{"name", "View"},
            {"camera", index},
            {"translation", QJsonArray {eye.x, eye.y, eye.z}},
            {"rotation", lookRotation(forward, gltfOf(camera.up, 1))}};
}
