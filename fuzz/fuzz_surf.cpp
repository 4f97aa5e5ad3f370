// Fuzz target: the .surf reader and everything a model builds from the block
// it accepts (index check, sizes, visible faces, triangles, edges, points,
// border edges and the statistics report).

#include "formats/SurfReader.h"
#include "model/ModelInfo.h"
#include "model/ModelListClass.h"

#include <QByteArrayView>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto *mesh = new MeshClass;
    if (parseSurf(QByteArrayView(data, qsizetype(size)), *mesh) != 0) {
        delete mesh;
        return 0;
    }
    ModelListClass list;
    auto *model = new ModelClass;
    model->Meshes.append(mesh);
    if (mesh->checkIndices())
        __builtin_trap(); // the reader must never hand over a bad block
    model->prepareData();
    model->setEdgesMode(1);
    model->SmoothNormals = size % 2;
    model->prepareDraw();
    list.append(model);
    list.ActiveIndex = 1;
    QString title, text;
    modelInfo(list, title, text);
    return 0;
}
