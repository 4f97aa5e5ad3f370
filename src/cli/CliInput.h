#pragma once

#include <QString>

#include <memory>
#include <vector>

class ModelClass;

// The models of one command's INPUT, loaded as the viewer loads them: a .surf
// gives one model, an .hx scene one model per surface it lists, in its order;
// a mesh file, a legacy VTK file, a label map or a folder of masks is
// imported (a model per mesh file, per label, per mask).
// On a failure prints "path: message" to standard error and returns false;
// models already loaded are kept in `models`. With --verbose, every model
// loaded is described on standard error.
bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models);

// True when INPUT goes through the importer rather than the .surf reader.
bool isImportedInput(const QString &input);

// --verbose of any command: describe what was read. Off by default, so a
// command that succeeds prints nothing but what it is asked for.
void setCliVerbose(bool on);
bool cliVerbose();

// "path: text" on standard error, the form of every command's error line.
void printInputError(const QString &path, const QString &text);
