#pragma once

#include <QString>
#include <QStringList>

// `convert INPUT... OUTPUT.html`: the plan as one web page, its texts in the
// interface language (English unless the viewer's setting says Russian).
// Returns the command's exit status: 0, 1 when an input cannot be read or
// measured, 2 when the page cannot be written.
int writeWebPageCommand(const QStringList &inputs, const QString &output);
