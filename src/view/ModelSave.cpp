// The view's save path: the active model through the writer its format names,
// or, for glTF, every model of the scene with the view as its camera.

#include "Dialogs.h"
#include "GLWidget.h"
#include "ListWalk.h"
#include "formats/FileKinds.h"
#include "formats/GltfWriter.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"

#include <QGuiApplication>
#include <QMatrix4x4>

#include <algorithm>
#include <cmath>

namespace {

// The writers that take the whole scene rather than one model.
bool writesScene(const QString &format)
{
    const FileKindRow *row = writerForFormat(format);
    return row && (row->kind == FileKind::Glb || row->kind == FileKind::Gltf);
}

// How far towards the eye the nearest vertex of the models lies, in eye units.
double nearestDepth(const QList<const ModelClass *> &models, const ViewTransform &transform)
{
    double front = 0;
    for (const ModelClass *model : models) {
        for (const MeshClass *mesh : model->Meshes)
            for (qint64 v = 0; mesh->Vertices && v < mesh->CountOfVertices; ++v) {
                double eye[3];
                transform.mapPoint(mesh->Vertices + 3 * v, eye);
                front = std::max(front, eye[2]);
            }
        const QList<const ModelClass *> children(model->Children.begin(), model->Children.end());
        front = std::max(front, nearestDepth(children, transform));
    }
    return front;
}

// The view as a perspective camera. The view is orthographic, ±halfHeight
// high around the eye's axis; the camera stands on that axis where a cone of
// the view angle is that high at the nearest vertex, so that everything the
// view shows is in the picture, the nearest parts as large as in the view.
GltfCamera viewCamera(const QList<const ModelClass *> &models, const ViewTransform &transform,
                      double halfHeight, double fovDegrees, double aspect)
{
    const QMatrix4x4 world = QMatrix4x4(transform.Matrix).transposed().inverted();
    const double distance =
        halfHeight / std::tan(fovDegrees * M_PI / 360) + nearestDepth(models, transform);
    const QVector3D position = world.map(QVector3D(0, 0, float(distance)));
    const QVector3D target = world.map(QVector3D(0, 0, 0));
    const QVector3D up = world.mapVector(QVector3D(0, 1, 0));
    GltfCamera camera;
    for (int k = 0; k < 3; ++k) {
        camera.position[k] = position[k];
        camera.target[k] = target[k];
        camera.up[k] = up[k];
    }
    camera.yfovDegrees = fovDegrees;
    camera.aspect = aspect;
    return camera;
}

} // namespace

qint32 GLWidget::saveModelFile(const QString &format, const QString &fileName, bool isBinary)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    qint32 code = 0;
    clearOutputError();
    const ModelClass *model = ModelList.count() > 1 ? ModelList.active() : nullptr;
    const bool scene = writesScene(format);
    if (scene && model) {
        QList<const ModelClass *> models;
        for (const ModelClass *child : std::as_const(ModelList.scene()->Children))
            models << child;
        const ModelClass *viewed = userModel(ModelList, ModelList.ActiveIndex);
        if (!viewed)
            viewed = userModel(ModelList, 1);
        const GltfCamera camera =
            viewCamera(models, *viewed->Transform, Frame.ProjYr, viewed->FieldOfView,
                       height() > 0 ? double(width()) / height() : 1.0);
        code = writeGltfScene(models, &camera, fileName);
    } else if (model) {
        const ViewConfig &config = State.Config;
        const WriterOptions options {bool(config.saveColorAsMat), bool(config.saveMatInOFF)};
        code = ::saveModelFile(model, format, fileName, isBinary, options);
    }
    QGuiApplication::restoreOverrideCursor();
    if (code != 0) {
        // The writers refuse a block whose cells name vertices it does not have.
        const auto unsound = [](const ModelClass *m) {
            return std::any_of(m->Meshes.begin(), m->Meshes.end(),
                               [](const MeshClass *mesh) { return mesh->checkIndices(); });
        };
        bool anyUnsound = unsound(model);
        if (scene)
            forEveryModel(ModelList,
                          [&](ModelClass &m) { anyUnsound = anyUnsound || unsound(&m); });
        // The output's own reason names the file and, when it refuses, the folder.
        const QString output = lastOutputError();
        const QString line = anyUnsound ? fileName + ": "
                + tr("The model was not saved: its cells name vertices it does not have.")
            : output.isEmpty() ? fileName + ": " + errorMessage(code)
                               : output;
        Dialogs::current().critical(this, tr("Error"), line);
    }
    return code;
}
