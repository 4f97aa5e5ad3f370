#pragma once

#include <QString>

// The message a failed load shows after the path and ": ", translated in the
// context "ModelClass"; empty for 0 and for codes without a message.
QString errorMessage(qint32 code);
// The message of the load that just failed with `code` on this thread: the
// reader's own reason when it gave one (loadProblem()), else errorMessage().
QString loadErrorMessage(qint32 code);
