#include "formats/FileKinds.h"

void nameModel(ModelClass &model, const QString &path)
{
    model.Name = kindStem(path);
}
