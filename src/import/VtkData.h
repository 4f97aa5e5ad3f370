#pragma once

#include <QString>

#include <vector>

class MeshClass;
class ModelClass;

// A legacy VTK dataset as read, before it becomes a block.
struct VtkData
{
    // Cells as the file lists them: cell c has type types[c] and the points
    // ids[offsets[c]..offsets[c + 1]).
    struct Cells
    {
        std::vector<qint64> types;
        std::vector<qint64> offsets = {0};
        std::vector<qint64> ids;
        qint64 count() const { return qint64(offsets.size()) - 1; }
    };

    // A named array of values per point or per cell, `components` each.
    struct Array
    {
        QString name;
        bool perCell = false;
        int components = 1;
        bool integral = true; // of an integer type
        std::vector<double> values;
    };

    std::vector<double> points; // x, y, z each
    Cells cells;
    std::vector<Array> arrays;

    qint64 pointCount() const { return qint64(points.size() / 3); }
};

// Builds the block of the dataset into the model (its functions' names
// included). Fails (ImportFailure) on a cell that names a point the file
// does not have or has too few points for its type.
void addVtkBlock(const VtkData &data, ModelClass &model);
