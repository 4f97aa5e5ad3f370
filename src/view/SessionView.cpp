#include "SessionView.h"

#include "GLWidget.h"
#include "ListWalk.h"
#include "SlicePlanes.h"
#include "model/PlaneCut.h"
#include "model/Vec3.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

Vec3 plus(const Vec3 &a, const Vec3 &b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

// The half height of the orthographic box in eye units for the view's size.
double boxHalfHeight(const GLWidget &view)
{
    const int w = view.width(), h = view.height();
    return w > 0 && h > w ? double(h) / w : 1.0;
}

// The transform whose camera the view shows: the current model's, else the
// first one's, else the image's.
ViewTransform *viewedTransform(GLWidget &view)
{
    ModelClass *model = userModel(view.ModelList, view.ModelList.ActiveIndex);
    if (!model)
        model = userModel(view.ModelList, 1);
    return model ? model->Transform : view.imageCamera();
}

// The camera of a matrix: eye = zoom * R * world + t, the eye's +z towards
// the viewer, the focal point on the eye's origin.
SessionCamera cameraOfMatrix(const float m[16], double zoom, double halfHeight, double angle)
{
    const Vec3 right {m[0] / zoom, m[4] / zoom, m[8] / zoom};
    const Vec3 up {m[1] / zoom, m[5] / zoom, m[9] / zoom};
    const Vec3 back {m[2] / zoom, m[6] / zoom, m[10] / zoom};
    const Vec3 t {m[12], m[13], m[14]};
    // The world point of the eye's origin: R^T (0 - t) / zoom.
    const Vec3 focal =
        plus(plus(scaled(right, -dot(right, t) / zoom), scaled(up, -dot(up, t) / zoom)),
             scaled(back, -dot(back, t) / zoom));
    SessionCamera camera;
    camera.viewAngle = angle;
    camera.parallelScale = halfHeight / zoom;
    const double distance = *camera.parallelScale / std::tan(angle * M_PI / 360);
    camera.focalPoint = focal;
    camera.position = plus(focal, scaled(unit(back), distance));
    camera.viewUp = unit(up);
    return camera;
}

// The matrix of a camera (see cameraOfMatrix), column-major.
std::array<float, 16> matrixOfCamera(const SessionCamera &c, double zoom)
{
    const Vec3 forward = unit(minus(c.focalPoint, c.position));
    const Vec3 up = unit(minus(c.viewUp, scaled(forward, dot(forward, c.viewUp))));
    const Vec3 rows[3] = {cross(forward, up), up, scaled(forward, -1)};
    std::array<float, 16> m {};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t k = 0; k < 3; ++k)
            m[4 * k + r] = float(zoom * rows[r][k]);
        m[12 + r] = float(-zoom * dot(rows[r], c.focalPoint));
    }
    m[15] = 1;
    return m;
}

bool near(const Vec3 &a, const Vec3 &b, double tolerance)
{
    return length(minus(a, b)) <= tolerance;
}

// Whether our own matrix says what the rest of the camera says, so that a
// camera another program changed is built from what it changed.
bool matrixAgrees(const SessionCamera &c)
{
    if (!c.modelView || !c.zoom || !c.parallelScale)
        return false;
    const SessionCamera own = cameraOfMatrix(c.modelView->data(), *c.zoom, 1, c.viewAngle);
    const double size = std::max({1.0, length(c.focalPoint), *c.parallelScale});
    return near(own.focalPoint, c.focalPoint, 1e-5 * size) && near(own.viewUp, unit(c.viewUp), 1e-5)
        && near(unit(minus(c.position, c.focalPoint)), unit(minus(own.position, own.focalPoint)),
                1e-5);
}

SessionModel modelEntry(const ModelClass &model)
{
    SessionModel entry;
    entry.file = QFileInfo(model.FileName).absoluteFilePath();
    // A model of a file of several is found by the name its file gives it.
    entry.name = model.SourceName.isEmpty() ? model.Name : model.SourceName;
    if (entry.name != model.Name)
        entry.shownName = model.Name;
    if (model.ModelColor[0] >= 0)
        entry.color =
            std::array<int, 3> {model.ModelColor[0], model.ModelColor[1], model.ModelColor[2]};
    entry.opacity = model.Settings.Transparent ? model.Settings.Opacity : 1.0;
    entry.visible = model.Visible;
    entry.faces = model.Settings.ColorMode;
    entry.edges = model.Settings.EdgesMode;
    entry.points = model.Settings.ShowPoints != 0;
    if (model.Settings.ClipState == PlaneClip::InPlace) {
        const ClipPlane &plane = model.ClipPlane;
        entry.cut = SessionCut {{plane.Point[0], plane.Point[1], plane.Point[2]},
                                {plane.Normal[0], plane.Normal[1], plane.Normal[2]},
                                model.Settings.ClipInclude != 0,
                                model.Settings.ClipInvert != 0};
    }
    return entry;
}

SessionImage imageEntry(const GLWidget &view)
{
    SessionImage image;
    image.file = view.State.ImagePath;
    image.series = view.State.Image->seriesUid;
    image.window = view.State.Slices.windowLevel.window;
    image.level = view.State.Slices.windowLevel.level;
    for (int k = 0; k < 3; ++k) {
        image.index[k] = view.State.Slices.index[k];
        image.shown[k] = view.State.Slices.shown[k];
    }
    return image;
}

void applyModes(ModelClass &model, const SessionModel &entry)
{
    if (entry.faces)
        model.setColorMode(*entry.faces);
    if (entry.edges)
        model.setEdgesMode(*entry.edges);
    if (entry.points)
        model.setShowPoints(*entry.points);
    model.updateMaterials();
    model.NeedsRebuild = 1;
    model.prepareDraw();
    if (entry.cut) {
        std::copy_n(entry.cut->point.data(), 3, model.ClipPlane.Point);
        std::copy_n(entry.cut->normal.data(), 3, model.ClipPlane.Normal);
        clipMeshes(model, model.ClipPlane.Point, model.ClipPlane.Normal, entry.cut->include,
                   entry.cut->invert);
    }
}

// The image's slices as the session left them; an index beyond the image
// keeps the plane through its middle.
SliceState sessionSlices(const ImageVolume &image, const SessionImage &entry)
{
    SliceState slices = startingSlices(image);
    if (entry.window)
        slices.windowLevel.window = *entry.window;
    if (entry.level)
        slices.windowLevel.level = *entry.level;
    for (int k = 0; k < 3; ++k) {
        slices.shown[k] = entry.shown[k];
        const qint64 size = image.size[sliceAxis(image, SliceOrientation(k))];
        if (entry.index[k] && *entry.index[k] >= 0 && *entry.index[k] < size)
            slices.index[k] = *entry.index[k];
    }
    return slices;
}

} // namespace

SessionCamera viewCamera(GLWidget &view)
{
    const ViewTransform *transform = viewedTransform(view);
    const ModelClass *model = userModel(view.ModelList, 1);
    // The zoom the matrix carries: a model's own Scale need not be it once
    // another model's matrix has been copied onto it.
    const float *m = transform->Matrix;
    const double zoom = std::sqrt(double(m[0]) * m[0] + double(m[1]) * m[1] + double(m[2]) * m[2]);
    SessionCamera camera =
        cameraOfMatrix(m, zoom, boxHalfHeight(view), model ? model->FieldOfView : 30);
    camera.modelView.emplace();
    std::copy_n(m, 16, camera.modelView->begin());
    camera.zoom = float(zoom);
    return camera;
}

void applyCamera(GLWidget &view, const SessionCamera &camera)
{
    const bool own = matrixAgrees(camera);
    const double zoom = own ? *camera.zoom : boxHalfHeight(view) / parallelScaleOf(camera);
    const std::array<float, 16> matrix = own ? *camera.modelView : matrixOfCamera(camera, zoom);
    QSet<ViewTransform *> transforms {view.imageCamera()};
    forEveryModel(view.ModelList, [&](ModelClass &m) { transforms.insert(m.Transform); });
    for (ViewTransform *transform : std::as_const(transforms)) {
        std::copy(matrix.begin(), matrix.end(), transform->Matrix);
        transform->Scale = float(zoom);
        transform->updateRotation();
    }
    view.updateProjection();
    view.update();
}

Session captureSession(GLWidget &view, QStringList *unsaved)
{
    Session session;
    // A clone or a cut keeps the file and the name of the model it was made
    // from: the file gives back only that model, so the copy is one made here.
    QSet<std::pair<QString, QString>> taken;
    forEveryModel(view.ModelList, [&](ModelClass &model) {
        const SessionModel entry = modelEntry(model);
        if (model.FileName.isEmpty() || !QFileInfo::exists(model.FileName)
            || taken.contains({entry.file, entry.name})) {
            if (unsaved)
                *unsaved << model.title();
            return;
        }
        taken.insert({entry.file, entry.name});
        session.models << entry;
    });
    if (view.ModelList.count() > 1 || view.State.Image)
        session.camera = viewCamera(view);
    if (view.State.Image && !view.State.ImagePath.isEmpty())
        session.image = imageEntry(view);
    return session;
}

void applySession(GLWidget &view, const Session &session, const std::vector<ModelClass *> &models,
                  const std::vector<qsizetype> &entryOf,
                  const std::shared_ptr<const ImageVolume> &image)
{
    for (std::size_t i = 0; i < models.size() && i < entryOf.size(); ++i) {
        if (entryOf[i] < 0 || entryOf[i] >= session.models.size())
            continue;
        const SessionModel &entry = session.models.at(entryOf[i]);
        applySessionLooks(*models[i], entry);
        applyModes(*models[i], entry);
    }
    if (image && !image->isEmpty() && session.image) {
        view.State.Image = image;
        view.State.ImagePath = session.image->file;
        view.State.Slices = sessionSlices(*image, *session.image);
    }
    if (session.camera)
        applyCamera(view, *session.camera);
    else
        view.frameScene(GLWidget::FitMargin);
}
