#pragma once

#include "FileKinds.h" // isSceneName: a name the load command treats as a scene

#include <QString>

#include <functional>

// What a walk of an .hx scene hands out. Each returns false to stop the walk.
struct SceneVisitor
{
    // A listed surface, as the scene's folder, "/" and the listed name.
    std::function<bool(const QString &path)> surface;
    // A listed scene that this walk has already opened (the scene lists
    // itself, directly or through other scenes, or two scenes list a third).
    std::function<bool(const QString &path)> repeatedScene;
};

// Walks an .hx scene: every name it lists, in list order; a name ending in
// ".hx" is a scene that is walked in its place. Each scene file is opened at
// most once per walk, however it is named (links, "..", another spelling), so
// a scene that lists itself ends in one repeatedScene() and the rest of the
// scene still loads. A scene that cannot be read lists nothing. False when
// the visitor stopped the walk.
bool walkScene(const QString &scenePath, const SceneVisitor &visitor);
