#pragma once

#include "import/Importer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class ModelClass;

// The models of one command's INPUT, loaded as the viewer loads them: a .surf
// gives one model, an .hx scene one model per surface it lists, in its order;
// a mesh file, a legacy VTK file, a label map or a folder of masks is
// imported (a model per mesh file, per label, per mask).
// On a failure prints "path: message" to standard error and returns false;
// models already loaded are kept in `models`. With --verbose, every model
// loaded is described on standard error. Of a session, `session` (when
// given) receives the session read.
bool loadInputModels(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models,
                     std::shared_ptr<const Session> *session = nullptr);

// INPUT through the door, its problems printed on standard error; of a
// session, the hidden models are left out. False when INPUT fails. The
// first admits INPUT; the second opens an input admitInput() recognised.
bool openInput(const QString &input, OpenedFile &opened);
bool openInput(const Recognition &input, OpenedFile &opened);

// INPUT as loadInputModels() reads it or, when it holds an image of
// intensities, as that image (`models` stays empty then).
bool loadInput(const QString &input, std::vector<std::unique_ptr<ModelClass>> &models,
               std::shared_ptr<const ImageVolume> &image,
               std::shared_ptr<const Session> *session = nullptr);
bool loadInput(const Recognition &input, std::vector<std::unique_ptr<ModelClass>> &models,
               std::shared_ptr<const ImageVolume> &image,
               std::shared_ptr<const Session> *session = nullptr);

// The image of --ct: a NIfTI or NRRD file read as an image whatever its
// values. On a failure prints "path: message" and returns false.
bool loadImage(const QString &path, std::shared_ptr<const ImageVolume> &image);

// --as image|labels and --series N|UID of any command: how the door reads
// INPUT. Reading as labels refuses an image; as an image refuses surfaces.
void setCliReadOptions(ReadAs as, const QString &series);

// A missing file, or one of a kind nothing reads, named on standard error
// ("path: the file does not exist", or the kinds that are read) before any
// reader sees it; false after the message. This is the CLI's door: what the
// input holds is recognised here, once, into `seen`.
bool admitInput(const QString &input, Recognition &seen);

// --verbose of any command: describe what was read. Off by default, so a
// command that succeeds prints nothing but what it is asked for.
void setCliVerbose(bool on);
bool cliVerbose();

// "path: text" on standard error, the form of every command's error line.
void printInputError(const QString &path, const QString &text);

// The usage status every command exits with on a usage error.
inline constexpr int kUsageError = 64;

// A command's failure on standard error: "tessaron-cli COMMAND: text" in one
// line, then the command's usage when `status` is the usage status; returns
// `status`.
int commandFailure(const char *command, int status, const QString &text, const char *usage);

// A usage error: the cause and the command's usage; returns the usage status.
int usageError(const char *command, const QString &cause, const char *usage);

// What a command takes: the names of its positional arguments in order (for
// "INPUT is missing"), its switches and its options that take a value.
struct CommandGrammar
{
    QStringList positional;
    QStringList switches;
    QStringList valued;
};

// A command line read by its grammar: the positional arguments, the switches
// given and each option with its value, in the order given.
struct CommandArgs
{
    QStringList positional;
    QStringList switches;
    QList<std::pair<QString, QString>> values;

    bool has(const char *option) const { return switches.contains(QLatin1String(option)); }
};

// Reads `args`; the cause of the first usage error in their order (an
// unknown option, an option without its value, one argument too many), or
// an empty string. Missing arguments are left to missingArgument(), so that
// a command can first judge the options' values.
QString readCommandLine(const QStringList &args, const CommandGrammar &grammar, CommandArgs &out);

// readCommandLine(), then missingArgument(): for commands whose options take
// no value that needs judging.
QString readArguments(const QStringList &args, const CommandGrammar &grammar, CommandArgs &out);

// "INPUT is missing" (or "INPUT and OUTPUT are missing" when both of two are),
// or an empty string when every positional argument is there.
QString missingArgument(const CommandGrammar &grammar, const CommandArgs &args);

// The lines of every usage that say what INPUT may be.
extern const char *const kInputHelp;

// Whether a model is the one the user named: its name or its file's name
// without folder and ending, in any case.
bool namesModel(const QString &wanted, const QString &name, const QString &fileName);

// "a, b, c": the names of the models, to say which ones there are.
QString modelNamesText(const QStringList &names);
