// The view's load paths: a .surf file into a new model placed in the view,
// and the list of .surf names of an .hx scene.

#include "GLWidget.h"
#include "ViewHost.h"
#include "formats/HxReader.h"
#include "geometry/PhaseTrace.h"

#include <QGuiApplication>

qint32 GLWidget::loadModelFile(const QString &fileName)
{
    auto *model = new ModelClass;
    model->UseAllVertices = State.Config.drawAllPoints;
    model->SmoothNormals = State.Config.shade_type;
    model->ColoredIsolines = State.Config.func_isolines;
    PhaseTrace trace("load");
    const qint32 code = model->loadFile(fileName);
    trace.mark("read");
    Host->showStatus(tr("Preparing data for draw..."));
    if (code != 0) {
        delete model;
        if (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return code;
    }
    placeNewModel(model);
    return 0;
}

void GLWidget::addImportedModel(ModelClass *model)
{
    model->UseAllVertices = State.Config.drawAllPoints;
    model->SmoothNormals = State.Config.shade_type;
    model->ColoredIsolines = State.Config.func_isolines;
    Host->showStatus(tr("Preparing data for draw..."));
    placeNewModel(model);
}

qint32 GLWidget::readHxFile(const QString &fileName, QStringList &names)
{
    const qint32 code = readHxList(fileName, names);
    update();
    return code;
}
