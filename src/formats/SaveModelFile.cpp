#include "SaveModelFile.h"

#include "Writers.h"
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
    const auto names = [&](const char *word) {
        return format.contains(QLatin1StringView(word), Qt::CaseInsensitive);
    };
    // Tried in this order; "StarCD(*.vrt)" contains none of the words before its own.
    if (names("OFF"))
        return writeOFF(*model, fileName, options.saveColorAsMat, options.saveMatInOFF);
    if (names("MESH"))
        return writeMESH(*model, fileName, options.saveColorAsMat);
    if (names("VTK"))
        return writeVTK(*model, fileName);
    if (names("OBJ"))
        return writeOBJ(*model, fileName);
    if (names("PLY"))
        return writePLY(*model, fileName);
    if (names("DAT"))
        return writeDAT(*model, fileName);
    if (names("StarCD"))
        return writeStarCD(*model, fileName);
    if (names("STL"))
        return binary ? writeBinarySTL(*model, fileName) : writeTextSTL(*model, fileName);
    return 0;
}
