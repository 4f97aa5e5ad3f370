// The view's side of the planning numbers: long work off the GUI thread, the
// measurement drawn over the models, and the model information report with
// the model's measures.

#include "GLWidget.h"
#include "ViewCommands.h"
#include "ViewHost.h"
#include "ViewState.h"
#include "measure/MeasureReport.h"
#include "model/ModelInfo.h"

#include <QEventLoop>
#include <QGuiApplication>

#include <thread>

bool GLWidget::runResponsive(const QString &status, const std::function<void()> &work)
{
    // Work started while other work waits (a panel measuring again during a
    // gap) gives the status back to it afterwards.
    const QString saved = Host->statusText(), savedBusy = BusyText;
    BusyText = status;
    Host->showStatus(status);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QEventLoop loop;
    bool done = false;
    std::thread worker([&] {
        try {
            work();
            done = true;
        } catch (...) { // out of memory: nothing to show
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QGuiApplication::restoreOverrideCursor();
    BusyText = savedBusy;
    Host->showStatus(saved);
    return done;
}

MeasureMark gapMark(const measure::Gap &gap, ModelClass *a, ModelClass *b, const QString &nameOfA,
                    const QString &nameOfB)
{
    MeasureMark mark;
    mark.frame = a;
    mark.measured = {{a, a->DataVersion}, {b, b->DataVersion}};
    std::copy(gap.onA.begin(), gap.onA.end(), mark.a);
    std::copy(gap.onB.begin(), gap.onB.end(), mark.b);
    mark.segment = true;
    // The length as the tables give it: "17.71 mm", "0.00 mm, touching".
    mark.label = measure::gapText(gap, nameOfA, nameOfB);
    mark.status = GLWidget::tr("Closest gap from %1 to %2: %3")
                      .arg(nameOfA, nameOfB, measure::gapText(gap, nameOfA, nameOfB));
    return mark;
}

void GLWidget::setMeasureMark(const MeasureMark &mark)
{
    Mark = mark;
    update();
}

void GLWidget::clearMeasureMark()
{
    Mark.reset();
    update();
}

bool GLWidget::markCurrent() const
{
    if (!Mark || ModelList.indexOf(Mark->frame) < 0)
        return false;
    for (const auto &[model, version] : Mark->measured)
        if (ModelList.indexOf(model) < 0 || model->DataVersion != version)
            return false;
    return true;
}

void ViewCommands::modelInfo(QString &title, QString &text)
{
    ::modelInfo(ModelList, title, text);
    const ModelClass *model = ModelList.active();
    if (!model || ModelList.ActiveIndex < 1)
        return;
    const std::vector<measure::ModelSnapshot> shot {measure::snapshotModel(*model)};
    // The sides are checked against the midline of the whole scene and its CT.
    std::vector<measure::ModelSnapshot> scene;
    for (qsizetype i = 1; i < ModelList.count(); ++i)
        scene.push_back(measure::snapshotModel(*ModelList.at(i)));
    measure::SceneMeasurement measured;
    if (!View.runResponsive(tr("Measuring..."), [&] {
            measure::SceneOptions options;
            options.midline = measure::sceneMidline(scene, State.Image.get());
            measured = measure::measureScene(shot, options);
        }))
        return;
    text += "\n\n" + tr("Measures:");
    for (const QString &line : measure::modelInfoLines(measured.models.front()))
        text += "\n" + line;
}
