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

// A missing file, or one of a kind nothing reads, named on standard error
// ("path: the file does not exist", or the kinds that are read) before any
// reader sees it; false after the message.
bool admitInput(const QString &input);

// True when INPUT goes through the importer rather than the .surf reader.
bool isImportedInput(const QString &input);

// --verbose of any command: describe what was read. Off by default, so a
// command that succeeds prints nothing but what it is asked for.
void setCliVerbose(bool on);
bool cliVerbose();

// "path: text" on standard error, the form of every command's error line.
void printInputError(const QString &path, const QString &text);

// A usage error: "tessaron-cli COMMAND: cause" in one line, then the
// command's usage, on standard error; returns the usage status 64.
int usageError(const char *command, const QString &cause, const char *usage);

// The lines of every usage that say what INPUT may be.
extern const char *const kInputHelp;

// Whether a model is the one the user named: its name or its file's name
// without folder and ending, in any case.
bool namesModel(const QString &wanted, const QString &name, const QString &fileName);

// "a, b, c": the names of the models, to say which ones there are.
QString modelNamesText(const QStringList &names);
