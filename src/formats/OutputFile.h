#pragma once

#include "FileKinds.h"
#include "OutputBuffer.h"

#include "geometry/Status.h"

#include <QFile>
#include <QString>

#include <cstdio>

// The chosen name cut at the first "." of its last path component (a dotted
// folder name stays whole), followed by the writer's extension.
QString outputFileName(const QString &chosen, QLatin1StringView extension);

// The path and the reason of the last output file that could not be opened,
// written or committed since clearOutputError(), for messages such as the command-line tool's. When
// the folder is what refuses the file, the reason says so.
QString lastOutputError();
void clearOutputError();

// A file written beside its target under a fixed partial name (".NAME.partial")
// and renamed over the target only by commit(), so that a failed or
// interrupted save leaves an earlier file of that name as it was. A partial
// file left by a killed save is reused and renamed by the next save of the
// same target, so none stays behind; an uncommitted one is removed on
// destruction. A name that is a symbolic link writes its target, which keeps
// its permissions, and leaves the link in place.
class OutputFile
{
public:
    OutputFile(const QString &fileName, bool text);
    ~OutputFile();

    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool isOpen() const { return file.isOpen(); }
    OutputBuffer &out() { return buffer; }
    // Hands all collected bytes to the partial file; true when all were written.
    bool finish();
    // finish(), then makes the bytes durable and replaces the target.
    bool commit();

    // A C stream onto the partial file, for a library that writes through one
    // (gl2ps), or null. closeStream() it before commit().
    FILE *openStream();
    // Flushes and closes the stream; false when any write to it failed.
    bool closeStream(FILE *stream);

private:
    bool fail(const QString &reason);
    bool failWithErrno(int error);

    QString target;
    QFile file;
    OutputBuffer buffer;
    bool committed = false;
};

// Runs a writer of one file of a kind, named with the kind's usual ending: an
// empty chosen name writes nothing and gives errNone; a file that cannot be
// opened or committed gives errOpen. `name` is the writer's name for the trace.
template<class Body>
qint32 writeOneFile(const QString &chosen, FileKind kind, bool text, const char *name, Body &&body)
{
    if (chosen.isEmpty())
        return errNone;
    OutputFile file(outputFileName(chosen, kindEnding(kind)), text);
    if (!file.isOpen())
        return errOpen;
    const qint32 status = runGuarded(name, [&] { body(file.out()); });
    if (status != errNone)
        return status;
    return file.commit() ? errNone : errOpen;
}

// Writes of two files that belong together: both are complete before either
// replaces an earlier file, and `first` takes its place first, so that a
// failure leaves the other one as it was. Gives errNone or errOpen.
inline qint32 commitPair(OutputFile &first, OutputFile &second)
{
    if (!first.finish() || !second.finish())
        return errOpen;
    return first.commit() && second.commit() ? errNone : errOpen;
}
