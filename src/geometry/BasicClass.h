#pragma once

#include "DrawSettings.h"
#include "Types.h"

#include <QString>

// What every block of a model has: vertices, vertex functions, bounding data,
// function ranges, a copy of the model's drawing switches, colours, the derived
// drawing arrays and the ids of its five display lists. All arrays are owned
// raw arrays from the C allocator, released by clear().
class BasicClass
{
public:
    BasicClass();
    virtual ~BasicClass();

    BasicClass(const BasicClass &) = delete;
    BasicClass &operator=(const BasicClass &) = delete;

    // Sets every count to 0, every pointer to null and every switch to its
    // default, without releasing anything.
    virtual void init();
    // Deletes the display lists and releases every owned array; a cleared
    // block is an empty block.
    virtual void clear();

    void copySettingsTo(BasicClass &target) const;
    // copySettingsTo, then fresh copies of the geometry and the drawing arrays.
    void copyTo(BasicClass &target) const;
    qint32 computeSize();
    // The number (from 0) of the first vertex with a coordinate that is not a
    // finite number (NaN or infinite), or -1 when every vertex is finite.
    // Readers refuse such blocks: one such point poisons the box, the centre
    // and the scale of the whole view.
    qint32 firstNonFiniteVertex() const;

    // Colours, set by the constructor only.
    Rgba PointColor {0.125f, 0.125f, 0.125f, 1.0f};
    Rgba EdgeColor {0.125f, 0.125f, 0.125f, 1.0f};
    Rgba FrontColor {0.125f, 0.125f, 0.75f, 1.0f};
    Rgba BackColor {0.125f, 0.75f, 0.125f, 1.0f};
    Rgba PlainColor {1.0f, 1.0f, 1.0f, 1.0f};
    Rgba CustomColor {0.0f, 0.0f, 0.0f, 1.0f}; // replaces the colour mode when any RGB is not 0
    Rgba MarkedEdgeColor {1.0f, 0.0f, 0.0f, 1.0f};
    Rgba SelectionColor {1.0f, 0.0f, 0.0f, 1.0f};
    Rgba IsolineColor {1.0f, 1.0f, 1.0f, 1.0f};

    // Bounding data, written by computeSize.
    float BoxMin[3];
    float BoxMax[3];
    float HalfSize[3];
    float Center[3]; // mean of the vertices, not the box centre
    float Radius;    // largest distance of a vertex from Center
    float ExtentSum; // box diagonal plus the distance of the box centre from the origin

    float *FuncMin; // per vertex function
    float *FuncMax;
    float *CellFuncMin; // per cell function
    float *CellFuncMax;

    quint8 SelectEnabled;
    qint32 ZoneNumber;
    DrawSettings Settings;
    QString Name;

    qint32 CountOfVertices;
    _DREAL *Vertices; // x, y, z per vertex
    qint32 CountOfCellFunctions;
    qint32 CountOfFunctions;
    _DREAL **Functions;    // CountOfFunctions arrays of CountOfVertices values
    quint8 *FunctionFlags; // the function the OFF and MESH writers export
    float *VertexData;     // VertexDataWidth values per vertex
    qint32 VertexDataWidth;

    // Derived drawing arrays, rebuilt from the cells and never stored in files.
    float *EdgeLines; // x, y, z per line end
    qint32 CountOfEdgeLineVertices;
    qint32 *MarkedEdges; // vertex number pairs
    qint32 CountOfMarkedEdgeIndices;
    float *TriVertices; // x, y, z per triangle corner
    float *TriNormals;
    qint32 CountOfTriVertices;
    float *SelTriVertices;
    float *SelTriNormals;
    qint32 CountOfSelTriVertices;
    float *TriTexCoords; // one per corner
    Rgba8 *TriColors;    // one per corner
    float *IsoVertices;
    Rgba8 *IsoColors;
    qint32 CountOfIsoVertices;
    _DREAL *ViewPoints;
    qint32 *ViewPointIndices;
    qint32 CountOfViewPoints;

    quint32 DisplayLists; // first of five: points, edges, faces, selection, isolines
    qint32 ZoneColor[3];  // last colour given by the model's setColor, -1 while unset

protected:
    void initBasic();
    void releaseBasic();
};
