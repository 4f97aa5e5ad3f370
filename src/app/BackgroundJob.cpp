#include "BackgroundJob.h"

#include <QProgressDialog>
#include <QThread>
#include <QTimer>

BackgroundJob::BackgroundJob(QWidget *dialogParent)
    : DialogParent(dialogParent)
    , ShowTimer(new QTimer(this))
{
    ShowTimer->setSingleShot(true);
    ShowTimer->setInterval(kShowAfterMs);
    connect(ShowTimer, &QTimer::timeout, this, &BackgroundJob::showDialog);
}

BackgroundJob::~BackgroundJob()
{
    if (!Thread)
        return;
    Thread->disconnect(this);
    Thread->wait();
    delete Thread;
    closeDialog();
}

bool BackgroundJob::start(const QString &label, std::function<void()> work,
                          std::function<void(bool)> done)
{
    if (Thread)
        return false;
    Label = label;
    Done = std::move(done);
    Cancelled = Failed = false;
    Thread = QThread::create([this, work = std::move(work)] {
        try {
            work();
        } catch (...) { // out of memory: nothing to deliver
            Failed = true;
        }
    });
    // Queued to this object's thread: `done` runs on the interface thread
    // after the work has returned.
    connect(Thread, &QThread::finished, this, &BackgroundJob::finish, Qt::QueuedConnection);
    Thread->start();
    ShowTimer->start();
    return true;
}

void BackgroundJob::showDialog()
{
    if (!Thread || Cancelled)
        return;
    Dialog = new QProgressDialog(Label, tr("Cancel"), 0, 0, DialogParent);
    Dialog->setObjectName("stoneProgress");
    Dialog->setWindowTitle(tr("Please wait"));
    Dialog->setMinimumDuration(0);
    Dialog->setAutoClose(false);
    Dialog->setAutoReset(false);
    connect(Dialog, &QProgressDialog::canceled, this, &BackgroundJob::cancel);
    Dialog->show();
}

void BackgroundJob::cancel()
{
    if (!Thread)
        return;
    Cancelled = true;
    ShowTimer->stop();
    closeDialog();
}

void BackgroundJob::closeDialog()
{
    if (!Dialog)
        return;
    Dialog->disconnect(this);
    Dialog->hide();
    Dialog->deleteLater();
    Dialog = nullptr;
}

void BackgroundJob::finish()
{
    ShowTimer->stop();
    closeDialog();
    Thread->wait();
    delete Thread;
    Thread = nullptr;
    const bool deliver = !Cancelled;
    std::function<void(bool)> done = std::move(Done);
    Done = nullptr;
    if (deliver && done)
        done(!Failed);
    emit ended(deliver);
}
