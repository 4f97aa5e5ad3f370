#pragma once

// Answers every box at once and keeps the texts of the messages, so that the
// application's tests run without a modal loop.

#include "view/Dialogs.h"

#include <QStringList>

#include <functional>

struct RecordingDialogs : Dialogs
{
    QStringList messages;
    // Run at each message, after it is recorded (as a user acting meanwhile).
    std::function<void()> onMessage;

    void message(QWidget *, const QString &, const QString &text) override
    {
        messages << text;
        if (onMessage)
            onMessage();
    }
};
