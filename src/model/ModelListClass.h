#pragma once

#include "ModelClass.h"

#include <QList>
#include <QObject>

// The register of models: a flat list that owns every model, with the scene
// at entry 0, kept in step with the model tree. It forwards every visibility
// change of a model as a repaint request.
class ModelListClass : public QObject
{
    Q_OBJECT

public:
    ModelListClass();
    ~ModelListClass() override;

    void reset();
    ModelClass *scene() const;
    ModelClass *at(qsizetype index) const;
    ModelClass *active() const;
    void append(ModelClass *model, ModelClass *parent = nullptr);
    void remove(qsizetype index);
    qsizetype count() const { return Models.size(); }
    qsizetype indexOf(const ModelClass *model) const;

    QList<ModelClass *> Models;
    qint32 ActiveIndex = 0;

public slots:
    void repaint();

signals:
    void updateList();
    void _repaint();

private:
    void destroyAll();
};
