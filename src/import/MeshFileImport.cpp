#include "MeshFileImport.h"

#include "ImportTypes.h"
#include "ImportedModel.h"
#include "StlBinary.h"
#include "VertexWeld.h"
#include "geometry/Alloc.h"
#include "model/ModelClass.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <QFile>

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

// Where the weld's cells start and about how long an edge is.
struct WeldCells
{
    float low[3];
    float cell;
};

WeldCells weldCells(const aiMesh &source, qint64 corners)
{
    constexpr float kLargest = std::numeric_limits<float>::max();
    WeldCells cells {{kLargest, kLargest, kLargest}, 0.0f};
    float high[3] = {-kLargest, -kLargest, -kLargest};
    for (unsigned v = 0; v < source.mNumVertices; ++v)
        for (int a = 0; a < 3; ++a) {
            cells.low[a] = std::min(cells.low[a], source.mVertices[v][a]);
            high[a] = std::max(high[a], source.mVertices[v][a]);
        }
    if (source.mNumVertices)
        cells.cell = VertexWeld::cellFor(cells.low, high, corners);
    return cells;
}

// One block of a mesh placed by `place`: polygon faces by their node counts,
// corners joined where they share a position.
std::unique_ptr<MeshClass> meshBlock(const aiMesh &source, const aiMatrix4x4 &place)
{
    auto mesh = std::make_unique<MeshClass>();
    qint64 corners = 0;
    std::array<qint64, kTypeSlots> counts {};
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const unsigned nodes = source.mFaces[f].mNumIndices;
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
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace &face = source.mFaces[f];
        const unsigned nodes = face.mNumIndices;
        if (nodes < 3)
            continue;
        const int t = cellType(nodes);
        qint32 *out = t == int(nodes) ? fill[size_t(t)] : (fan.resize(nodes), fan.data());
        for (unsigned n = 0; n < nodes; ++n) {
            const unsigned index = face.mIndices[n];
            if (index >= source.mNumVertices)
                failImport(Import::tr("A face names vertex %1; the mesh has %2.")
                               .arg(index)
                               .arg(source.mNumVertices));
            const aiVector3D &p = source.mVertices[index];
            out[n] = weld.vertex(p.x, p.y, p.z);
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
    mesh->Name = QString::fromUtf8(source.mName.C_Str());
    return mesh;
}

// Every mesh a node of the hierarchy places, in the order of the nodes.
void addNodeMeshes(const aiScene &scene, const aiNode &node, const aiMatrix4x4 &parent,
                   ModelClass &model, std::vector<bool> &placed)
{
    const aiMatrix4x4 place = parent * node.mTransformation;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const unsigned index = node.mMeshes[m];
        if (index >= scene.mNumMeshes)
            continue;
        placed[index] = true;
        std::unique_ptr<MeshClass> mesh = meshBlock(*scene.mMeshes[index], place);
        if (mesh->Name.isEmpty())
            mesh->Name = QString::fromUtf8(node.mName.C_Str());
        if (mesh->totalCells() > 0)
            model.Meshes.append(mesh.release());
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        addNodeMeshes(scene, *node.mChildren[c], place, model, placed);
}

} // namespace

bool isMeshFilePath(const QString &path)
{
    for (const char *ending : {".stl", ".obj", ".ply", ".off", ".gltf", ".glb", ".3mf"})
        if (path.endsWith(QLatin1StringView(ending), Qt::CaseInsensitive))
            return true;
    return false;
}

void importMeshFile(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models)
{
    auto model = std::make_unique<ModelClass>();
    model->FileName = path;
    if (path.endsWith(".stl", Qt::CaseInsensitive)) {
        if (std::unique_ptr<MeshClass> mesh = readBinaryStl(path)) {
            if (mesh->totalCells() == 0)
                failImport(Import::tr("The file holds no surface: no mesh with faces of three or "
                                      "more corners."));
            model->Meshes.append(mesh.release());
            nameFromFile(*model, path);
            models.push_back(std::move(model));
            return;
        }
    }
    Assimp::Importer importer;
    const aiScene *scene = importer.ReadFile(QFile::encodeName(path).toStdString(), 0);
    if (!scene)
        failImport(Import::tr("The mesh file cannot be read: %1")
                       .arg(QString::fromUtf8(importer.GetErrorString())));
    std::vector<bool> placed(scene->mNumMeshes, false);
    if (scene->mRootNode)
        addNodeMeshes(*scene, *scene->mRootNode, aiMatrix4x4(), *model, placed);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        if (!placed[m]) {
            std::unique_ptr<MeshClass> mesh = meshBlock(*scene->mMeshes[m], aiMatrix4x4());
            if (mesh->totalCells() > 0)
                model->Meshes.append(mesh.release());
        }
    if (model->Meshes.isEmpty())
        failImport(Import::tr("The file holds no surface: no mesh with faces of three or more "
                              "corners."));
    nameFromFile(*model, path);
    models.push_back(std::move(model));
}
