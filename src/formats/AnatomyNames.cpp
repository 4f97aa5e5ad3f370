#include "AnatomyNames.h"

#include "../model/AnatomyTable.h"
#include "../model/ModelClass.h"

#include <algorithm>

bool applyAnatomyRow(ModelClass &model, QString stem)
{
    const std::optional<anatomy::FileNaming> naming = anatomy::nameFromFileWords(stem);
    if (!naming)
        return false;
    model.Name = naming->name;
    model.setColor(naming->colour[0], naming->colour[1], naming->colour[2]);
    return true;
}

void applyAnatomyName(ModelClass &model)
{
    applyAnatomyRow(model, model.Name.left(std::max<qsizetype>(0, model.Name.size() - 5)));
}
