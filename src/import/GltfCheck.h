#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Checks a glTF file (JSON, `.gltf`) or a binary one (`.glb`) before the mesh
// library reads it, so that no file can make that library recurse without
// bound, read outside the file's folder or allocate more than the file holds:
// the JSON nests at most 64 deep; every buffer and image URI is a data: URI
// or a relative path that stays inside `folder`; every buffer, buffer view
// and accessor fits in what holds it; a byte stride is a multiple of 4 from
// 4 to 252; a GLB's chunks fit in the file. Fails (ImportFailure) with the
// reason.
//
// A primitive's material or texture coordinates that are broken are taken
// out, with a warning, so that its triangles still load: the result is the
// file to hand to the library instead (empty when nothing was taken out).
QByteArray checkGltf(QByteArrayView bytes, const QString &folder);
QByteArray checkGlb(QByteArrayView bytes, const QString &folder);

// The path inside `folder` that a relative URI of a file there names, or
// fails (ImportFailure): absolute paths, schemes other than data: and paths
// that climb out of the folder are refused.
QString confinedPath(const QString &uri, const QString &folder);
