#pragma once

#include "ModelClass.h"

// The root of the model tree, entry 0 of the model list.
class SceneClass : public ModelClass
{
    Q_OBJECT

public:
    SceneClass();
};
