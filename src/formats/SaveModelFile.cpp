#include "SaveModelFile.h"

#include "FileKinds.h"
#include "geometry/Status.h"
#include "model/ModelClass.h"

#include <algorithm>

qint32 saveModelFile(const ModelClass *model, const QString &format, const QString &fileName,
                     bool binary, const WriterOptions &options)
{
    if (!model)
        return 0;
    // The writers index vertices by the cells' numbers: a block whose numbers
    // leave its arrays is refused rather than written.
    if (std::any_of(model->Meshes.begin(), model->Meshes.end(),
                    [](const MeshClass *mesh) { return mesh->checkIndices(); }))
        return errUnknown;
    const FileKindRow *kind = writerForFormat(format);
    return kind ? kind->writer(*model, fileName, binary, options) : 0;
}
