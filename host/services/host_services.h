// The host's own interface to tzad's program, its window and paint libraries and its tests.
// libtzad exports the SDK and, beside it, one entry point that hands out this table: modules
// see the SDK alone, and the host's state (the editor, the open drawings, the modules, the
// settings, a drawing's undo count) stays inside libtzad. Those binaries link
// tzad_host_calls, which defines each function below as its own header declares it, as a call
// through the table, so their code calls the host as libtzad's own code does.
//
// Code that keeps no state another binary must share (the view's geometry, texts in the user's
// language, keywords, the input sources, the place history's arithmetic) is not in the table: it
// is compiled into each binary that uses it (tzad_host_pieces, cmake/HostLayers.cmake).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/file_replacement.h"
#include "docs/document.h"
#include "docs/document_manager.h"
#include "docs/place_history.h"
#include "editor/editor.h"
#include "editor/module_panes.h"
#include "editor/window_message_box.h"
#include "editor/window_requests.h"
#include "view/page_setup.h"
#include "view/scene.h"

namespace tzad {

// The sizes of the table and of the host's objects that tzad's binaries lay out themselves (their
// inline members read them), as a binary was built: one built against other headers than the
// libtzad it meets refuses to start rather than call through the wrong entries.
struct HostLayout {
  size_t services, editor, document, documentManager, scene, placeHistory, inputSource;
  bool operator==(const HostLayout&) const = default;
};

struct HostServices {
  HostLayout layout;

  // base
  void (*setHostLanguage)(const std::string& language);
  bool (*speaksLanguage)(const std::string& language);
  std::string (*catalogLanguage)(const std::string& language);
  bool (*displayNamed)();
  bool (*startMainWindow)(const std::string& version);
  void (*endMainWindow)();

  // db
  std::optional<std::string> (*headerVariable)(const TzDbDatabase& db, std::string_view name);
  bool (*saveDrawing)(TzDbDatabase& db, const std::u16string& path, bool keepBackup);
  uint64_t (*drawingChanges)(const TzDbDatabase& db);
  int64_t (*recordNameOf)(TzDbObjectId id);
  TzDbObjectId (*recordOfName)(int64_t name);
  void (*setReplacementStepHook)(FileReplacement::StepHook hook);
  void (*setReplacementHiddenNamesOnly)(bool only);
  void (*replacementReached)(FileReplacement::Step step);
  bool (*replacementHiddenNamesOnly)();

  // docs
  std::u16string (Document::*nextUndo)() const;
  std::u16string (Document::*nextRedo)() const;
  DocumentManager& (*documentManager)();
  Document* (DocumentManager::*openDocument)(const std::u16string& path);
  Document* (DocumentManager::*findDocument)(const std::u16string& absolutePath) const;
  Document* (DocumentManager::*createDocument)();
  void (DocumentManager::*resetDocuments)();
  std::u16string (*absolutePath)(const std::u16string& path);
  void (*removeAutosave)(Document& doc);

  // view
  Scene (*buildScene)(TzDbDatabase& db, TzDbObjectId layoutBlockRecord, SceneUse use);
  Scene (*buildCurrentScene)(TzDbDatabase& db);
  std::optional<PaperSetup> (*paperSetupOf)(TzDbDatabase& db, TzDbObjectId layout);

  // editor
  Editor& (*editor)();
  void (Editor::*setInput)(std::unique_ptr<InputSource> input);
  void (Editor::*setOutput)(std::function<void(std::string_view)> output);
  void (Editor::*resetEditor)();
  void (Editor::*write)(std::string_view utf8);
  void (Editor::*addCommand)(const std::u16string& name, std::function<void()> run,
                             std::u16string description);
  int (Editor::*runScripted)(const std::vector<std::u16string>& tokens);
  bool (Editor::*hasObjectAction)(const std::u16string& name) const;
  int (Editor::*runObjectAction)(const std::u16string& name, TzArray<TzDbObjectId>& ids,
                                 const std::u16string& step);
  void (Editor::*runLoop)();
  void (*mentionCopiesOfUnsavedDrawings)();
  std::string (*userSetting)(const std::string& name, const std::string& fallback);
  bool (*setUserSetting)(const std::string& name, const std::string& value);
  std::string (*userSettingsPath)();
  std::vector<std::u16string> (*layoutNames)(TzDbDatabase& db);
  std::vector<std::u16string> (*viewNames)(TzDbDatabase& db);
  const std::vector<ModulePane>& (*modulePanes)();
  std::u16string (*paneLabel)(const ModulePane& pane);
  PlaceHistory& (*linkHistory)();
  bool (*canStep)(Direction direction);
  void (*setWindowRequests)(WindowRequests requests);
  void (*setWindowMessageBox)(WindowMessageBox show);

  // modules
  bool (*loadModule)(const std::string& path);
  void (*loadModulesIn)(const std::string& folder);
  void (*unloadModules)();
};

inline constexpr HostLayout kHostLayout{
    sizeof(HostServices), sizeof(Editor),       sizeof(Document),   sizeof(DocumentManager),
    sizeof(Scene),        sizeof(PlaceHistory), sizeof(InputSource)};

// The table libtzad filled, checked against this build's layout.
const HostServices& hostServices();

}  // namespace tzad

extern "C" __attribute__((visibility("default"))) const tzad::HostServices* tzadHostServices();
