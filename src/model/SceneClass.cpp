#include "SceneClass.h"

SceneClass::SceneClass()
{
    Name = tr("Scene");
    FileName = Name;
    Transform->reset();
}
