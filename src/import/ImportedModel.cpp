#include "ImportedModel.h"

#include "ImportTypes.h"
#include "formats/FileKinds.h"
#include "model/AnatomyTable.h"
#include "model/ModelClass.h"

#include <cmath>

std::unique_ptr<ModelClass> importedModel(const QString &path, std::unique_ptr<MeshClass> mesh,
                                          const LabelLook &look)
{
    auto model = std::make_unique<ModelClass>();
    model->FileName = path;
    model->Name = look.name;
    model->Meshes.append(mesh.release());
    if (look.hasColor)
        model->setColor(look.rgb[0], look.rgb[1], look.rgb[2]);
    return model;
}

void nameFromStem(ModelClass &model, const QString &stem)
{
    // The file's own name stays the model's, as a label map's does; the
    // anatomy table, where a kidney is a kidney, gives the colour. (The older
    // file-word naming is for .surf and .hx files alone.)
    model.Name = stem;
    if (const std::optional<LabelLook> look = structureLook(stem)) {
        model.setColor(look->rgb[0], look->rgb[1], look->rgb[2]);
        return;
    }
    const anatomy::Structure structure = anatomy::structureNamedIn(stem);
    if (const anatomy::StructureRow *row = anatomy::rowOf(structure);
        row && structure != anatomy::Structure::Other && structure != anatomy::Structure::Marked)
        model.setColor(row->colour[0], row->colour[1], row->colour[2]);
}

void settleFunctionLocation(ModelClass &model)
{
    if (!model.FunctionNames.isEmpty())
        model.FunctionLocation = 1;
    else if (!model.CellFunctionNames.isEmpty())
        model.FunctionLocation = 2;
}

void requireFiniteVertices(const MeshClass &mesh)
{
    for (qint64 c = 0; c < 3 * qint64(mesh.CountOfVertices); ++c)
        if (!std::isfinite(mesh.Vertices[c]))
            failImport(
                Import::tr("Vertex %1 has a coordinate that is not a finite number.").arg(c / 3));
}
