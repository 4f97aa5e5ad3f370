#include "GltfCheck.h"

#include "ImportTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QtEndian>

#include <limits>

namespace {

// Deeper than any glTF file's own structure (about 8 levels), shallow enough
// that no recursive reader of JSON can run out of stack.
constexpr int kDeepest = 64;
// Deeper than any real scene's node hierarchy.
constexpr int kDeepestNode = 256;

void requireShallow(QByteArrayView json)
{
    int depth = 0;
    bool inString = false, escaped = false;
    for (const char c : json) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
            depth += 1;
        else if (c == ']' || c == '}')
            depth -= 1;
        if (depth > kDeepest)
            failImport(
                Import::tr("The glTF file nests its brackets more than %1 deep.").arg(kDeepest));
    }
}

// A whole number of the object, or `fallback` when it is absent; refused when
// it is there but negative, fractional or not a number.
qint64 count(const QJsonObject &object, const char *key, const QString &where, qint64 fallback = -1)
{
    const QJsonValue value = object.value(QLatin1StringView(key));
    if (value.isUndefined())
        return fallback;
    const double d = value.toDouble(-1);
    if (!value.isDouble() || d < 0 || d != std::floor(d) || d > 9e15)
        failImport(Import::tr("%1 has a %2 that is not a whole number of 0 or more.")
                       .arg(where, QLatin1StringView(key)));
    return qint64(d);
}

// True when the object's index `key` is absent or names one of `size` items.
bool validIndex(const QJsonObject &object, const char *key, qint64 size)
{
    const QJsonValue value = object.value(QLatin1StringView(key));
    if (value.isUndefined())
        return true;
    const double d = value.toDouble(-1);
    return value.isDouble() && d >= 0 && d < double(size) && d == std::floor(d);
}

QByteArray decodedDataUri(const QString &uri)
{
    const qsizetype comma = uri.indexOf(u',');
    if (comma < 0)
        return {};
    const QByteArray data = uri.mid(comma + 1).toLatin1();
    return uri.left(comma).endsWith(QLatin1StringView(";base64"))
        ? QByteArray::fromBase64(data)
        : QUrl::fromPercentEncoding(data).toUtf8();
}

class Checker
{
public:
    // `bin` is a GLB's binary chunk, null for a .gltf file.
    Checker(QJsonObject root, const QString &folder, QByteArrayView bin, qint64 fileBytes)
        : root(std::move(root))
        , folder(folder)
        , bin(bin)
        , fileBytes(fileBytes)
    { }

    bool run()
    {
        checkBuffers();
        checkViews();
        checkAccessors();
        checkImages();
        checkNodes();
        checkMeshes();
        checkMaterials();
        requireUsedAccessorsSound();
        return changed;
    }
    QByteArray json() const { return QJsonDocument(root).toJson(QJsonDocument::Compact); }

private:
    QJsonArray array(const char *key) const { return root.value(QLatin1StringView(key)).toArray(); }

    void checkBuffers()
    {
        const QJsonArray buffers = array("buffers");
        for (qsizetype b = 0; b < buffers.size(); ++b) {
            const QJsonObject buffer = buffers[b].toObject();
            const QString where = Import::tr("Buffer %1").arg(b);
            const qint64 declared = count(buffer, "byteLength", where, 0);
            qint64 held = 0;
            const QJsonValue uri = buffer.value(QLatin1StringView("uri"));
            sources.emplace_back();
            if (uri.isString())
                held = uriBytes(uri.toString(), where);
            else if (b == 0 && !bin.isNull())
                held = bin.size(),
                sources.back().data = QByteArray::fromRawData(bin.data(), bin.size());
            if (declared > held)
                failImport(Import::tr("%1 declares %2 bytes; its data holds %3.")
                               .arg(where)
                               .arg(declared)
                               .arg(held));
            bufferBytes.push_back(declared);
        }
    }

    // The bytes a buffer's URI holds; the data, or the file's path, is kept
    // for reading the corners later.
    qint64 uriBytes(const QString &uri, const QString &where)
    {
        if (uri.startsWith(QLatin1StringView("data:"), Qt::CaseInsensitive)) {
            sources.back().data = decodedDataUri(uri);
            return sources.back().data.size();
        }
        const QFileInfo file(confinedPath(uri, folder));
        if (!file.isFile())
            failImport(Import::tr("%1 names a file that is not there: %2")
                           .arg(where, quoted(uri.toUtf8(), 48)));
        sources.back().path = file.filePath();
        return file.size();
    }

    // `length` bytes of buffer `b` from `offset`; fewer when its file shrank.
    QByteArray bufferRange(qint64 b, qint64 offset, qint64 length) const
    {
        const BufferSource &source = sources[size_t(b)];
        if (source.path.isEmpty())
            return source.data.mid(offset, length);
        QFile file(source.path);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
            return {};
        return file.read(length);
    }

    void checkViews()
    {
        const QJsonArray views = array("bufferViews");
        for (qsizetype v = 0; v < views.size(); ++v) {
            const QJsonObject view = views[v].toObject();
            const QString where = Import::tr("Buffer view %1").arg(v);
            const qint64 buffer = count(view, "buffer", where);
            if (buffer < 0 || buffer >= qint64(bufferBytes.size()))
                failImport(Import::tr("%1 names a buffer the file does not have.").arg(where));
            const qint64 offset = count(view, "byteOffset", where, 0);
            const qint64 length = count(view, "byteLength", where, 0);
            if (offset > bufferBytes[size_t(buffer)]
                || length > bufferBytes[size_t(buffer)] - offset)
                failImport(Import::tr("%1 reaches past the end of its buffer.").arg(where));
            const qint64 stride = count(view, "byteStride", where, 0);
            if (stride != 0 && (stride < 4 || stride > 252 || stride % 4 != 0))
                failImport(Import::tr("%1 has a byte stride of %2; a stride is a multiple of 4 "
                                      "from 4 to 252.")
                               .arg(where)
                               .arg(stride));
            viewBytes.push_back(length);
            viewStrides.push_back(stride);
        }
    }

    static int componentBytes(qint64 type)
    {
        switch (type) {
        case 5120:
        case 5121:
            return 1;
        case 5122:
        case 5123:
            return 2;
        case 5125:
        case 5126:
            return 4;
        default:
            return 0;
        }
    }

    static int components(const QString &type)
    {
        static const std::pair<const char *, int> kTypes[] = {
            {"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3}, {"VEC4", 4},
            {"MAT2", 4},   {"MAT3", 9}, {"MAT4", 16}};
        for (const auto &[name, n] : kTypes)
            if (type == QLatin1StringView(name))
                return n;
        return 0;
    }

    // Why the accessor cannot be read, or an empty text when it can.
    QString accessorFault(const QJsonObject &accessor, const QString &where) const
    {
        const int bytes = componentBytes(count(accessor, "componentType", where));
        const int n = components(accessor.value(QLatin1StringView("type")).toString());
        if (bytes == 0 || n == 0)
            return Import::tr("its component type or element type is not one of glTF's");
        const qint64 elements = count(accessor, "count", where, 0);
        const qint64 element = qint64(bytes) * n;
        const QJsonValue view = accessor.value(QLatin1StringView("bufferView"));
        if (view.isUndefined()) {
            if (elements > (fileBytes + (1 << 20)) / element)
                return Import::tr("it declares %1 elements and no data for them").arg(elements);
            return {};
        }
        if (!validIndex(accessor, "bufferView", qint64(viewBytes.size())))
            return Import::tr("it names a buffer view the file does not have");
        const qint64 v = view.toInteger();
        const qint64 stride = viewStrides[size_t(v)] ? viewStrides[size_t(v)] : element;
        const qint64 offset = count(accessor, "byteOffset", where, 0);
        if (elements > 0
            && (offset > viewBytes[size_t(v)]
                || elements - 1 > (viewBytes[size_t(v)] - offset) / stride
                || offset + (elements - 1) * stride + element > viewBytes[size_t(v)]))
            return Import::tr(
                       "it declares %1 elements, more than its buffer view's %2 bytes can hold")
                .arg(elements)
                .arg(viewBytes[size_t(v)]);
        return {};
    }

    void checkAccessors()
    {
        const QJsonArray accessors = array("accessors");
        for (qsizetype a = 0; a < accessors.size(); ++a) {
            const QJsonObject accessor = accessors[a].toObject();
            QString fault = accessorFault(accessor, Import::tr("Accessor %1").arg(a));
            if (fault.isEmpty() && accessor.contains(QLatin1StringView("sparse")))
                fault = Import::tr("sparse accessors are not read");
            faults.push_back(fault);
        }
    }

    void checkImages()
    {
        const QJsonArray images = array("images");
        for (qsizetype i = 0; i < images.size(); ++i) {
            const QJsonObject image = images[i].toObject();
            const QString where = Import::tr("Image %1").arg(i);
            const QJsonValue uri = image.value(QLatin1StringView("uri"));
            if (uri.isString()
                && !uri.toString().startsWith(QLatin1StringView("data:"), Qt::CaseInsensitive))
                confinedPath(uri.toString(), folder);
            if (!validIndex(image, "bufferView", qint64(viewBytes.size())))
                failImport(Import::tr("%1 names a buffer view the file does not have.").arg(where));
        }
    }

    // The nodes form trees no deeper than kDeepestNode: every child index
    // valid, no node the child of two parents or of itself.
    void checkNodes()
    {
        const QJsonArray nodes = array("nodes");
        const qint64 meshes = array("meshes").size();
        std::vector<qint64> parent(size_t(nodes.size()), -1);
        for (qsizetype n = 0; n < nodes.size(); ++n) {
            const QJsonObject node = nodes[n].toObject();
            if (!validIndex(node, "mesh", meshes)
                || !validIndex(node, "skin", array("skins").size())
                || !validIndex(node, "camera", array("cameras").size()))
                failImport(
                    Import::tr("Node %1 names a mesh, skin or camera the file does not have.")
                        .arg(n));
            for (const QJsonValue &child : node.value(QLatin1StringView("children")).toArray()) {
                const double c = child.toDouble(-1);
                if (!(c >= 0 && c < double(nodes.size())) || c != std::floor(c)
                    || parent[size_t(c)] >= 0)
                    failImport(
                        Import::tr("Node %1 has a child that is not a node of its own.").arg(n));
                parent[size_t(c)] = n;
            }
        }
        for (size_t n = 0; n < parent.size(); ++n) {
            int depth = 0;
            for (qint64 up = parent[n]; up >= 0; up = parent[size_t(up)])
                if (++depth > kDeepestNode || up == qint64(n))
                    failImport(
                        Import::tr(
                            "The nodes of the glTF file form a loop or nest more than %1 deep.")
                            .arg(kDeepestNode));
        }
        for (const QJsonValue &scene : array("scenes"))
            for (const QJsonValue &node :
                 scene.toObject().value(QLatin1StringView("nodes")).toArray())
                if (!(node.toDouble(-1) >= 0 && node.toDouble(-1) < double(nodes.size())))
                    failImport(
                        Import::tr("A scene of the glTF file names a node it does not have."));
    }

    bool accessorUsable(const QJsonValue &index) const
    {
        const double a = index.toDouble(-1);
        return index.isDouble() && a >= 0 && a < double(faults.size()) && a == std::floor(a)
            && faults[size_t(a)].isEmpty();
    }

    QString accessorProblem(const QJsonValue &index) const
    {
        const double a = index.toDouble(-1);
        if (!(a >= 0 && a < double(faults.size())) || a != std::floor(a))
            return Import::tr("it names an accessor the file does not have");
        return faults[size_t(a)];
    }

    // Why an attribute's elements are of the wrong kind for its name (a
    // normal of two numbers), or an empty text.
    QString wrongElementType(const QString &name, const QJsonValue &index) const
    {
        const QString type = accessorAt(index).value(QLatin1StringView("type")).toString();
        const bool vector3 = name == u"NORMAL";
        const bool vector2 = name.startsWith(QLatin1StringView("TEXCOORD_"));
        const bool colour = name.startsWith(QLatin1StringView("COLOR_"));
        if ((vector3 && type != u"VEC3") || (vector2 && type != u"VEC2")
            || (colour && type != u"VEC3" && type != u"VEC4"))
            return Import::tr("its elements are %1").arg(quoted(type.toUtf8()));
        return {};
    }

    // A primitive's positions and corners must be sound; its other attributes
    // and its material are taken out when broken.
    QJsonObject checkPrimitive(QJsonObject primitive, const QString &where)
    {
        QJsonObject attributes = primitive.value(QLatin1StringView("attributes")).toObject();
        const QJsonValue position = attributes.value(QLatin1StringView("POSITION"));
        if (!accessorUsable(position))
            failImport(Import::tr("The positions of %1 cannot be read: %2.")
                           .arg(where, accessorProblem(position)));
        const QString pointType = accessorAt(position).value(QLatin1StringView("type")).toString();
        if (pointType != u"VEC3")
            failImport(Import::tr("The positions of %1 are %2 elements, not the VEC3 points "
                                  "a surface is made of.")
                           .arg(where, quoted(pointType.toUtf8())));
        const QJsonValue indices = primitive.value(QLatin1StringView("indices"));
        if (!indices.isUndefined() && !accessorUsable(indices))
            failImport(Import::tr("The corners of %1 cannot be read: %2.")
                           .arg(where, accessorProblem(indices)));
        if (!indices.isUndefined())
            requireCornersInRange(accessorAt(indices), accessorAt(position), where);
        for (const QString &name : attributes.keys()) {
            if (name == QLatin1StringView("POSITION"))
                continue;
            const QString fault = accessorUsable(attributes.value(name))
                ? wrongElementType(name, attributes.value(name))
                : accessorProblem(attributes.value(name));
            if (fault.isEmpty())
                continue;
            warnImport(
                Import::tr("%1 of %2 was left out: %3.").arg(quoted(name.toUtf8()), where, fault));
            attributes.remove(name);
            changed = true;
        }
        primitive.insert(QLatin1StringView("attributes"), attributes);
        if (primitive.contains(QLatin1StringView("targets"))) {
            warnImport(Import::tr("The morph targets of %1 were left out.").arg(where));
            primitive.remove(QLatin1StringView("targets"));
            changed = true;
        }
        if (!validIndex(primitive, "material", array("materials").size())) {
            warnImport(Import::tr("The material of %1 was left out: the file does not have it.")
                           .arg(where));
            primitive.remove(QLatin1StringView("material"));
            changed = true;
        }
        return primitive;
    }

    QJsonObject accessorAt(const QJsonValue &index) const
    {
        return array("accessors")[index.toInteger()].toObject();
    }

    // Every corner names one of the primitive's positions: the mesh library
    // would drop a triangle that does not, and say nothing.
    void requireCornersInRange(const QJsonObject &corners, const QJsonObject &positions,
                               const QString &where) const
    {
        const qint64 type = count(corners, "componentType", where);
        const int bytes = type == 5121 || type == 5123 || type == 5125 ? componentBytes(type) : 0;
        if (bytes == 0 || corners.value(QLatin1StringView("type")).toString() != u"SCALAR")
            failImport(Import::tr("The corners of %1 are not unsigned whole numbers.").arg(where));
        const qint64 vertices = count(positions, "count", where, 0);
        const qint64 n = count(corners, "count", where, 0);
        const QJsonValue v = corners.value(QLatin1StringView("bufferView"));
        if (v.isUndefined() || n == 0) { // corners of value 0
            if (n > 0 && vertices == 0)
                failImport(
                    Import::tr("Corner 0 of %1 names vertex 0; there are 0 positions.").arg(where));
            return;
        }
        const QJsonObject view = array("bufferViews")[v.toInteger()].toObject();
        const qint64 stride =
            viewStrides[size_t(v.toInteger())] ? viewStrides[size_t(v.toInteger())] : bytes;
        const qint64 needed = (n - 1) * stride + bytes;
        const QByteArray data = bufferRange(
            count(view, "buffer", where),
            count(view, "byteOffset", where, 0) + count(corners, "byteOffset", where, 0), needed);
        if (data.size() < needed)
            failImport(Import::tr("The corners of %1 cannot be read: its buffer is shorter than "
                                  "it says.")
                           .arg(where));
        for (qint64 c = 0; c < n; ++c) {
            const char *at = data.constData() + c * stride;
            const qint64 corner = bytes == 1 ? quint8(*at)
                : bytes == 2                 ? qFromLittleEndian<quint16>(at)
                                             : qFromLittleEndian<quint32>(at);
            if (corner >= vertices)
                failImport(Import::tr("Corner %1 of %2 names vertex %3; there are %4 positions.")
                               .arg(c)
                               .arg(where)
                               .arg(corner)
                               .arg(vertices));
        }
    }

    void checkMeshes()
    {
        QJsonArray meshes = array("meshes");
        for (qsizetype m = 0; m < meshes.size(); ++m) {
            QJsonObject mesh = meshes[m].toObject();
            QJsonArray primitives = mesh.value(QLatin1StringView("primitives")).toArray();
            for (qsizetype p = 0; p < primitives.size(); ++p)
                primitives[p] = checkPrimitive(primitives[p].toObject(),
                                               Import::tr("primitive %1 of mesh %2").arg(p).arg(m));
            mesh.insert(QLatin1StringView("primitives"), primitives);
            meshes[m] = mesh;
        }
        if (changed)
            root.insert(QLatin1StringView("meshes"), meshes);
    }

    // A texture a material names that the file does not have, or whose
    // image it does not have, is taken out of the material.
    QJsonObject withoutBrokenTextures(QJsonObject object, qint64 m)
    {
        const QJsonArray textures = array("textures");
        const qint64 images = array("images").size();
        for (const QString &key : object.keys()) {
            QJsonObject value = object.value(key).toObject();
            if (key == QLatin1StringView("pbrMetallicRoughness")) {
                object.insert(key, withoutBrokenTextures(value, m));
                continue;
            }
            if (!key.endsWith(QLatin1StringView("Texture")))
                continue;
            const bool known = validIndex(value, "index", textures.size())
                && value.contains(QLatin1StringView("index"));
            if (known
                && validIndex(textures[value.value(QLatin1StringView("index")).toInt()].toObject(),
                              "source", images))
                continue;
            warnImport(
                Import::tr("The texture %1 of material %2 was left out: the file does not have it.")
                    .arg(quoted(key.toUtf8()))
                    .arg(m));
            object.remove(key);
            changed = true;
        }
        return object;
    }

    void checkMaterials()
    {
        QJsonArray materials = array("materials");
        const bool before = changed;
        changed = false;
        for (qsizetype m = 0; m < materials.size(); ++m)
            materials[m] = withoutBrokenTextures(materials[m].toObject(), m);
        if (changed)
            root.insert(QLatin1StringView("materials"), materials);
        changed = changed || before;
    }

    // Accessors of skins and animations are read too: those must be sound.
    void requireUsedAccessorsSound() const
    {
        for (const QJsonValue &skin : array("skins"))
            requireSound(skin.toObject().value(QLatin1StringView("inverseBindMatrices")));
        for (const QJsonValue &animation : array("animations"))
            for (const QJsonValue &sampler :
                 animation.toObject().value(QLatin1StringView("samplers")).toArray())
                for (const char *key : {"input", "output"})
                    requireSound(sampler.toObject().value(QLatin1StringView(key)));
    }

    void requireSound(const QJsonValue &index) const
    {
        if (!index.isUndefined() && !accessorUsable(index))
            failImport(Import::tr("An accessor of the glTF file cannot be read: %1.")
                           .arg(accessorProblem(index)));
    }

    QJsonObject root;
    QString folder;
    QByteArrayView bin;
    struct BufferSource
    {
        QByteArray data; // a data: URI's bytes or the GLB's binary chunk
        QString path;    // or the file that holds the buffer
    };
    std::vector<BufferSource> sources;
    qint64 fileBytes;
    bool changed = false;
    std::vector<qint64> bufferBytes, viewBytes, viewStrides;
    std::vector<QString> faults; // of each accessor, empty when sound
};

// The checked JSON of the file, or the empty array when nothing changed.
QByteArray checkJson(QByteArrayView json, const QString &folder, QByteArrayView bin,
                     qint64 fileBytes)
{
    requireShallow(json);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (document.isNull())
        failImport(Import::tr("The glTF file is not valid JSON: %1 at byte %2.")
                       .arg(error.errorString())
                       .arg(error.offset));
    if (!document.isObject())
        failImport(Import::tr("The glTF file's JSON is not an object."));
    Checker checker(document.object(), folder, bin, fileBytes);
    return checker.run() ? checker.json() : QByteArray();
}

constexpr quint32 kJsonChunk = 0x4E4F534A;
constexpr quint32 kBinChunk = 0x004E4942;

} // namespace

QString confinedPath(const QString &uri, const QString &folder)
{
    const QString path = QUrl::fromPercentEncoding(uri.toUtf8());
    const QString shown = quoted(uri.toUtf8(), 48);
    // A colon starts a scheme (file:, http:) or a drive; a backslash is a
    // separator elsewhere: neither is a plain relative path.
    if (path.startsWith(u'/') || path.contains(u'\\') || path.contains(u':'))
        failImport(Import::tr("The file names %1; a file may only name files in its own folder.")
                       .arg(shown));
    const QString clean = QDir::cleanPath(path);
    if (clean == QLatin1StringView("..") || clean.startsWith(QLatin1StringView("../"))
        || clean.isEmpty())
        failImport(Import::tr("The file names %1; a file may only name files in its own folder.")
                       .arg(shown));
    const QString full = QDir(folder).filePath(clean);
    const QString real = QFileInfo(full).canonicalFilePath();
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (!real.isEmpty() && !root.isEmpty() && !real.startsWith(root + u'/'))
        failImport(Import::tr("The file names %1; a file may only name files in its own folder.")
                       .arg(shown));
    return full;
}

QByteArray checkGltf(QByteArrayView bytes, const QString &folder)
{
    return checkJson(bytes, folder, QByteArrayView(), bytes.size());
}

QByteArray checkGlb(QByteArrayView bytes, const QString &folder)
{
    if (bytes.size() < 20 || !bytes.startsWith("glTF"))
        failImport(Import::tr("The file does not start as a GLB file does."));
    if (qFromLittleEndian<quint32>(bytes.data() + 4) != 2)
        failImport(Import::tr("Only GLB files of version 2 are read."));
    const qint64 length = qFromLittleEndian<quint32>(bytes.data() + 8);
    if (length > bytes.size() || length < 20)
        failImport(Import::tr("The GLB file says it has %1 bytes; it has %2.")
                       .arg(length)
                       .arg(bytes.size()));
    const qint64 jsonBytes = qFromLittleEndian<quint32>(bytes.data() + 12);
    if (qFromLittleEndian<quint32>(bytes.data() + 16) != kJsonChunk || jsonBytes > length - 20)
        failImport(Import::tr("The GLB file's first chunk is not JSON, or longer than the file."));
    const qint64 next = 20 + jsonBytes;
    QByteArrayView bin;
    if (next + 8 <= length) {
        const qint64 chunk = qFromLittleEndian<quint32>(bytes.data() + next);
        if (chunk > length - next - 8)
            failImport(
                Import::tr("A chunk of the GLB file says it has %1 bytes, more than the file "
                           "holds after it.")
                    .arg(chunk));
        if (qFromLittleEndian<quint32>(bytes.data() + next + 4) == kBinChunk)
            bin = bytes.sliced(next + 8, chunk);
    }
    const QByteArray json = checkJson(bytes.sliced(20, jsonBytes), folder, bin, bytes.size());
    if (json.isEmpty())
        return {};
    QByteArray padded = json;
    padded.append((4 - padded.size() % 4) % 4, ' ');
    const QByteArrayView rest = bytes.sliced(next, length - next);
    QByteArray out(20, 0);
    out.replace(0, 4, "glTF");
    qToLittleEndian<quint32>(2, out.data() + 4);
    qToLittleEndian<quint32>(quint32(20 + padded.size() + rest.size()), out.data() + 8);
    qToLittleEndian<quint32>(quint32(padded.size()), out.data() + 12);
    qToLittleEndian<quint32>(kJsonChunk, out.data() + 16);
    return out + padded + rest.toByteArray();
}
