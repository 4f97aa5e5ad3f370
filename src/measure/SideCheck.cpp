#include "SideCheck.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace measure {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Measurements)
};

bool usable(const ModelSnapshot &model)
{
    return model.refusal.isEmpty() && model.surface.triangleCount() > 0;
}

} // namespace

double centreX(const TriangleSurface &surface)
{
    double weighted = 0, total = 0;
    for (std::size_t t = 0; t < surface.triangleCount(); ++t) {
        const double *a = surface.corner(t, 0), *b = surface.corner(t, 1),
                     *c = surface.corner(t, 2);
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                             u[0] * v[1] - u[1] * v[0]};
        const double area = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        weighted += area * (a[0] + b[0] + c[0]) / 3;
        total += area;
    }
    if (total > 0)
        return weighted / total;
    // A surface of flat triangles only: the mean of its corners.
    if (surface.vertexCount() == 0)
        return std::numeric_limits<double>::quiet_NaN();
    double sum = 0;
    for (std::size_t v = 0; v < surface.vertexCount(); ++v)
        sum += surface.points[3 * v];
    return sum / double(surface.vertexCount());
}

body::Midline sceneMidline(const std::vector<ModelSnapshot> &models, const ImageVolume *image)
{
    if (image)
        if (const body::Midline m = body::midlineInImage(*image); m.found())
            return m;
    std::vector<body::PlacedStructure> placed;
    for (const ModelSnapshot &model : models)
        if (usable(model))
            placed.push_back({model.anatomy, model.side, centreX(model.surface),
                              anatomy::liesOnMidline(model.name)});
    return body::midlineOfStructures(placed);
}

SideCheck checkSides(const std::vector<ModelSnapshot> &models, const body::Midline &midline)
{
    SideCheck check;
    check.midline = midline;
    for (std::size_t i = 0; i < models.size() && midline.found(); ++i) {
        const ModelSnapshot &model = models[i];
        if (model.side == anatomy::Side::None || !usable(model))
            continue;
        const double x = centreX(model.surface);
        const anatomy::Side lies = body::sideAt(x, midline);
        if (lies != anatomy::Side::None && lies != model.side)
            check.warnings.push_back({i, model.side, x, sideWarningText(model.name, model.side)});
    }
    return check;
}

QString sideWarningText(const QString &model, anatomy::Side named)
{
    return named == anatomy::Side::Left
        ? Text::tr("%1 is named left but lies on the patient's right of the body's midline.")
              .arg(model)
        : Text::tr("%1 is named right but lies on the patient's left of the body's midline.")
              .arg(model);
}

} // namespace measure
