#pragma once

#include <QString>
#include <QStringList>

// The failed files of one open command, told to the user: the first few each
// in its own box as they fail (as a short list always was), the rest gathered
// into one box with their count when the command ends, so that a scene of
// thousands of missing files does not bury the window under boxes.
class LoadFailures
{
public:
    static constexpr int SeparateBoxes = 3;
    static constexpr int ListedInSummary = 10;

    // One failed file and the message of its load.
    void add(const QString &path, const QString &message);
    // Shows the gathered rest, once.
    void finish();
    // Nothing more is shown (the window is closing).
    void silence() { silenced = true; }

private:
    int count = 0;
    QStringList rest;
    bool silenced = false;
};
