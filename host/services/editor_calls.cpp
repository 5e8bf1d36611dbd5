// The command-line session and what the editor keeps for the window, as tzad's binaries call
// them (services/host_services.h).
#include "editor/commands/command_support.h"
#include "editor/editor.h"
#include "editor/link_navigation.h"
#include "editor/module_panes.h"
#include "editor/user_settings.h"
#include "editor/window_message_box.h"
#include "editor/window_requests.h"
#include "services/host_services.h"

namespace tzad {

Editor& Editor::instance() {
  return hostServices().editor();
}

void Editor::setInput(std::unique_ptr<InputSource> input) {
  (this->*hostServices().setInput)(std::move(input));
}

void Editor::setOutput(std::function<void(std::string_view)> output) {
  (this->*hostServices().setOutput)(std::move(output));
}

void Editor::reset() {
  (this->*hostServices().resetEditor)();
}

void Editor::write(std::string_view utf8) {
  (this->*hostServices().write)(utf8);
}

void Editor::addCommand(const std::u16string& name, std::function<void()> run,
                        std::u16string description) {
  (this->*hostServices().addCommand)(name, std::move(run), std::move(description));
}

int Editor::runScripted(const std::vector<std::u16string>& tokens) {
  return (this->*hostServices().runScripted)(tokens);
}

bool Editor::hasObjectAction(const std::u16string& name) const {
  return (this->*hostServices().hasObjectAction)(name);
}

int Editor::runObjectAction(const std::u16string& name, TzArray<TzDbObjectId>& ids,
                            const std::u16string& step) {
  return (this->*hostServices().runObjectAction)(name, ids, step);
}

void Editor::runLoop() {
  (this->*hostServices().runLoop)();
}

void mentionCopiesOfUnsavedDrawings() {
  hostServices().mentionCopiesOfUnsavedDrawings();
}

std::string userSetting(const std::string& name, const std::string& fallback) {
  return hostServices().userSetting(name, fallback);
}

bool setUserSetting(const std::string& name, const std::string& value) {
  return hostServices().setUserSetting(name, value);
}

std::string userSettingsPath() {
  return hostServices().userSettingsPath();
}

std::vector<std::u16string> layoutNames(TzDbDatabase& db) {
  return hostServices().layoutNames(db);
}

std::vector<std::u16string> viewNames(TzDbDatabase& db) {
  return hostServices().viewNames(db);
}

const std::vector<ModulePane>& modulePanes() {
  return hostServices().modulePanes();
}

std::u16string paneLabel(const ModulePane& pane) {
  return hostServices().paneLabel(pane);
}

PlaceHistory& linkHistory() {
  return hostServices().linkHistory();
}

bool canStep(Direction direction) {
  return hostServices().canStep(direction);
}

void setWindowRequests(WindowRequests requests) {
  hostServices().setWindowRequests(std::move(requests));
}

}  // namespace tzad

void setWindowMessageBox(WindowMessageBox show) {
  tzad::hostServices().setWindowMessageBox(show);
}
