#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Work that runs on a thread of its own while the window goes on painting
// and taking input. When it takes longer than a moment a progress dialog
// shows; its Cancel drops the result (the work itself runs to its end on its
// own copies, and the job counts as running until then). One job at a time.
class BackgroundJob : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundJob(QWidget *dialogParent);
    // Waits for a job still running: its work holds copies, never the window.
    ~BackgroundJob() override;

    // How long work runs before its progress dialog shows.
    static constexpr int kShowAfterMs = 500;

    // Starts `work` on a thread; `done` runs on the interface thread when it
    // has finished, with false when it threw (ran out of memory), and not at
    // all when the user cancelled. False when another job still runs.
    bool start(const QString &label, std::function<void()> work, std::function<void(bool)> done);
    bool running() const { return Thread != nullptr; }
    // The progress dialog while it shows, else null.
    QProgressDialog *dialog() const { return Dialog; }
    void cancel();

signals:
    // The job ended; `delivered` when its `done` ran.
    void ended(bool delivered);

private:
    void showDialog();
    void finish();
    void closeDialog();

    QWidget *DialogParent;
    QTimer *ShowTimer;
    QThread *Thread = nullptr;
    QProgressDialog *Dialog = nullptr;
    QString Label;
    std::function<void(bool)> Done;
    bool Cancelled = false;
    bool Failed = false;
};
