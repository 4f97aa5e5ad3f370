#include "TopologyFrame.h"

namespace topology {

std::unique_ptr<ModelClass> startModel(const ModelClass &source, quint32 displayListBase)
{
    auto model = std::make_unique<ModelClass>();
    source.copyAttributesTo(*model);
    model->DisplayListBase = displayListBase;
    return model;
}

void finishModel(ModelClass &model, const ModelClass &source)
{
    model.Materials = source.Materials;
    model.ShownZones = source.ShownZones;
    model.ShownMaterials = source.ShownMaterials;
    // TransformShared stays 0 although the source's may be set:
    // copyAttributesTo gave the new model a camera record of its own, which
    // the flag would keep from ever being released.
    model.setParent(source.Parent);
}

void takeSettings(const MeshClass &from, MeshClass &to)
{
    from.copySettingsTo(to);
    to.CountOfFunctions = 0;
    to.CountOfCellFunctions = 0;
    freeArray(to.FuncMin);
    freeArray(to.FuncMax);
    freeArray(to.CellFuncMin);
    freeArray(to.CellFuncMax);
}

void releaseModelRanges(ModelClass &model)
{
    freeArray(model.ModelFuncMin);
    freeArray(model.ModelFuncMax);
    freeArray(model.ModelCellFuncMin);
    freeArray(model.ModelCellFuncMax);
}

void dropVertexFunctionNames(ModelClass &model)
{
    model.FunctionNames.clear();
    releaseModelRanges(model);
    if (model.FunctionLocation == 1) {
        model.FunctionLocation = model.CellFunctionNames.isEmpty() ? 0 : 2;
        model.CurrentFunction = 0;
    }
}

} // namespace topology
