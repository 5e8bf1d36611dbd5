#include "modules/module_loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "base/translation.h"
#include "editor/editor.h"
#include "tzrx_link_target.h"
#include "editor/module_panes.h"
#include "tzrx_module.h"
#include "tzrx_object_actions.h"

namespace tzad {

namespace {

struct LoadedModule {
  std::string path;
  void* handle;
};

std::vector<LoadedModule>& modules() {
  static std::vector<LoadedModule> all;
  return all;
}

// Why a freshly opened module cannot be let in, or nothing when it can. A module built
// against other SDK headers may lay out what it shares with the host differently.
std::u16string refusal(void* handle) {
  auto version = reinterpret_cast<TzApiVersionFunction>(dlsym(handle, kTzrxApiVersionExport));
  if (version == nullptr)
    return trf("it does not say which SDK version it was built for (it exports no {0}).",
               {kTzrxApiVersionExport});
  int builtFor = version();
  if (builtFor == kTzrxApiVersion) return u"";
  return trf(
      "it was built for SDK version {0}, and this tzad offers version {1}. Rebuild it "
      "against this tzad's SDK.",
      {builtFor, kTzrxApiVersion});
}

// The line HELP shows for a module's command: the module's own, else where it comes from.
std::u16string commandLine(TzCommandHelpFunction help, const char16_t* command,
                           const std::string& file) {
  char16_t buffer[256] = {};
  int n = help ? help(command, buffer, static_cast<int>(std::size(buffer))) : 0;
  if (n > 0) return std::u16string(buffer, static_cast<size_t>(std::min<int>(n, 255)));
  return trf("A command of the module {0}.", {file});
}

void addModuleCommands(void* handle, const std::string& file) {
  Editor& ed = Editor::instance();
  auto table = reinterpret_cast<TzCommandTableFunction>(dlsym(handle, kTzrxCommandsExport));
  auto help = reinterpret_cast<TzCommandHelpFunction>(dlsym(handle, kTzrxCommandHelpExport));
  for (const TzCommandEntry* e = table ? table() : nullptr; e && e->command; ++e) {
    auto run = reinterpret_cast<TzCommandFunction>(dlsym(handle, e->exportName));
    if (run == nullptr) {
      ed.write(trf("Module {0}: command {1} is not available: its function {2} is missing.\n",
                   {file, e->command, e->exportName}));
      continue;
    }
    ed.addCommand(e->command, run, commandLine(help, e->command, file));
  }
}

// The actions a module offers on objects, for the window's menus, and what it says of where
// links lead, for its status bar.
void addModuleActions(void* handle, const std::string& file) {
  Editor& ed = Editor::instance();
  auto table =
      reinterpret_cast<TzObjectActionTableFunction>(dlsym(handle, kTzrxObjectActionsExport));
  for (const TzObjectActionEntry* e = table ? table() : nullptr; e && e->action; ++e) {
    auto run = reinterpret_cast<TzObjectActionFunction>(dlsym(handle, e->exportName));
    if (run == nullptr) {
      ed.write(tr8("Module {0}: action {1} is not available: its function {2} is missing.\n",
                   {file, tzutToUtf8(e->action), e->exportName}));
      continue;
    }
    ed.addObjectAction(e->action, run);
  }
  auto describe =
      reinterpret_cast<TzDescribeLinkTargetFunction>(dlsym(handle, kTzrxDescribeLinkTargetExport));
  if (describe && ed.linkTargetDescriber() == nullptr) ed.setLinkTargetDescriber(describe);
}

// The panes a module places beside the drawing, for the window's View menu.
void addModulePanes(void* handle, const std::string& file) {
  auto table = reinterpret_cast<TzPaneTableFunction>(dlsym(handle, kTzrxPanesExport));
  for (const TzPaneEntry* e = table ? table() : nullptr; e && e->pane; ++e) {
    auto label = reinterpret_cast<TzPaneLabelFunction>(dlsym(handle, e->labelExport));
    auto create = reinterpret_cast<TzPaneCreateFunction>(dlsym(handle, e->createExport));
    auto changed = reinterpret_cast<TzPaneChangedFunction>(dlsym(handle, e->changedExport));
    if (create == nullptr || changed == nullptr) {
      Editor::instance().write(
          tr8("Module {0}: pane {1} is not available: its functions {2} and {3} are needed.\n",
              {file, tzutToUtf8(e->pane), e->createExport, e->changedExport}));
      continue;
    }
    addModulePane({e->pane, e->shortcut ? e->shortcut : "", label, create, changed});
  }
}

}  // namespace

bool loadModule(const std::string& path) {
  Editor& ed = Editor::instance();
  std::error_code noFolder;
  std::string absolute = std::filesystem::absolute(path, noFolder).lexically_normal().string();
  if (noFolder) absolute = path;  // the working folder is gone: dlopen says what it makes of it
  for (const LoadedModule& m : modules())
    if (m.path == absolute) return true;
  void* handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    ed.write(trf("Cannot load module {0}: {1}\n", {path, dlerror()}));
    return false;
  }
  if (std::u16string why = refusal(handle); !why.empty()) {
    dlclose(handle);
    ed.write(trf("Module {0} is not loaded: {1}\n",
                 {std::filesystem::path(path).filename().string(), why}));
    return false;
  }
  modules().push_back({absolute, handle});
  // A module's tables are its own code: what it throws is reported, and tzad goes on.
  try {
    addModuleCommands(handle, std::filesystem::path(path).filename().string());
    addModuleActions(handle, std::filesystem::path(path).filename().string());
    addModulePanes(handle, std::filesystem::path(path).filename().string());
  } catch (const std::exception& e) {
    ed.write(
        trf("Module {0} failed while its commands and actions were read: {1}\n", {path, e.what()}));
  } catch (...) {
    ed.write(trf("Module {0} failed while its commands and actions were read.\n", {path}));
  }
  return true;
}

void loadModulesIn(const std::string& folder) {
  std::error_code ec;
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".tzx") paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  for (const std::string& p : paths) loadModule(p);
}

void unloadModules() {
  Editor::instance().removeObjectActions();
  Editor::instance().setLinkTargetDescriber(nullptr);
  removeModulePanes();
  while (!modules().empty()) {
    dlclose(modules().back().handle);
    modules().pop_back();
  }
}

}  // namespace tzad

// The SDK functions keep their global names and work through the host's own code.
using tzad::LoadedModule;
using tzad::modules;

void* tzrxLoadedModule(const char16_t* fileName) {
  if (fileName == nullptr) return nullptr;
  std::string name = tzutToUtf8(fileName);
  for (const LoadedModule& m : modules()) {
    std::string file = std::filesystem::path(m.path).filename().string();
    if (file.size() == name.size() &&
        std::equal(file.begin(), file.end(), name.begin(),
                   [](char a, char b) { return tolower(a) == tolower(b); }))
      return m.handle;
  }
  return nullptr;
}

void* tzrxModuleExport(void* module, const char* name) {
  return module && name ? dlsym(module, name) : nullptr;
}

void* tzrxLoadLibrary(const char16_t* bareName) {
  if (bareName == nullptr) return nullptr;
  std::string file = tzutToUtf8(bareName) + ".so";
  // The host's own libraries lie beside libtzad. The loader's search by bare name would find
  // them through libtzad's RUNPATH only when it takes libtzad as the caller, which a sanitizer
  // runtime that intercepts dlopen defeats.
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&tzrxLoadLibrary), &self) != 0 && self.dli_fname != nullptr) {
    const std::filesystem::path beside = std::filesystem::path(self.dli_fname).parent_path() / file;
    if (void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
  }
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}
