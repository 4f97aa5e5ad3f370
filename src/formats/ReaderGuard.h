#pragma once

#include "../geometry/Status.h"

#include <new>

// Runs the body of a reader and turns whatever it throws into a result code.
// Every failure leaves one trace line: "Error number: " and the code, or
// "Error number: not defined" for an exception that carries none.
template<class Body> qint32 runReader(Body &&body)
{
    qint32 code = errNone;
    try {
        body();
    } catch (errors e) {
        code = e;
    } catch (const std::bad_alloc &) {
        code = errNoMemory;
    } catch (...) {
        qCDebug(lcTrace) << "Error number: not defined";
        return errUnknown;
    }
    if (code != errNone)
        qCDebug(lcTrace) << "Error number:" << code;
    return code;
}
