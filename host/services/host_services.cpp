// libtzad's side of the host's interface: the table of its functions that tzad's own binaries
// call (services/host_services.h).
#include "services/host_services.h"

#include "base/language.h"
#include "base/window_library.h"
#include "db/drawing_access.h"
#include "db/record_names.h"
#include "docs/autosave.h"
#include "editor/commands/command_support.h"
#include "editor/link_navigation.h"
#include "editor/user_settings.h"
#include "modules/module_loader.h"

namespace tzad {
namespace {

const HostServices kServices{
    .layout = kHostLayout,

    .setHostLanguage = &setHostLanguage,
    .speaksLanguage = &speaksLanguage,
    .catalogLanguage = &catalogLanguage,
    .displayNamed = &displayNamed,
    .startMainWindow = &startMainWindow,
    .endMainWindow = &endMainWindow,

    .headerVariable = &headerVariable,
    .saveDrawing = &saveDrawing,
    .drawingChanges = &drawingChanges,
    .recordNameOf = &recordNameOf,
    .recordOfName = &recordOfName,
    .setReplacementStepHook = &FileReplacement::setStepHook,
    .setReplacementHiddenNamesOnly = &FileReplacement::setHiddenNamesOnly,
    .replacementReached = &FileReplacement::reached,
    .replacementHiddenNamesOnly = &FileReplacement::hiddenNamesOnly,

    .nextUndo = &Document::nextUndo,
    .nextRedo = &Document::nextRedo,
    .documentManager = &DocumentManager::instance,
    .openDocument = &DocumentManager::open,
    .findDocument = &DocumentManager::find,
    .createDocument = &DocumentManager::create,
    .resetDocuments = &DocumentManager::reset,
    .absolutePath = &DocumentManager::absolutePath,
    .removeAutosave = &removeAutosave,

    .buildScene = &buildScene,
    .buildCurrentScene = &buildCurrentScene,
    .paperSetupOf = &paperSetupOf,

    .editor = &Editor::instance,
    .setInput = &Editor::setInput,
    .setOutput = &Editor::setOutput,
    .resetEditor = &Editor::reset,
    .write = static_cast<void (Editor::*)(std::string_view)>(&Editor::write),
    .addCommand = &Editor::addCommand,
    .runScripted = &Editor::runScripted,
    .hasObjectAction = &Editor::hasObjectAction,
    .runObjectAction = &Editor::runObjectAction,
    .runLoop = &Editor::runLoop,
    .mentionCopiesOfUnsavedDrawings = &mentionCopiesOfUnsavedDrawings,
    .userSetting = &userSetting,
    .setUserSetting = &setUserSetting,
    .userSettingsPath = &userSettingsPath,
    .layoutNames = &layoutNames,
    .viewNames = &viewNames,
    .modulePanes = &modulePanes,
    .paneLabel = &paneLabel,
    .linkHistory = &linkHistory,
    .canStep = &canStep,
    .setWindowRequests = &setWindowRequests,
    .setWindowMessageBox = &setWindowMessageBox,

    .loadModule = &loadModule,
    .loadModulesIn = &loadModulesIn,
    .unloadModules = &unloadModules,
};

}  // namespace
}  // namespace tzad

const tzad::HostServices* tzadHostServices() {
  return &tzad::kServices;
}
