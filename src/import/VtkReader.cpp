#include "VtkReader.h"

#include "ImportTypes.h"
#include "ImportedModel.h"
#include "VtkData.h"
#include "VtkStream.h"
#include "formats/FileBytes.h"
#include "model/ModelClass.h"

#include <array>

namespace {

// VTK's cell types of the four polydata sections, in the order the format
// numbers their cells: vertices, lines, polygons, strips.
constexpr int kPolyVertex = 2, kPolyLine = 4, kPolygon = 7, kStrip = 6;
constexpr std::array<const char *, 4> kPolySections = {"VERTICES", "LINES", "POLYGONS",
                                                       "TRIANGLE_STRIPS"};
constexpr std::array<int, 4> kPolyTypes = {kPolyVertex, kPolyLine, kPolygon, kStrip};

bool isIntegerType(const QByteArray &type)
{
    const QByteArray t = type.toLower();
    return t != "float" && t != "double";
}

class VtkParser
{
public:
    explicit VtkParser(QByteArrayView bytes)
        : in(bytes)
    { }

    VtkData run()
    {
        readHeader();
        while (!in.atEnd())
            section(in.word().toUpper());
        if (data.points.empty() && cellsRead)
            failImport(Import::tr("The VTK file has cells but no POINTS."));
        for (size_t s = 0; s < polySections.size(); ++s)
            append(polySections[s]);
        if (qint64(data.cells.types.size()) != data.cells.count())
            failImport(Import::tr("The VTK file gives %1 cell types for %2 cells.")
                           .arg(data.cells.types.size())
                           .arg(data.cells.count()));
        return std::move(data);
    }

private:
    void readHeader()
    {
        if (!in.line().trimmed().startsWith("# vtk DataFile"))
            failImport(Import::tr("This is not a legacy VTK file: its first line is not "
                                  "\"# vtk DataFile Version ...\"."));
        in.line(); // the title
        const QByteArray format = in.line().trimmed().toUpper();
        if (format != "ASCII" && format != "BINARY")
            failImport(Import::tr("The VTK file's third line must be ASCII or BINARY."));
        binaryFile = format == "BINARY";
        in.setBinary(binaryFile);
    }

    void section(const QByteArray &keyword)
    {
        if (keyword == "DATASET")
            dataset();
        else if (keyword == "POINTS")
            points();
        else if (keyword == "CELLS")
            cellList(data.cells, 0);
        else if (keyword == "CELL_TYPES")
            cellTypes();
        else if (const auto s = std::find(kPolySections.begin(), kPolySections.end(), keyword);
                 s != kPolySections.end())
            cellList(polySections[size_t(s - kPolySections.begin())],
                     kPolyTypes[size_t(s - kPolySections.begin())]);
        else if (keyword == "POINT_DATA" || keyword == "CELL_DATA")
            attributeBlock(keyword == "CELL_DATA");
        else if (keyword == "SCALARS")
            scalars();
        else if (keyword == "FIELD")
            field();
        else if (keyword == "METADATA")
            in.skipToBlankLine();
        else if (!skipAttribute(keyword))
            failImport(Import::tr("The VTK file has a section this reader does not know: %1")
                           .arg(QString::fromLatin1(keyword.left(40))));
    }

    void dataset()
    {
        const QByteArray kind = in.requiredWord("the dataset type").toUpper();
        if (kind != "POLYDATA" && kind != "UNSTRUCTURED_GRID")
            failImport(Import::tr("The VTK dataset %1 is not read; POLYDATA and "
                                  "UNSTRUCTURED_GRID are.")
                           .arg(QString::fromLatin1(kind.left(40))));
    }

    void points()
    {
        const qint64 count = in.count("the number of points");
        const QByteArray type = in.requiredWord("the type of the points");
        if (!data.points.empty())
            failImport(Import::tr("The VTK file has two POINTS sections."));
        in.numbers(3 * count, type, data.points);
    }

    // "KEYWORD n size" and n cells of (count, ids...), or "KEYWORD offsets
    // size" followed by OFFSETS and CONNECTIVITY blocks. `type` is the cell
    // type of a polydata section; CELLS get theirs from CELL_TYPES.
    void cellList(VtkData::Cells &cells, int type)
    {
        const qint64 first = in.count("a number of cells");
        const qint64 size = in.count("the size of a cell list");
        cellsRead = true;
        if (cells.count() > 0)
            failImport(Import::tr("The VTK file lists the same kind of cells twice."));
        if (in.nextLineStartsWith("OFFSETS")) {
            offsetList(cells, first, size);
        } else {
            std::vector<qint64> list;
            in.integers(size, "int", list);
            for (size_t at = 0; at < list.size();) {
                const qint64 n = list[at];
                if (n < 0 || qint64(list.size() - at - 1) < n)
                    failImport(Import::tr("A cell of the VTK file lists more points than its "
                                          "cell list holds."));
                cells.ids.insert(cells.ids.end(), list.begin() + qsizetype(at + 1),
                                 list.begin() + qsizetype(at + 1 + size_t(n)));
                cells.offsets.push_back(qint64(cells.ids.size()));
                at += size_t(n) + 1;
            }
            if (cells.count() != first)
                failImport(Import::tr("The VTK file announces %1 cells and lists %2.")
                               .arg(first)
                               .arg(cells.count()));
        }
        if (type)
            cells.types.assign(size_t(cells.count()), type);
    }

    void offsetList(VtkData::Cells &cells, qint64 offsets, qint64 size)
    {
        in.requiredWord("OFFSETS");
        std::vector<qint64> at;
        in.integers(offsets, in.requiredWord("the type of the offsets"), at);
        if (in.requiredWord("CONNECTIVITY").toUpper() != "CONNECTIVITY")
            failImport(Import::tr("The VTK file's OFFSETS are not followed by CONNECTIVITY."));
        in.integers(size, in.requiredWord("the type of the connectivity"), cells.ids);
        if (at.empty() || at.front() != 0 || at.back() != size)
            failImport(Import::tr("The VTK file's cell offsets do not span its connectivity."));
        for (size_t c = 1; c < at.size(); ++c)
            if (at[c] < at[c - 1])
                failImport(Import::tr("The VTK file's cell offsets go backwards."));
        cells.offsets = std::move(at);
    }

    void cellTypes()
    {
        const qint64 count = in.count("the number of cell types");
        in.integers(count, "int", data.cells.types);
    }

    void attributeBlock(bool perCell)
    {
        cellData = perCell;
        tuples = in.count("the number of values");
    }

    // SCALARS name type [components], an optional LOOKUP_TABLE line, values.
    void scalars()
    {
        VtkData::Array array;
        array.name = QString::fromUtf8(in.requiredWord("the name of the scalars"));
        const QByteArray type = in.requiredWord("the type of the scalars");
        const QByteArray rest = in.line().trimmed();
        array.components = rest.isEmpty() ? 1 : rest.toInt();
        if (array.components < 1 || array.components > 4)
            failImport(Import::tr("The VTK scalars %1 have %2 components; 1 to 4 are allowed.")
                           .arg(array.name, QString::fromLatin1(rest.left(20))));
        if (in.nextWordIs("LOOKUP_TABLE")) {
            in.word();
            in.word();
        }
        readArray(array, type, tuples);
    }

    // FIELD name n, then n arrays: name components tuples type, values.
    void field()
    {
        in.requiredWord("the name of the field");
        const qint64 arrays = in.count("the number of field arrays");
        for (qint64 a = 0; a < arrays; ++a) {
            VtkData::Array array;
            array.name = QString::fromUtf8(in.requiredWord("the name of a field array"));
            const qint64 components = in.count("the components of a field array");
            const qint64 count = in.count("the number of tuples of a field array");
            const QByteArray type = in.requiredWord("the type of a field array");
            if (components < 1 || components > 16 || tuples < 0 || count != tuples) {
                in.skip(components * count, type); // data of the whole dataset, or unusable
            } else {
                array.components = int(components);
                readArray(array, type, count);
            }
            if (in.nextWordIs("METADATA")) {
                in.word();
                in.skipToBlankLine();
            }
        }
    }

    void readArray(VtkData::Array &array, const QByteArray &type, qint64 count)
    {
        if (tuples < 0)
            failImport(Import::tr("The VTK file has data values before POINT_DATA or CELL_DATA."));
        array.perCell = cellData;
        array.integral = isIntegerType(type);
        in.numbers(count * array.components, type, array.values);
        data.arrays.push_back(std::move(array));
    }

    // Attributes that are read past: vectors, normals, texture coordinates,
    // tensors, colours and lookup tables.
    bool skipAttribute(const QByteArray &keyword)
    {
        if (keyword == "VECTORS" || keyword == "NORMALS" || keyword == "TENSORS") {
            in.requiredWord("a name");
            in.skip((keyword == "TENSORS" ? 9 : 3) * std::max<qint64>(tuples, 0),
                    in.requiredWord("a type"));
        } else if (keyword == "TEXTURE_COORDINATES") {
            in.requiredWord("a name");
            const qint64 dimension = in.count("a dimension");
            in.skip(dimension * std::max<qint64>(tuples, 0), in.requiredWord("a type"));
        } else if (keyword == "COLOR_SCALARS") {
            in.requiredWord("a name");
            const qint64 values = in.count("a number of colour values");
            in.skip(values * std::max<qint64>(tuples, 0), colourType());
        } else if (keyword == "LOOKUP_TABLE") {
            in.requiredWord("a name");
            const qint64 size = in.count("a table size");
            in.skip(4 * size, colourType());
        } else {
            return false;
        }
        return true;
    }

    // Colours are bytes in a binary file and numbers 0..1 in a text one.
    QByteArray colourType() const { return binaryFile ? "unsigned_char" : "float"; }

    void append(const VtkData::Cells &section)
    {
        VtkData::Cells &all = data.cells;
        const qint64 base = qint64(all.ids.size());
        all.ids.insert(all.ids.end(), section.ids.begin(), section.ids.end());
        for (size_t c = 1; c < section.offsets.size(); ++c)
            all.offsets.push_back(base + section.offsets[c]);
        all.types.insert(all.types.end(), section.types.begin(), section.types.end());
    }

    VtkStream in;
    VtkData data;
    std::array<VtkData::Cells, 4> polySections;
    bool cellsRead = false;
    bool cellData = false;
    bool binaryFile = false;
    qint64 tuples = -1;
};

} // namespace

void parseVtk(QByteArrayView bytes, ModelClass &model)
{
    addVtkBlock(VtkParser(bytes).run(), model);
}

void importVtkFile(const Recognition &recognised, std::vector<std::unique_ptr<ModelClass>> &models)
{
    FileBytes file;
    if (file.open(recognised.path) != 0)
        failImport(Import::tr("The file cannot be opened."));
    auto model = std::make_unique<ModelClass>();
    model->FileName = recognised.path;
    parseVtk(file.bytes(), *model);
    nameFromStem(*model, recognised.stem);
    settleFunctionLocation(*model);
    models.push_back(std::move(model));
}
