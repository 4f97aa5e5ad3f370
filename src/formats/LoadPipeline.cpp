// The model's load entry points and the messages of the load result codes.

#include "LoadPipeline.h"

#include "../geometry/Status.h"
#include "../model/ModelClass.h"
#include "FileKinds.h"
#include "LoadProblem.h"
#include "SurfReader.h"

#include <QCoreApplication>
#include <QFileInfo>

QString errorMessage(qint32 code)
{
    switch (code) {
    case errUnknown:
        return QCoreApplication::translate("ModelClass", "Unknown error open file.");
    case errOpen:
        return QCoreApplication::translate("ModelClass", "Error opening file.");
    case errFileType:
        return QCoreApplication::translate("ModelClass", "Error filetype.");
    case errNoMemory:
        return QCoreApplication::translate("ModelClass", "Error: there is no memory.");
    default:
        return {};
    }
}

QString loadErrorMessage(qint32 code)
{
    const QString problem = loadProblem();
    return problem.isEmpty() ? errorMessage(code) : problem;
}

qint32 ModelClass::loadFile(const QString &fileName)
{
    clearLoadProblem();
    if (!isNativeName(fileName))
        return errFileType;
    Transform->reset();
    return readFile(fileName);
}

// An ".hx" name that arrives here is scanned like a surface; the application
// sends scenes to readHxList instead.
qint32 ModelClass::readFile(const QString &fileName)
{
    if (!FileName.isEmpty())
        clearData();
    FileName = fileName;
    Name = QFileInfo(fileName).fileName();
    const qint32 code = readSurf(*this, fileName);
    if (!FunctionNames.isEmpty())
        FunctionLocation = 1;
    else if (!CellFunctionNames.isEmpty())
        FunctionLocation = 2;
    return code;
}
