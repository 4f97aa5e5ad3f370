#pragma once

#include <QList>
#include <QtGlobal>

#include <vector>

class MeshClass;
class ModelClass;

// Operations that derive a new model from existing ones, or rewrite the cells
// of a model in place.
//
// Every operation that returns a model builds it the same way: defaults, then
// the source's attributes (copyAttributesTo); the caller's `displayListBase`,
// block n drawing the five lists from displayListBase + 5n (0 leaves the
// lists to whoever adds the model to a view); the blocks the operation
// produces, a block that cannot be produced (no memory, or cells that name
// vertices the source block does not have) being left out; copies of the
// source's material, zone and shown-material lists; the source's parent. The
// caller owns the result; null means no model could be made.

// A full copy of every block.
ModelClass *cloneFull(const ModelClass &source, quint32 displayListBase);

// Per block, the cells whose CellVisible flag is set (fromVisible; a block or
// type without those flags counts as all visible) or whose CellSelected flag
// is set (a block without them has nothing selected), with only the vertices
// they use. Every block gets the vertex function "OldVrtIndx" (the vertex's
// number in the source block) and the cell function "OldCllIndx" (the cell's
// number within its type in the source block).
ModelClass *cloneFlagged(const ModelClass &source, quint32 displayListBase, bool fromVisible);

// The outer surface of every block: the faces of the volume cells that no
// other volume cell shares, then the block's polygon cells. The blocks keep
// the source's vertices and numbering but no functions and no materials; the
// model keeps the source's function names and their location. The model is
// prepared for drawing. Null when no block could be produced.
ModelClass *createSurface(const ModelClass &source, quint32 displayListBase);

// The faces of the block's volume cells that no other volume cell shares,
// with `corners` (3 or 4) nodes each in the face tables' orientation: the
// outer surface createSurface builds its blocks from.
std::vector<qint32> outerVolumeFaces(const MeshClass &block, int corners);

// Copies the blocks with their degenerate hexahedra turned into tetrahedra:
// (a a a a b c d d) becomes (a b c d), (a b c c d d d d) becomes (a b c d).
// Vertex functions are dropped; materials and cell functions follow their
// cells. Null when no block could be produced.
ModelClass *makeTopologyMergeVertices(const ModelClass &source, quint32 displayListBase);

// Merges the vertices of every block that agree in their first significant
// digits: with d the number of times eps must be multiplied by 10 to reach 1,
// coordinates written with d digits after the point of their scientific
// notation are compared. Cells refer to the first vertex of each such group;
// the vertex arrays are compacted in their old order; the model is prepared
// again. Returns 0, or errUnknown for an eps that is not a positive number
// (nothing changes then).
qint32 splice(ModelClass &model, double eps);

// Join modes, as the preferences name them.
// The numbers are those of the settings file's "join".
enum class JoinMode : qint32 {
    OneZone = 0,         // one block, material numbers unchanged
    UniqueMaterials = 1, // one block, each model's materials after the previous model's
    SeveralZones = 2,    // every block copied as a zone of its own
};

// Joins the models, in the given order, into a new model named "Joint model"
// that takes the first model's attributes and parent. In one block the
// vertices follow each other in model and block order and the cells are
// renumbered to match; vertex functions, and likewise cell functions, are
// kept when every model has the same number of names for them. With unique
// materials each model's numbers are shifted past the largest number of the
// models before it (of their lists and of their cells). As zones,
// every block is a full copy named and numbered by its index, every zone is
// shown and the materials are those of all the models. Null for an empty list.
ModelClass *joinModels(const QList<const ModelClass *> &models, JoinMode mode,
                       quint32 displayListBase);

// Which cells a material change rewrites.
enum class MaterialChange {
    OfMaterial = 1,         // every cell of the old material
    SelectedOfMaterial = 2, // every selected cell of the old material
    Selected = 3,           // every selected cell
};

// Rewrites material numbers of every block, the cells `which` names. A block
// without materials counts as material 0 and gets material arrays when one of
// its cells changes. A negative new material changes nothing. The model is
// prepared again.
void changeMaterial(ModelClass &model, MaterialChange which, qint32 oldMaterial,
                    qint32 newMaterial);

// The largest material number the material dialogs offer.
constexpr int kMaxMaterialNumber = 21474444;

// Turns six cell functions (two per corner of a triangle) into two vertex
// functions "CellFunc0" and "CellFunc1": the first three corners of every
// cell get vertices of their own, appended after the old ones, carrying the
// two values of that corner; cell functions 6 and above stay. Cells of every
// type are treated alike: corners beyond the third keep their old vertex,
// which is why the old vertices stay (with 0 in the two new functions).
// Returns 0, or errUnknown (nothing changes) when a block with cells carries
// fewer than six cell functions or names vertices it does not have.
qint32 convertCellFuncsToVertFuncs(ModelClass &model);
