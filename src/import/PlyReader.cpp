#include "PlyReader.h"

#include "ImportTypes.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <limits>

namespace {

enum class Format { Ascii, Little, Big };

// A scalar type of the format: its size in bytes and how its bits read.
struct Type
{
    int bytes = 0;
    bool real = false;
    bool isSigned = false;
};

struct Property
{
    QByteArray name;
    Type type;
    bool list = false;
    Type countType; // of a list
};

struct Element
{
    QByteArray name;
    qint64 count = 0;
    std::vector<Property> properties;

    int find(QByteArrayView property) const
    {
        for (size_t p = 0; p < properties.size(); ++p)
            if (properties[p].name == property)
                return int(p);
        return -1;
    }
};

struct Header
{
    Format format = Format::Ascii;
    std::vector<Element> elements;
    qsizetype dataStart = 0;
};

// Elements and properties a header may declare: far more than any real file
// has, and few enough that a hostile header costs nothing.
constexpr size_t kMostElements = 64;
constexpr size_t kMostProperties = 256;

Type typeNamed(QByteArrayView name)
{
    static const std::pair<const char *, Type> kTypes[] = {
        {"char", {1, false, true}},    {"int8", {1, false, true}},    {"uchar", {1, false, false}},
        {"uint8", {1, false, false}},  {"short", {2, false, true}},   {"int16", {2, false, true}},
        {"ushort", {2, false, false}}, {"uint16", {2, false, false}}, {"int", {4, false, true}},
        {"int32", {4, false, true}},   {"uint", {4, false, false}},   {"uint32", {4, false, false}},
        {"float", {4, true, true}},    {"float32", {4, true, true}},  {"double", {8, true, true}},
        {"float64", {8, true, true}}};
    for (const auto &[text, type] : kTypes)
        if (name == text)
            return type;
    failImport(
        Import::tr("The PLY header names the type %1, which is not a PLY type.").arg(quoted(name)));
}

Format formatNamed(QByteArrayView name)
{
    if (name == "ascii")
        return Format::Ascii;
    if (name == "binary_little_endian")
        return Format::Little;
    if (name == "binary_big_endian")
        return Format::Big;
    failImport(Import::tr("The PLY format %1 is not one of ascii, binary_little_endian and "
                          "binary_big_endian.")
                   .arg(quoted(name)));
}

void addProperty(Header &header, Words &words)
{
    if (header.elements.empty())
        failImport(Import::tr("The PLY header declares a property before any element."));
    Element &element = header.elements.back();
    if (element.properties.size() >= kMostProperties)
        failImport(Import::tr("The PLY element %1 has more than %2 properties.")
                       .arg(quoted(element.name))
                       .arg(kMostProperties));
    Property property;
    QByteArrayView type = words.next();
    if (type == "list") {
        property.list = true;
        property.countType = typeNamed(words.next());
        if (property.countType.real)
            failImport(Import::tr("The PLY list %1 is counted by a type that is not whole numbers.")
                           .arg(quoted(words.rest())));
        type = words.next();
    }
    property.type = typeNamed(type);
    property.name = words.next().toByteArray();
    element.properties.push_back(property);
}

void addElement(Header &header, Words &words)
{
    if (header.elements.size() >= kMostElements)
        failImport(Import::tr("The PLY header declares more than %1 elements.").arg(kMostElements));
    Element element;
    element.name = words.next().toByteArray();
    if (!parseNumber(words.next(), element.count) || element.count < 0)
        failImport(
            Import::tr("The PLY element %1 has no count of 0 or more.").arg(quoted(element.name)));
    header.elements.push_back(element);
}

Header readHeader(QByteArrayView bytes)
{
    TextLines lines(bytes, 0);
    QByteArrayView line;
    if (!lines.next(line) || line != "ply")
        failImport(Import::tr("The file does not start with \"ply\"; it is not a PLY file."));
    Header header;
    bool format = false;
    while (lines.next(line)) {
        Words words(line);
        const QByteArrayView keyword = words.next();
        if (keyword == "end_header") {
            if (!format)
                failImport(Import::tr("The PLY header has no format line."));
            header.dataStart = lines.position();
            return header;
        }
        if (keyword == "format")
            header.format = formatNamed(words.next()), format = true;
        else if (keyword == "element")
            addElement(header, words);
        else if (keyword == "property")
            addProperty(header, words);
        else if (keyword != "comment" && keyword != "obj_info" && !bytes.contains("end_header"))
            failImport(Import::tr("The PLY header has no end_header line."));
        else if (keyword != "comment" && keyword != "obj_info")
            failImport(Import::tr("Line %1 of the PLY header is not understood: %2")
                           .arg(lines.lineNumber())
                           .arg(quoted(line)));
    }
    failImport(Import::tr("The PLY header has no end_header line."));
}

// The values of the data section, one at a time, in the file's format.
class Values
{
public:
    Values(QByteArrayView data, Format format)
        : data(data)
        , format(format)
    { }

    double scalar(const Type &type)
    {
        if (format == Format::Ascii)
            return asciiValue();
        if (data.size() - pos < type.bytes)
            endsEarly();
        const char *at = data.data() + pos;
        pos += type.bytes;
        return binaryValue(at, type);
    }
    qint64 bytesLeft() const { return data.size() - pos; }
    bool ascii() const { return format == Format::Ascii; }

    // An ASCII file holds each instance of an element on a line of its own:
    // the values of one may not run on to the next line, nor stop short.
    void beginInstance(const QByteArray &element, qint64 index)
    {
        placeElement = &element;
        placeIndex = index;
        if (ascii())
            while (pos < data.size() && (Words::isSpace(data[pos]) || data[pos] == '\n'))
                ++pos;
    }
    void endInstance()
    {
        if (!ascii())
            return;
        skipSpaces();
        if (pos < data.size() && data[pos] != '\n')
            failImport(Import::tr("The line of %1 holds more values than the PLY header declares.")
                           .arg(place()));
    }

    // Where the values are, for messages: "vertex 3" (the file's element name).
    QString place() const
    {
        return QStringLiteral("%1 %2")
            .arg(quoted(placeElement ? *placeElement : QByteArray()))
            .arg(placeIndex);
    }

private:
    [[noreturn]] void endsEarly() const
    {
        failImport(Import::tr("The PLY file ends inside %1.").arg(place()));
    }

    void skipSpaces()
    {
        while (pos < data.size() && Words::isSpace(data[pos]))
            ++pos;
    }

    double asciiValue()
    {
        skipSpaces();
        const qsizetype start = pos;
        while (pos < data.size() && !Words::isSpace(data[pos]) && data[pos] != '\n')
            ++pos;
        if (start == pos && pos < data.size())
            failImport(Import::tr("The line of %1 ends before the values the PLY header declares.")
                           .arg(place()));
        if (start == pos)
            endsEarly();
        double value = 0;
        const QByteArrayView word = data.sliced(start, pos - start);
        if (!parseNumber(word, value))
            failImport(Import::tr("The PLY file has %1 in %2, where a number should be.")
                           .arg(quoted(word))
                           .arg(place()));
        return value;
    }

    template<class T> T load(const char *at) const
    {
        return format == Format::Little ? qFromLittleEndian<T>(at) : qFromBigEndian<T>(at);
    }

    double binaryValue(const char *at, const Type &type) const
    {
        switch (type.bytes) {
        case 1:
            return type.isSigned ? double(qint8(*at)) : double(quint8(*at));
        case 2:
            return type.isSigned ? double(qint16(load<quint16>(at))) : double(load<quint16>(at));
        case 4: {
            const quint32 bits = load<quint32>(at);
            return type.real    ? double(std::bit_cast<float>(bits))
                : type.isSigned ? double(qint32(bits))
                                : double(bits);
        }
        default:
            return std::bit_cast<double>(load<quint64>(at));
        }
    }

    QByteArrayView data;
    Format format;
    qsizetype pos = 0;
    const QByteArray *placeElement = nullptr;
    qint64 placeIndex = 0;
};

// The fewest bytes one instance of the element takes: its scalars and list
// counts in a binary file, a digit and a space for each in an ASCII one.
qint64 shortestInstance(const Element &element, bool ascii)
{
    qint64 bytes = 0;
    for (const Property &p : element.properties)
        bytes += ascii ? 2 : (p.list ? p.countType.bytes : p.type.bytes);
    return bytes;
}

void requireRoom(const Element &element, const Values &values)
{
    const qint64 shortest = std::max<qint64>(shortestInstance(element, values.ascii()), 1);
    if (element.count > std::numeric_limits<qint32>::max()
        || element.count > values.bytesLeft() / shortest)
        failImport(Import::tr("The file declares %1 %2 elements, more than its %3 bytes can hold.")
                       .arg(element.count)
                       .arg(quoted(element.name))
                       .arg(values.bytesLeft()));
}

// The length of a list, checked: a count that is negative, not whole, or
// more than the bytes left could hold is refused before anything is kept.
qint64 listLength(Values &values, const Property &p)
{
    const double count = values.scalar(p.countType);
    const qint64 shortest = values.ascii() ? 2 : p.type.bytes;
    if (count < 0 || count != std::floor(count) || count > double(values.bytesLeft() / shortest))
        failImport(Import::tr("The PLY list %1 in %2 says it has %3 values; the file cannot hold "
                              "them.")
                       .arg(quoted(p.name))
                       .arg(values.place())
                       .arg(count));
    return qint64(count);
}

void skipElements(const Element &element, Values &values)
{
    requireRoom(element, values);
    for (qint64 i = 0; i < element.count; ++i) {
        values.beginInstance(element.name, i);
        for (const Property &p : element.properties) {
            const qint64 n = p.list ? listLength(values, p) : 1;
            for (qint64 k = 0; k < n; ++k)
                values.scalar(p.type);
        }
        values.endInstance();
    }
}

void readVertices(const Element &element, Values &values, PolygonSoup &soup)
{
    int axes[3];
    for (int a = 0; a < 3; ++a) {
        const char name[2] = {char('x' + a), 0};
        axes[a] = element.find(name);
        if (axes[a] < 0 || element.properties[size_t(axes[a])].list)
            failImport(
                Import::tr("The PLY vertices have no %1 coordinate.").arg(QLatin1StringView(name)));
    }
    requireRoom(element, values);
    soup.xyz.resize(size_t(3 * element.count));
    for (qint64 v = 0; v < element.count; ++v) {
        values.beginInstance(element.name, v);
        for (size_t p = 0; p < element.properties.size(); ++p) {
            const Property &property = element.properties[p];
            const qint64 n = property.list ? listLength(values, property) : 1;
            for (qint64 k = 0; k < n; ++k) {
                const double value = values.scalar(property.type);
                for (int a = 0; a < 3; ++a)
                    if (int(p) == axes[a])
                        soup.xyz[size_t(3 * v + a)] = float(value);
            }
        }
        values.endInstance();
    }
}

int faceList(const Element &element)
{
    int list = element.find("vertex_indices");
    if (list < 0)
        list = element.find("vertex_index");
    if (list < 0 || !element.properties[size_t(list)].list)
        failImport(Import::tr("The PLY faces have no vertex_indices list."));
    if (element.properties[size_t(list)].type.real)
        failImport(Import::tr("The PLY face corners are not whole numbers."));
    return list;
}

void readFaces(const Element &element, Values &values, PolygonSoup &soup, qint64 &dropped)
{
    const int list = faceList(element);
    requireRoom(element, values);
    soup.faceStarts.reserve(size_t(element.count + 1));
    const qint64 vertices = soup.vertexCount();
    for (qint64 f = 0; f < element.count; ++f) {
        values.beginInstance(element.name, f);
        for (size_t p = 0; p < element.properties.size(); ++p) {
            const Property &property = element.properties[p];
            const qint64 n = property.list ? listLength(values, property) : 1;
            const size_t start = soup.indices.size();
            for (qint64 k = 0; k < n; ++k) {
                const double index = values.scalar(property.type);
                if (int(p) != list)
                    continue;
                if (!(index >= 0 && index < double(vertices)) || index != std::floor(index))
                    failImport(Import::tr("Face %1 of the PLY file names vertex %2; the file has "
                                          "%3 vertices.")
                                   .arg(f)
                                   .arg(index)
                                   .arg(vertices));
                soup.indices.push_back(qint32(index));
            }
            if (int(p) != list)
                continue;
            if (n >= 3)
                soup.endFace();
            else
                soup.indices.resize(start), ++dropped;
        }
        values.endInstance();
    }
}

} // namespace

PolygonSoup readPly(QByteArrayView bytes)
{
    const Header header = readHeader(bytes);
    Values values(bytes.sliced(header.dataStart), header.format);
    PolygonSoup soup;
    bool vertices = false, faces = false;
    qint64 dropped = 0;
    for (const Element &element : header.elements) {
        if (element.name == "vertex" && !vertices) {
            readVertices(element, values, soup);
            vertices = true;
        } else if (element.name == "face" && !faces) {
            if (!vertices)
                failImport(Import::tr("The PLY faces come before the vertices they name."));
            readFaces(element, values, soup, dropped);
            faces = true;
        } else {
            skipElements(element, values);
        }
        if (vertices && faces)
            break; // what follows is not needed
    }
    if (dropped)
        warnImport(Import::tr("%1 faces of fewer than three corners (points and lines) were left "
                              "out.")
                       .arg(dropped));
    return soup;
}
