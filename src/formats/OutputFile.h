#pragma once

#include "OutputBuffer.h"

#include "geometry/Status.h"

#include <QSaveFile>
#include <QString>

// The chosen name cut at the first "." of its last path component (a dotted
// folder name stays whole), followed by the writer's extension.
QString outputFileName(const QString &chosen, QLatin1StringView extension);

// A file written to a temporary beside its target and renamed over the target
// only by commit(), so that a failed or interrupted save leaves an earlier
// file of that name as it was.
class OutputFile
{
public:
    OutputFile(const QString &fileName, bool text);

    bool isOpen() const { return file.isOpen(); }
    OutputBuffer &out() { return buffer; }
    // Hands all collected bytes to the temporary; true when all were written.
    bool finish();
    // finish(), then replaces the target; true on success.
    bool commit();

private:
    QSaveFile file;
    OutputBuffer buffer;
};

// Runs a writer of one file: an empty chosen name writes nothing and gives
// errNone; a file that cannot be opened or committed gives errOpen. `name` is
// the writer's name for the trace.
template<class Body>
qint32 writeOneFile(const QString &chosen, QLatin1StringView extension, bool text, const char *name,
                    Body &&body)
{
    if (chosen.isEmpty())
        return errNone;
    OutputFile file(outputFileName(chosen, extension), text);
    if (!file.isOpen())
        return errOpen;
    const qint32 status = runGuarded(name, [&] { body(file.out()); });
    if (status != errNone)
        return status;
    return file.commit() ? errNone : errOpen;
}
