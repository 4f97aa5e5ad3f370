#include "BasicClass.h"

#include "Alloc.h"
#include "DrawingBackend.h"

#include <algorithm>
#include <cmath>
#include <limits>

BasicClass::BasicClass()
{
    initBasic();
    DisplayLists = 0;
    std::fill(std::begin(ZoneColor), std::end(ZoneColor), -1);
}

BasicClass::~BasicClass()
{
    releaseBasic();
}

void BasicClass::init()
{
    initBasic();
}

void BasicClass::initBasic()
{
    Name.clear();
    std::fill(std::begin(BoxMin), std::end(BoxMin), 0.0f);
    std::fill(std::begin(BoxMax), std::end(BoxMax), 0.0f);
    std::fill(std::begin(HalfSize), std::end(HalfSize), 0.0f);
    std::fill(std::begin(Center), std::end(Center), 0.0f);
    Radius = 0;
    ExtentSum = 0;
    FuncMin = FuncMax = CellFuncMin = CellFuncMax = nullptr;
    SelectEnabled = 0;
    ZoneNumber = 0;
    Settings = DrawSettings();
    CountOfVertices = 0;
    Vertices = nullptr;
    CountOfCellFunctions = 0;
    CountOfFunctions = 0;
    Functions = nullptr;
    FunctionFlags = nullptr;
    VertexData = nullptr;
    VertexDataWidth = 0;
    EdgeLines = nullptr;
    CountOfEdgeLineVertices = 0;
    MarkedEdges = nullptr;
    CountOfMarkedEdgeIndices = 0;
    TriVertices = TriNormals = nullptr;
    CountOfTriVertices = 0;
    SelTriVertices = SelTriNormals = nullptr;
    CountOfSelTriVertices = 0;
    TriTexCoords = nullptr;
    TriColors = nullptr;
    IsoVertices = nullptr;
    IsoColors = nullptr;
    CountOfIsoVertices = 0;
    ViewPoints = nullptr;
    ViewPointIndices = nullptr;
    CountOfViewPoints = 0;
}

void BasicClass::clear()
{
    releaseBasic();
    init();
}

void BasicClass::releaseBasic()
{
    if (DisplayLists != 0)
        if (DrawingBackend *backend = drawingBackend())
            backend->deleteLists(DisplayLists, 5);
    freeArray(Vertices);
    if (Functions)
        for (qint32 f = 0; f < CountOfFunctions; ++f)
            std::free(Functions[f]);
    freeArray(Functions);
    freeArray(FunctionFlags);
    freeArray(VertexData);
    freeArray(FuncMin);
    freeArray(FuncMax);
    freeArray(CellFuncMin);
    freeArray(CellFuncMax);
    freeArray(EdgeLines);
    freeArray(MarkedEdges);
    freeArray(TriVertices);
    freeArray(TriNormals);
    freeArray(SelTriVertices);
    freeArray(SelTriNormals);
    freeArray(TriTexCoords);
    freeArray(TriColors);
    freeArray(IsoVertices);
    freeArray(IsoColors);
    freeArray(ViewPoints);
    freeArray(ViewPointIndices);
}

void BasicClass::copySettingsTo(BasicClass &target) const
{
    target.PointColor = PointColor;
    target.EdgeColor = EdgeColor;
    target.FrontColor = FrontColor;
    target.BackColor = BackColor;
    target.PlainColor = PlainColor;
    target.CustomColor = CustomColor;
    target.MarkedEdgeColor = MarkedEdgeColor;
    target.SelectionColor = SelectionColor;
    target.IsolineColor = IsolineColor;
    std::copy(std::begin(BoxMin), std::end(BoxMin), target.BoxMin);
    std::copy(std::begin(BoxMax), std::end(BoxMax), target.BoxMax);
    std::copy(std::begin(HalfSize), std::end(HalfSize), target.HalfSize);
    std::copy(std::begin(Center), std::end(Center), target.Center);
    target.Radius = Radius;
    target.ExtentSum = ExtentSum;
    freeArray(target.FuncMin);
    freeArray(target.FuncMax);
    freeArray(target.CellFuncMin);
    freeArray(target.CellFuncMax);
    target.CountOfFunctions = CountOfFunctions;
    target.CountOfCellFunctions = CountOfCellFunctions;
    if (CountOfFunctions != 0) {
        target.FuncMin = copyArray(FuncMin, CountOfFunctions);
        target.FuncMax = copyArray(FuncMax, CountOfFunctions);
    }
    if (CountOfCellFunctions != 0) {
        target.CellFuncMin = copyArray(CellFuncMin, CountOfCellFunctions);
        target.CellFuncMax = copyArray(CellFuncMax, CountOfCellFunctions);
    }
    target.SelectEnabled = SelectEnabled;
    target.ZoneNumber = ZoneNumber;
    target.Settings = Settings;
    target.Name = Name;
}

void BasicClass::copyTo(BasicClass &target) const
{
    target.clear();
    copySettingsTo(target);
    target.CountOfVertices = CountOfVertices;
    target.Vertices = copyArray(Vertices, 3 * qint64(CountOfVertices));
    if (Functions) {
        target.Functions = allocZeroed<_DREAL *>(CountOfFunctions);
        for (qint32 f = 0; f < CountOfFunctions; ++f)
            target.Functions[f] = copyArray(Functions[f], CountOfVertices);
    }
    target.FunctionFlags = copyArray(FunctionFlags, CountOfFunctions);
    target.VertexDataWidth = VertexDataWidth;
    target.VertexData = copyArray(VertexData, qint64(VertexDataWidth) * CountOfVertices);
    target.CountOfEdgeLineVertices = CountOfEdgeLineVertices;
    target.EdgeLines = copyArray(EdgeLines, 3 * qint64(CountOfEdgeLineVertices));
    target.CountOfMarkedEdgeIndices = CountOfMarkedEdgeIndices;
    target.MarkedEdges = copyArray(MarkedEdges, CountOfMarkedEdgeIndices);
    target.CountOfTriVertices = CountOfTriVertices;
    target.TriVertices = copyArray(TriVertices, 3 * qint64(CountOfTriVertices));
    target.TriNormals = copyArray(TriNormals, 3 * qint64(CountOfTriVertices));
    target.TriTexCoords = copyArray(TriTexCoords, CountOfTriVertices);
    target.TriColors = copyArray(TriColors, CountOfTriVertices);
    target.CountOfIsoVertices = CountOfIsoVertices;
    target.IsoVertices = copyArray(IsoVertices, 3 * qint64(CountOfIsoVertices));
    target.IsoColors = copyArray(IsoColors, CountOfIsoVertices);
    target.CountOfViewPoints = CountOfViewPoints;
    target.ViewPoints = copyArray(ViewPoints, 3 * qint64(CountOfViewPoints));
    target.ViewPointIndices = copyArray(ViewPointIndices, CountOfViewPoints);
}

qint32 BasicClass::firstNonFiniteVertex() const
{
    // A branch-free pass first (it vectorises: NaN fails every comparison),
    // the search for the first culprit only when there is one.
    constexpr _DREAL kLargest = std::numeric_limits<_DREAL>::max();
    const qint64 values = 3 * qint64(CountOfVertices);
    bool allFinite = true;
    for (qint64 i = 0; i < values; ++i)
        allFinite &= std::abs(Vertices[i]) <= kLargest;
    if (allFinite)
        return -1;
    for (qint64 i = 0; i < values; ++i)
        if (!std::isfinite(Vertices[i]))
            return qint32(i / 3);
    return -1;
}

qint32 BasicClass::computeSize()
{
    return runGuarded("computeSize", [this] {
        const qint32 n = CountOfVertices;
        double center[3] = {0, 0, 0};
        for (int a = 0; a < 3; ++a) {
            BoxMin[a] = BoxMax[a] = n > 0 ? float(Vertices[a]) : 0.0f;
        }
        for (qint32 v = 0; v < n; ++v)
            for (int a = 0; a < 3; ++a) {
                const _DREAL c = Vertices[3 * v + a];
                BoxMin[a] = std::min(BoxMin[a], float(c));
                BoxMax[a] = std::max(BoxMax[a], float(c));
                center[a] += c;
            }
        for (int a = 0; a < 3; ++a) {
            HalfSize[a] = (BoxMax[a] - BoxMin[a]) * 0.5f;
            Center[a] = float(n != 0 ? center[a] / n : center[a]);
        }
        float largest = 0;
        for (qint32 v = 0; v < n; ++v) {
            float d2 = 0;
            for (int a = 0; a < 3; ++a) {
                const float d = float(Vertices[3 * v + a]) - Center[a];
                d2 += d * d;
            }
            largest = std::max(largest, d2);
        }
        Radius = std::sqrt(largest);
        if (CountOfFunctions > 0 && Functions) {
            freeArray(FuncMin);
            freeArray(FuncMax);
            FuncMin = allocArray<float>(CountOfFunctions);
            FuncMax = allocArray<float>(CountOfFunctions);
            for (qint32 f = 0; f < CountOfFunctions; ++f) {
                const _DREAL *values = Functions[f];
                _DREAL lo = n > 0 ? values[0] : 0, hi = lo;
                for (qint32 v = 1; v < n; ++v) {
                    lo = std::min(lo, values[v]);
                    hi = std::max(hi, values[v]);
                }
                FuncMin[f] = float(lo);
                FuncMax[f] = float(hi);
            }
        }
        float diagonal = 0, middle = 0;
        for (int a = 0; a < 3; ++a) {
            const float d = BoxMax[a] - BoxMin[a];
            const float m = (BoxMin[a] + BoxMax[a]) * 0.5f;
            diagonal += d * d;
            middle += m * m;
        }
        ExtentSum = std::sqrt(diagonal) + std::sqrt(middle);
    });
}
