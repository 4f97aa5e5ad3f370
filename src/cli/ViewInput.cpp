#include "ViewInput.h"

#include "CliInput.h"
#include "formats/FileKinds.h"
#include "formats/LoadPipeline.h"
#include "import/Importer.h"
#include "model/ImageSlice.h"
#include "model/ModelClass.h"
#include "view/GLWidget.h"
#include "view/ListWalk.h"
#include "view/SessionView.h"

#include <QApplication>
#include <QFileInfo>
#include <QOpenGLContext>

std::unique_ptr<QApplication> startDrawing(QString &why)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        why = QStringLiteral("no display: OpenGL drawing needs one (run under xvfb-run)");
        return nullptr;
    }
    setupViewSurfaceFormat(0);
    // The application keeps argc and argv for its lifetime.
    static int argc = 1;
    static char name[] = "tessaron-cli";
    static char *argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    QOpenGLContext probe;
    if (!probe.create() || !probe.isValid()) {
        why = QStringLiteral("no OpenGL context on this display");
        return nullptr;
    }
    return app;
}

namespace {

// Imports a mesh file, a label map, a folder of masks or an image: the models
// enter the view as a scene, an image (alone, or a structure set's) as its
// planes, as the viewer shows them. The importer names its own failures on
// standard error.
bool importIntoView(GLWidget &view, const Recognition &seen)
{
    const QString &input = seen.path;
    std::vector<std::unique_ptr<ModelClass>> models;
    std::shared_ptr<const ImageVolume> image;
    if (!loadInput(seen, models, image))
        return false;
    for (auto &model : models)
        view.addImportedModel(model.release());
    view.moveCenter();
    copyTransforms(view.ModelList);
    if (image && !image->isEmpty()) {
        for (const QString &warning : image->warnings)
            printInputError(input, QStringLiteral("warning: %1").arg(warning));
        view.State.Image = image;
        view.State.ImagePath = QFileInfo(input).absoluteFilePath();
        view.State.Slices = startingSlices(*image);
    }
    view.update();
    return view.ModelList.count() > 1 || view.State.Image;
}

// A session's visible models, as the viewer reopens it: their looks, modes
// and cuts, the camera, and the image with its window and slices.
bool sessionIntoView(GLWidget &view, const Recognition &input)
{
    OpenedFile opened;
    if (!openInput(input, opened))
        return false;
    std::vector<ModelClass *> models;
    for (auto &model : opened.models) {
        models.push_back(model.get());
        view.addImportedModel(model.release());
    }
    view.moveCenter();
    copyTransforms(view.ModelList);
    applySession(view, *opened.session, models, opened.entryOf, opened.image);
    return view.ModelList.count() > 1 || view.State.Image;
}

} // namespace

bool loadIntoView(GLWidget &view, const QString &input,
                  const std::function<void(const QString &)> &report, FileKind *kind)
{
    Recognition seen;
    if (!admitInput(input, seen))
        return false;
    if (kind)
        *kind = seen.kind;
    if (seen.kind == FileKind::Session)
        return sessionIntoView(view, seen);
    if (isImportable(seen))
        return importIntoView(view, seen);
    QStringList paths;
    const bool scene = seen.kind == FileKind::Scene;
    if (scene) {
        QStringList names;
        if (const qint32 code = view.readHxFile(input, names)) {
            report(input + QStringLiteral(": ") + loadErrorMessage(code));
            return false;
        }
        const QString folder = QFileInfo(input).path();
        for (const QString &name : std::as_const(names))
            paths << folder + QLatin1Char('/') + name;
    } else {
        paths << input;
    }
    for (const QString &path : std::as_const(paths))
        if (const qint32 code = view.loadModelFile(path))
            report(path + QStringLiteral(": ") + loadErrorMessage(code));
    if (scene) {
        view.moveCenter();
        copyTransforms(view.ModelList);
        view.update();
    }
    return view.ModelList.count() > 1;
}
