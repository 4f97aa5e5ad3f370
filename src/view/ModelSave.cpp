// The view's save path: the active model through the writer its format names,
// or, for glTF, every model of the scene with the view as its camera.

#include "Dialogs.h"
#include "GLWidget.h"
#include "ListWalk.h"
#include "SessionView.h"
#include "formats/FileKinds.h"
#include "formats/GltfWriter.h"
#include "formats/LoadPipeline.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"

#include <QGuiApplication>

#include <algorithm>

namespace {

// The writers that take the whole scene rather than one model.
bool writesScene(const QString &format)
{
    const FileKindRow *row = writerForFormat(format);
    return row && (row->kind == FileKind::Glb || row->kind == FileKind::Gltf);
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
        const GltfCamera camera = viewingCamera(models, viewCamera(*this),
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
