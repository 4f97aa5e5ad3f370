#pragma once

#include <QLoggingCategory>

#include <new>

// Result codes of loading, writing and every geometry operation. Inside an
// operation a failure is thrown as one of these and caught at its boundary.
enum errors : qint32 {
    errNone = 0,
    errUnknown = 1,  // any failure without a code of its own
    errOpen = 2,     // the file cannot be opened
    errFileType = 3, // the file name is not admitted
    errNoMemory = 4, // an allocation failed
};

// Developer traces ("Error in function: ...", "ModelListClass::append", ...).
// Debug output of this category is off unless enabled with QT_LOGGING_RULES,
// so nothing of it ever reaches the user.
Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// Runs an operation body and turns whatever it throws into a status code.
// With a name, a failure writes "Error in function: <name>" to the trace.
template<class Body> qint32 runGuarded(const char *name, Body &&body)
{
    qint32 status = errNone;
    try {
        body();
    } catch (errors e) {
        status = e;
    } catch (const std::bad_alloc &) {
        status = errNoMemory;
    } catch (...) {
        status = errUnknown;
    }
    if (status != errNone && name)
        qCDebug(lcTrace).noquote() << QStringLiteral("Error in function: ") + QLatin1String(name);
    return status;
}
