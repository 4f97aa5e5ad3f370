// The view's save path: the active model through the writer its format names.

#include "GLWidget.h"
#include "formats/SaveModelFile.h"

#include <QGuiApplication>

qint32 GLWidget::saveModelFile(const QString &format, const QString &fileName, bool isBinary)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    qint32 code = 0;
    if (ModelList.count() > 1) {
        const WriterOptions options {bool(Config.saveColorAsMat), bool(Config.saveMatInOFF)};
        code = ::saveModelFile(ModelList.active(), format, fileName, isBinary, options);
    }
    QGuiApplication::restoreOverrideCursor();
    return code;
}
