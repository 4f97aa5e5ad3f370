// The view's save path: the active model through the writer its format names.

#include "Dialogs.h"
#include "GLWidget.h"
#include "formats/LoadPipeline.h"
#include "formats/SaveModelFile.h"

#include <QGuiApplication>

#include <algorithm>

qint32 GLWidget::saveModelFile(const QString &format, const QString &fileName, bool isBinary)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    qint32 code = 0;
    const ModelClass *model = ModelList.count() > 1 ? ModelList.active() : nullptr;
    if (model) {
        const ViewConfig &config = State.Config;
        const WriterOptions options {bool(config.saveColorAsMat), bool(config.saveMatInOFF)};
        code = ::saveModelFile(model, format, fileName, isBinary, options);
    }
    QGuiApplication::restoreOverrideCursor();
    if (code != 0) {
        // The writers refuse a block whose cells name vertices it does not have.
        const bool unsound =
            std::any_of(model->Meshes.begin(), model->Meshes.end(),
                        [](const MeshClass *mesh) { return mesh->checkIndices(); });
        const QString reason = unsound
            ? tr("The model was not saved: its cells name vertices it does not have.")
            : errorMessage(code);
        Dialogs::current().critical(this, tr("Error"), fileName + ": " + reason);
    }
    return code;
}
