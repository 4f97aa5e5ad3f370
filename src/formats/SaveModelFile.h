#pragma once

#include <QString>
#include <QtGlobal>

class ModelClass;

// The two settings that the OFF and MESH writers receive.
struct WriterOptions
{
    bool saveColorAsMat = true;
    bool saveMatInOFF = true;
};

// Chooses a writer by the first of the words OFF, MESH, VTK, OBJ, PLY, DAT,
// StarCD, STL and glTF that the format text (a save filter such as "OFF(*.off)")
// contains, ignoring case, and runs it on the model; `binary` picks binary
// STL. No model or no word: nothing is written and the result is 0. A model
// with a block whose cells name vertices it does not have gives 1.
qint32 saveModelFile(const ModelClass *model, const QString &format, const QString &fileName,
                     bool binary, const WriterOptions &options = {});
