#include "MeshFileImport.h"

#include "ConfinedIo.h"
#include "GltfCheck.h"
#include "ImportTypes.h"
#include "ImportedModel.h"
#include "OffReader.h"
#include "PlyReader.h"
#include "StlBinary.h"
#include "StlText.h"
#include "ThreeMfCheck.h"
#include "VertexWeld.h"
#include "formats/FileKinds.h"
#include "formats/GltfMesh.h"
#include "formats/GltfWriter.h"
#include "geometry/Alloc.h"
#include "model/ModelClass.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <limits>

namespace {

// Node counts of the cells a face becomes: a polygon of up to 100 nodes is one
// cell, a larger one a fan of triangles.
int cellType(unsigned nodes)
{
    return nodes <= unsigned(MaxPolygon) ? int(nodes) : int(Triangle);
}

qint64 cellsOf(unsigned nodes)
{
    return nodes <= unsigned(MaxPolygon) ? 1 : qint64(nodes) - 2;
}

// An Assimp mesh seen as the vertices and faces of a polygon soup.
struct AssimpFaces
{
    const aiMesh &mesh;

    qint64 vertexCount() const { return mesh.mNumVertices; }
    const float *position(qint64 v) const { return &mesh.mVertices[v].x; }
    qint64 faceCount() const { return mesh.mNumFaces; }
    unsigned faceSize(qint64 f) const { return mesh.mFaces[f].mNumIndices; }
    qint64 corner(qint64 f, unsigned n) const { return mesh.mFaces[f].mIndices[n]; }
};

// A soup of our own readers, seen the same way.
struct SoupFaces
{
    const PolygonSoup &soup;

    qint64 vertexCount() const { return soup.vertexCount(); }
    const float *position(qint64 v) const { return soup.xyz.data() + 3 * v; }
    qint64 faceCount() const { return soup.faceCount(); }
    unsigned faceSize(qint64 f) const
    {
        return unsigned(soup.faceStarts[size_t(f + 1)] - soup.faceStarts[size_t(f)]);
    }
    qint64 corner(qint64 f, unsigned n) const
    {
        return soup.indices[size_t(soup.faceStarts[size_t(f)] + n)];
    }
};

// Where the weld's cells start and about how long an edge is.
struct WeldCells
{
    float low[3];
    float cell;
};

template<class Source> WeldCells weldCells(const Source &source, qint64 corners)
{
    constexpr float kLargest = std::numeric_limits<float>::max();
    WeldCells cells {{kLargest, kLargest, kLargest}, 0.0f};
    float high[3] = {-kLargest, -kLargest, -kLargest};
    for (qint64 v = 0; v < source.vertexCount(); ++v)
        for (int a = 0; a < 3; ++a) {
            cells.low[a] = std::min(cells.low[a], source.position(v)[a]);
            high[a] = std::max(high[a], source.position(v)[a]);
        }
    if (source.vertexCount())
        cells.cell = VertexWeld::cellFor(cells.low, high, corners);
    return cells;
}

// One block of a mesh placed by `place`: polygon faces by their node counts,
// corners joined where they share a position.
template<class Source>
std::unique_ptr<MeshClass> meshBlock(const Source &source, const aiMatrix4x4 &place)
{
    auto mesh = std::make_unique<MeshClass>();
    qint64 corners = 0;
    std::array<qint64, kTypeSlots> counts {};
    for (qint64 f = 0; f < source.faceCount(); ++f) {
        const unsigned nodes = source.faceSize(f);
        if (nodes < 3)
            continue; // points and lines
        counts[size_t(cellType(nodes))] += cellsOf(nodes);
        corners += nodes;
    }
    std::array<qint32 *, kTypeSlots> fill {};
    for (int t = 3; t <= MaxPolygon; ++t) {
        if (counts[size_t(t)] == 0)
            continue;
        if (counts[size_t(t)] > std::numeric_limits<qint32>::max())
            failImport(Import::tr("The mesh has more cells than a model holds."));
        mesh->Cells[t] = fill[size_t(t)] = allocArray<qint32>(counts[size_t(t)] * t);
        mesh->CountOfCells[t] = qint32(counts[size_t(t)]);
    }
    const WeldCells cells = weldCells(source, corners);
    VertexWeld weld(corners, cells.low, cells.cell);
    std::vector<qint32> fan; // the corners of a face too large for a slot
    for (qint64 f = 0; f < source.faceCount(); ++f) {
        const unsigned nodes = source.faceSize(f);
        if (nodes < 3)
            continue;
        const int t = cellType(nodes);
        qint32 *out = t == int(nodes) ? fill[size_t(t)] : (fan.resize(nodes), fan.data());
        for (unsigned n = 0; n < nodes; ++n) {
            const qint64 index = source.corner(f, n);
            if (index < 0 || index >= source.vertexCount())
                failImport(Import::tr("A face names vertex %1; the mesh has %2.")
                               .arg(index)
                               .arg(source.vertexCount()));
            const float *p = source.position(index);
            out[n] = weld.vertex(p[0], p[1], p[2]);
        }
        if (t == int(nodes)) {
            fill[size_t(t)] += nodes;
            continue;
        }
        for (size_t n = 1; n + 1 < fan.size(); ++n)
            fill[size_t(t)] =
                std::copy_n(std::array {fan[0], fan[n], fan[n + 1]}.begin(), 3, fill[size_t(t)]);
    }
    const std::vector<float> &xyz = weld.positions();
    mesh->Vertices = allocArray<_DREAL>(3 * weld.count());
    mesh->CountOfVertices = qint32(weld.count());
    const bool moved = !place.IsIdentity();
    for (qint64 v = 0; v < weld.count(); ++v) {
        aiVector3D p(xyz[size_t(3 * v)], xyz[size_t(3 * v + 1)], xyz[size_t(3 * v + 2)]);
        if (moved)
            p = place * p;
        mesh->Vertices[3 * v] = p.x, mesh->Vertices[3 * v + 1] = p.y,
                           mesh->Vertices[3 * v + 2] = p.z;
    }
    requireFiniteVertices(*mesh);
    return mesh;
}

std::unique_ptr<MeshClass> assimpBlock(const aiMesh &source, const aiMatrix4x4 &place)
{
    std::unique_ptr<MeshClass> mesh = meshBlock(AssimpFaces {source}, place);
    mesh->Name = QString::fromUtf8(source.mName.C_Str());
    return mesh;
}

// Deeper than any real file's node hierarchy; the walk of the nodes recurses.
constexpr int kDeepestNode = 256;

// The meshes of one node, placed, as blocks of the model (a block without a
// name of its own takes the node's); the first mesh that gave cells, or null.
const aiMesh *appendNodeMeshes(const aiScene &scene, const aiNode &node, const aiMatrix4x4 &place,
                               ModelClass &model, std::vector<bool> &placed)
{
    const aiMesh *first = nullptr;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const unsigned index = node.mMeshes[m];
        if (index >= scene.mNumMeshes)
            continue;
        placed[index] = true;
        std::unique_ptr<MeshClass> mesh = assimpBlock(*scene.mMeshes[index], place);
        if (mesh->Name.isEmpty())
            mesh->Name = QString::fromUtf8(node.mName.C_Str());
        if (mesh->totalCells() == 0)
            continue;
        first = first ? first : scene.mMeshes[index];
        model.Meshes.append(mesh.release());
    }
    return first;
}

// Every mesh a node of the hierarchy places, in the order of the nodes.
void addNodeMeshes(const aiScene &scene, const aiNode &node, const aiMatrix4x4 &parent,
                   ModelClass &model, std::vector<bool> &placed, int depth = 0)
{
    if (depth > kDeepestNode)
        failImport(Import::tr("The file's nodes nest more than %1 deep.").arg(kDeepestNode));
    const aiMatrix4x4 place = parent * node.mTransformation;
    appendNodeMeshes(scene, node, place, model, placed);
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        addNodeMeshes(scene, *node.mChildren[c], place, model, placed, depth + 1);
}

// glTF's unit is the metre, ours the millimetre.
constexpr ai_real kMillimetresPerMetre = 1000;

// From a glTF file's metres, +Y up and +Z the front, to our millimetres of
// the patient (x right, y anterior, z superior): the writer's turn undone.
aiMatrix4x4 worldFromGltf()
{
    aiMatrix4x4 m;
    for (unsigned k = 0; k < 3; ++k) {
        m[k][k] = 0;
        m[unsigned(kGltfAxis[k])][k] = ai_real(kGltfSign[k]) * kMillimetresPerMetre;
    }
    return m;
}

// A glTF node's model takes its material's colour (stored linear) and
// opacity; Assimp's stand-in for a primitive without a material gives none.
bool colourFromMaterial(const aiScene &scene, const aiMesh &mesh, ModelClass &model)
{
    if (mesh.mMaterialIndex >= scene.mNumMaterials)
        return false;
    const aiMaterial &material = *scene.mMaterials[mesh.mMaterialIndex];
    if (material.GetName() == aiString(AI_DEFAULT_MATERIAL_NAME))
        return false;
    aiColor4D colour;
    if (material.Get(AI_MATKEY_BASE_COLOR, colour) != aiReturn_SUCCESS
        && material.Get(AI_MATKEY_COLOR_DIFFUSE, colour) != aiReturn_SUCCESS)
        return false;
    model.setColor(srgbFromLinear(colour.r), srgbFromLinear(colour.g), srgbFromLinear(colour.b));
    if (colour.a < 1)
        model.setTransparency(true, std::max(0.0, double(colour.a)));
    return true;
}

// One model of the node's meshes, named after the node (else its first
// mesh), coloured by the first mesh's material.
std::unique_ptr<ModelClass> nodeModel(const aiScene &scene, const aiNode &node,
                                      const aiMatrix4x4 &place, const Recognition &file,
                                      std::vector<bool> &placed)
{
    auto model = std::make_unique<ModelClass>();
    model->FileName = file.path;
    const aiMesh *first = appendNodeMeshes(scene, node, place, *model, placed);
    if (!first)
        return nullptr;
    QString name = QString::fromUtf8(node.mName.C_Str());
    if (name.isEmpty())
        name = QString::fromUtf8(first->mName.C_Str());
    if (name.isEmpty())
        name = file.stem;
    if (colourFromMaterial(scene, *first, *model))
        model->Name = name;
    else
        nameFromStem(*model, name);
    return model;
}

// Every node of a glTF file that holds meshes as a model of its own, placed
// by the hierarchy and turned from glTF's metres into our millimetres.
void addGltfNodes(const aiScene &scene, const aiNode &node, const aiMatrix4x4 &parent,
                  const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                  std::vector<bool> &placed, int depth = 0)
{
    if (depth > kDeepestNode)
        failImport(Import::tr("The file's nodes nest more than %1 deep.").arg(kDeepestNode));
    const aiMatrix4x4 place = parent * node.mTransformation;
    if (std::unique_ptr<ModelClass> model = nodeModel(scene, node, place, file, placed))
        models.push_back(std::move(model));
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        addGltfNodes(scene, *node.mChildren[c], place, file, models, placed, depth + 1);
}

} // namespace

namespace {

// The bytes of the file, mapped when it can be, else read.
class FileView
{
public:
    explicit FileView(const QString &path)
        : file(path)
    {
        if (!file.open(QIODevice::ReadOnly))
            failImport(Import::tr("The file cannot be opened."));
        const qint64 size = file.size();
        if (const uchar *mapped = size > 0 ? file.map(0, size) : nullptr) {
            view = QByteArrayView(mapped, size);
            return;
        }
        read = file.readAll();
        view = read;
    }
    QByteArrayView bytes() const { return view; }

private:
    QFile file;
    QByteArray read;
    QByteArrayView view;
};

void addSoup(ModelClass &model, const PolygonSoup &soup)
{
    std::unique_ptr<MeshClass> mesh = meshBlock(SoupFaces {soup}, aiMatrix4x4());
    mesh->Name = soup.name;
    if (mesh->totalCells() > 0)
        model.Meshes.append(mesh.release());
}

// The formats read by readers of our own; false for those left to Assimp.
bool readOwnFormat(FileKind kind, QByteArrayView bytes, ModelClass &model)
{
    if (kind == FileKind::Off)
        addSoup(model, readOff(bytes));
    else if (kind == FileKind::Ply)
        addSoup(model, readPly(bytes));
    else if (kind == FileKind::Stl)
        for (const PolygonSoup &solid : readStlText(bytes))
            addSoup(model, solid);
    else
        return false;
    return true;
}

// Checks what Assimp would read unguarded; the file to hand it instead, or
// an empty array.
QByteArray checkForAssimp(const QString &path, FileKind kind, QByteArrayView bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (kind == FileKind::Gltf)
        return checkGltf(bytes, folder);
    if (kind == FileKind::Glb)
        return checkGlb(bytes, folder);
    if (kind == FileKind::ThreeMf)
        checkThreeMf(bytes);
    return {};
}

// Assimp's own words, cut short: they may quote the file.
QString libraryMessage(const char *text)
{
    return quoted(QByteArrayView(text), 160);
}

// Reads a file through Assimp: every mesh a block of `model`, except that a
// glTF file's nodes with meshes become models of their own in `nodes`, and
// its metres in glTF's frame become our millimetres.
void readThroughAssimp(const Recognition &file, QByteArrayView bytes, ModelClass &model,
                       std::vector<std::unique_ptr<ModelClass>> &nodes)
{
    const QString &path = file.path;
    const FileKind kind = file.kind;
    const QByteArray replacement = checkForAssimp(path, kind, bytes);
    Assimp::Importer importer;
    importer.SetIOHandler(new ConfinedIo(path, replacement)); // the importer owns it
    const aiScene *scene =
        importer.ReadFile(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString(),
                          aiProcess_ValidateDataStructure);
    if (!scene)
        failImport(Import::tr("The mesh file cannot be read: %1")
                       .arg(libraryMessage(importer.GetErrorString())));
    std::vector<bool> placed(scene->mNumMeshes, false);
    const bool gltf = kind == FileKind::Gltf || kind == FileKind::Glb;
    const aiMatrix4x4 unit = gltf ? worldFromGltf() : aiMatrix4x4();
    if (scene->mRootNode && gltf)
        addGltfNodes(*scene, *scene->mRootNode, unit, file, nodes, placed);
    else if (scene->mRootNode)
        addNodeMeshes(*scene, *scene->mRootNode, aiMatrix4x4(), model, placed);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        if (!placed[m]) {
            std::unique_ptr<MeshClass> mesh = assimpBlock(*scene->mMeshes[m], unit);
            if (mesh->totalCells() > 0)
                model.Meshes.append(mesh.release());
        }
}

} // namespace

void importMeshFile(const Recognition &recognised, std::vector<std::unique_ptr<ModelClass>> &models)
{
    const QString &path = recognised.path;
    const FileKind kind = recognised.kind;
    auto model = std::make_unique<ModelClass>();
    model->FileName = path;
    std::vector<std::unique_ptr<ModelClass>> nodes;
    std::unique_ptr<MeshClass> binary = kind == FileKind::Stl ? readBinaryStl(path) : nullptr;
    if (binary) {
        binary->Name = recognised.stem;
        if (binary->totalCells() > 0)
            model->Meshes.append(binary.release());
    } else {
        const FileView file(path);
        if (!readOwnFormat(kind, file.bytes(), *model))
            readThroughAssimp(recognised, file.bytes(), *model, nodes);
    }
    if (model->Meshes.isEmpty() && nodes.empty())
        failImport(Import::tr("The file holds no surface: no mesh with faces of three or more "
                              "corners."));
    for (auto &node : nodes)
        models.push_back(std::move(node));
    if (model->Meshes.isEmpty())
        return;
    nameFromStem(*model, recognised.stem);
    models.push_back(std::move(model));
}
