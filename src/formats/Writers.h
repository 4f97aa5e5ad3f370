#pragma once

// The mesh writers. Each writes the whole model (all blocks, in list order)
// under the chosen name cut at the first "." of its last path component with
// the writer's own extension, through a temporary file that replaces an
// earlier file only when it was written completely. Each returns 0, or 2 when
// a file cannot be opened or committed (4 when memory runs out); an empty
// chosen name writes nothing and returns 0.

#include <QString>
#include <QtGlobal>

class ModelClass;
class OutputBuffer;

qint32 writeDAT(const ModelClass &model, const QString &fileName);
qint32 writeVTK(const ModelClass &model, const QString &fileName);
qint32 writeMESH(const ModelClass &model, const QString &fileName, bool saveColorAsMat);
qint32 writeOFF(const ModelClass &model, const QString &fileName, bool saveColorAsMat,
                bool saveMatInOFF);
qint32 writeTextSTL(const ModelClass &model, const QString &fileName);
qint32 writeBinarySTL(const ModelClass &model, const QString &fileName);
qint32 writePLY(const ModelClass &model, const QString &fileName);
qint32 writeOBJ(const ModelClass &model, const QString &fileName);
// Writes a ".vrt" and a ".cel" file; neither replaces an earlier file unless both were written.
qint32 writeStarCD(const ModelClass &model, const QString &fileName);

// The face lines that OFF, PLY and OBJ share: polygons of up to 99 nodes,
// then the faces of tetrahedra, pyramids, prisms and hexahedra, block by
// block. With `prefixes` each line starts with its node count, otherwise with
// "f"; vertex numbers count from `indexBase` across all blocks; with
// `materials` each line of a block that has materials ends with the cell's.
void writeFaceLines(const ModelClass &model, OutputBuffer &out, bool prefixes, int indexBase,
                    bool materials);
// The number of lines writeFaceLines writes.
qint64 countFaceLines(const ModelClass &model);
