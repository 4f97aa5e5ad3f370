#include "ModelListClass.h"

#include "../geometry/Status.h"
#include "SceneClass.h"

ModelListClass::ModelListClass()
{
    reset();
    ActiveIndex = 0;
}

ModelListClass::~ModelListClass()
{
    destroyAll();
}

void ModelListClass::destroyAll()
{
    // Children first, so that no model outlives a parent it points to.
    for (qsizetype i = Models.size() - 1; i >= 0; --i)
        delete Models.at(i);
    Models.clear();
}

void ModelListClass::reset()
{
    destroyAll();
    Models.append(new SceneClass);
}

ModelClass *ModelListClass::scene() const
{
    return Models.isEmpty() ? nullptr : Models.first();
}

ModelClass *ModelListClass::at(qsizetype index) const
{
    return index >= 0 && index < Models.size() ? Models.at(index) : nullptr;
}

ModelClass *ModelListClass::active() const
{
    return at(ActiveIndex);
}

qsizetype ModelListClass::indexOf(const ModelClass *model) const
{
    return Models.indexOf(const_cast<ModelClass *>(model));
}

void ModelListClass::append(ModelClass *model, ModelClass *parent)
{
    Models.append(model);
    connect(model, &ModelClass::changeVisible, this, &ModelListClass::repaint);
    if (parent) {
        model->setParent(parent);
        parent->setVisible(false);
    } else {
        model->setParent(Models.size() > 1 ? Models.first() : nullptr);
    }
    qCDebug(lcTrace) << "ModelListClass::append";
    emit updateList();
}

void ModelListClass::remove(qsizetype index)
{
    if (index < 0 || index >= Models.size())
        return;
    ModelClass *model = Models.takeAt(index);
    model->setParent(nullptr);
    delete model;
    emit updateList();
}

void ModelListClass::repaint()
{
    emit _repaint();
}
