#include "OutputFile.h"
#include "StlTriangles.h"
#include "Writers.h"

namespace {

void writeCorner(OutputBuffer &out, const _DREAL *p)
{
    out.text("\n      vertex ");
    out.gTriple(p);
}

void writeSolid(OutputBuffer &out, const ModelClass &model)
{
    const QString title = model.title();
    out.text("solid ");
    out.utf8(title);
    out.ch('\n');
    // Every facet carries the same normal (1, 0, 0).
    forEachStlTriangle(model, [&](const MeshClass &mesh, qint32 a, qint32 b, qint32 c) {
        out.text("  facet normal 1 0 0\n    outer loop");
        for (qint32 v : {a, b, c})
            writeCorner(out, mesh.Vertices + 3 * qint64(v));
        out.text("\n    endloop\n  endfacet\n");
    });
    out.text("endsolid ");
    out.utf8(title);
}

} // namespace

qint32 writeTextSTL(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::Stl, true, "writeTextSTL",
                        [&](OutputBuffer &out) { writeSolid(out, model); });
}
