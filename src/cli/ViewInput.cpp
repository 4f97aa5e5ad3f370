#include "ViewInput.h"

#include "formats/LoadPipeline.h"
#include "view/GLWidget.h"

#include <QFileInfo>
#include <QOpenGLContext>

bool haveDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool haveOpenGL()
{
    QOpenGLContext probe;
    return probe.create() && probe.isValid();
}

bool loadIntoView(GLWidget &view, const QString &input,
                  const std::function<void(const QString &)> &report)
{
    QStringList paths;
    const bool scene = input.endsWith(QLatin1String(".hx"), Qt::CaseInsensitive);
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
        view.transformAll();
    }
    return view.ModelList.count() > 1;
}
