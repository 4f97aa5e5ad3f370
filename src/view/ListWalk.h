#pragma once

#include "model/ModelListClass.h"

#include <functional>

// Walks of the model list shared by the view and its commands. Entry 0 is
// the scene; the models are entries 1 ..
inline void forEveryModel(ModelListClass &list, const std::function<void(ModelClass &)> &f)
{
    for (qsizetype i = 1; i < list.count(); ++i)
        f(*list.at(i));
}

// The model at `index`, or null for the scene and beyond the list's ends.
inline ModelClass *userModel(const ModelListClass &list, qsizetype index)
{
    return index >= 1 && index < list.count() ? list.at(index) : nullptr;
}

// Largest extent of a model and its children, scaled by their zoom.
inline float treeRadius(const ModelClass *model)
{
    return model ? model->sceneRadius() : 0.0f;
}

// Turns every model about the eye's x (axis 0), y (1) or z (2) axis.
void rotateEveryModel(ModelListClass &list, int axis, float angle);
// Copies model 1's matrix to every other model, then the current model's
// (when a model is current) to every other one.
void copyTransforms(ModelListClass &list);
// Centres the target's camera on the vertex picked in `picked`.
void centreOnPicked(ModelClass &target, const ModelClass &picked);
