#pragma once

#include <QByteArrayView>
#include <QString>

class MeshClass;
class ModelClass;

// Fills an empty block from the bytes of a binary .surf file: the vertices of
// the first "Vertices" section with a count, then the triangles of every
// "Triangles" section after them, all in one block; every other byte is
// skipped. Returns 0; 1 when a count is negative or promises more bytes than
// remain, a vertex is not a finite point (see loadProblem()) or a triangle
// names a vertex outside 1..N; 4 when memory runs out.
// On failure the block is left empty. Nothing is allocated before the counts
// have been checked against the bytes, so no input allocates beyond its size.
qint32 parseSurf(QByteArrayView bytes, MeshClass &mesh);

// Reads a .surf file into one new block, appends it to the model when the
// code is 0 and names and colours the model from its file name. A file that
// cannot be opened returns 2 and leaves the model untouched; one shortened
// while it is read returns 1.
qint32 readSurf(ModelClass &model, const QString &fileName);
