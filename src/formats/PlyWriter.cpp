#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

namespace {

void writePly(OutputBuffer &out, const ModelClass &model)
{
    out.text("ply\nformat ascii 1.0\nelement vertex ");
    out.num(totalVertices(model));
    out.text("\nproperty float x\nproperty float y\nproperty float z\nelement face ");
    out.num(countFaceLines(model));
    out.text("\nproperty list uchar int vertex_index\nend_header\n");
    forEachVertex(model, [&](const _DREAL *xyz) {
        out.gTriple(xyz);
        out.ch('\n');
    });
    writeFaceLines(model, out, true, 0, false);
}

} // namespace

qint32 writePLY(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::Ply, true, "writePLY",
                        [&](OutputBuffer &out) { writePly(out, model); });
}
