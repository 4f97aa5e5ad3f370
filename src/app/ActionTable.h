#pragma once

#include <QKeySequence>

// One row of the main window's action table.
struct ActionRow
{
    enum Group { NoGroup, Lights, Faces };
    enum Receiver { Window, View, Commands };

    const char *name;
    const char *text; // translated in the context "MainWindow"
    const char *icon; // resource path, or null
    QKeySequence::StandardKey standardKey;
    const char *keys; // a key combination, when no standard key
    bool checkable;
    Group group;
    Receiver receiver;
    const char *slot; // as produced by SLOT()
    bool boolSignal;  // connect triggered(bool) instead of triggered()
};

extern const ActionRow kActionRows[];
extern const int kActionRowCount;
