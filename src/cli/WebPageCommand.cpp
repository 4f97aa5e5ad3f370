#include "WebPageCommand.h"

#include "CliInput.h"
#include "formats/GltfCamera.h"
#include "formats/OutputFile.h"
#include "formats/SessionFile.h"
#include "formats/WebPageWriter.h"
#include "measure/MeasureReport.h"
#include "measure/PageTables.h"
#include "model/ModelClass.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

#ifdef TESSARON_CLI_RENDER
#include "view/SettingsFile.h"
#include "view/ViewConfig.h"
#endif

#include <cstdio>
#include <memory>
#include <vector>

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Installs the viewer's Russian catalogue when its language setting says
// Russian (only the build with the view has both).
void followInterfaceLanguage(QTranslator &translator)
{
#ifdef TESSARON_CLI_RENDER
    if (SettingsFile::savedLanguage() == Language::Russian
        && translator.load(QStringLiteral(":/ru_translate")))
        QCoreApplication::installTranslator(&translator);
#else
    Q_UNUSED(translator);
#endif
}

bool loadInputs(const QStringList &inputs, std::vector<std::unique_ptr<ModelClass>> &parts,
                std::shared_ptr<const Session> &session)
{
    if (inputs.size() == 1)
        return loadInputModels(inputs.front(), parts, &session);
    for (const QString &input : inputs)
        if (!loadInputModels(input, parts))
            return false;
    return true;
}

} // namespace

int writeWebPageCommand(const QStringList &inputs, const QString &output)
{
    if (const QString why = webPageUnavailable(); !why.isEmpty()) {
        printError(output + ": " + why);
        return 2;
    }
    QTranslator translator;
    WebPage page;
    followInterfaceLanguage(translator);
    std::vector<std::unique_ptr<ModelClass>> parts;
    std::shared_ptr<const Session> session;
    if (!loadInputs(inputs, parts, session))
        return 1;
    std::vector<measure::ModelSnapshot> shots;
    for (const auto &part : parts) {
        page.models << part.get();
        shots.push_back(measure::snapshotModel(*part));
        if (!shots.back().refusal.isEmpty()) {
            printInputError(inputs.front(), shots.back().refusal);
            return 1;
        }
    }
    page.title = QFileInfo(inputs.front()).fileName();
    page.camera = session && session->camera ? viewingCamera(page.models, *session->camera)
                                             : framingCamera(page.models);
    page.tables = measure::pageTables(measure::measureScene(shots, {}));
    const qint32 code = writeWebPage(page, output);
    if (code == errUnknown) {
        printError(output + ": the model has cells that name vertices it does not have");
        return 2;
    }
    if (code != errNone) {
        const QString reason = lastOutputError();
        printError(reason.isEmpty() ? output + ": cannot be written" : reason);
        return 2;
    }
    return 0;
}
