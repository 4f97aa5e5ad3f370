#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

namespace {

void writeObj(OutputBuffer &out, const ModelClass &model)
{
    forEachVertex(model, [&](const _DREAL *xyz) {
        out.text("v ");
        out.gTriple(xyz);
        out.ch('\n');
    });
    writeFaceLines(model, out, false, 1, false);
}

} // namespace

qint32 writeOBJ(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::Obj, true, "writeOBJ",
                        [&](OutputBuffer &out) { writeObj(out, model); });
}
