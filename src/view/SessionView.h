#pragma once

// The view's side of a planning session: what the view shows, taken into a
// session, and a session's models, looks, camera and image given to the view.

#include "formats/SessionFile.h"

#include <QStringList>

#include <memory>
#include <vector>

class GLWidget;
class ModelClass;
struct ImageVolume;

// Every model of the view that has a file, with its looks, modes and cut; the
// camera; the image with its window and slices. Models made in the view
// (without a file of their own, as a clone) are left out: their names are
// added to `unsaved`.
Session captureSession(GLWidget &view, QStringList *unsaved = nullptr);

// The view's camera: looking at the focal point from the eye's +z, the
// picture's half height at the focal point as the parallel scale.
SessionCamera viewCamera(GLWidget &view);
// Sets every model's camera (and the image's) to the session's camera. Our
// own matrix is taken as written when it agrees with the rest of the camera;
// else the camera is built from its position, focal point, up and scale.
void applyCamera(GLWidget &view, const SessionCamera &camera);

// Gives models the view placed from a session their entries' looks, modes and
// cuts (`entryOf`: the entry of each), then sets the image, its window and
// slices, and the camera.
void applySession(GLWidget &view, const Session &session, const std::vector<ModelClass *> &models,
                  const std::vector<qsizetype> &entryOf,
                  const std::shared_ptr<const ImageVolume> &image);
