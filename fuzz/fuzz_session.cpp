// Fuzz target: the planning session reader. What it accepts is written back
// and read again to the same plan.

#include "formats/SessionFile.h"

#include <QByteArray>
#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Session session;
    QString error;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!parseSession(bytes, QStringLiteral("/plans"), session, error)) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    for (const SessionModel &model : std::as_const(session.models))
        if (!QDir::isAbsolutePath(model.file) || model.opacity < 0 || model.opacity > 1
            || (model.faces && (*model.faces < 0 || *model.faces > 5)))
            __builtin_trap();
    Session again;
    if (!parseSession(sessionJson(session, QStringLiteral("/plans")), QStringLiteral("/plans"),
                      again, error)
        || again.models.size() != session.models.size()
        || again.camera.has_value() != session.camera.has_value()
        || again.nephrometry.size() != session.nephrometry.size())
        __builtin_trap(); // what was read is written so that it reads again
    return 0;
}
