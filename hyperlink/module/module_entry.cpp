// The module's life: tables and the keyword library at load, the resource library from
// attach to detach. On this platform attach and detach are the library's load and unload.
#include <dlfcn.h>

#include "module/module_state.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "tzed_editor.h"
#include "tzrx_module.h"

namespace {

constexpr unsigned kAttach = 1;
constexpr unsigned kDetach = 0;
constexpr char16_t kResourceLibrary[] = u"hyperlinkres.so";

std::u16string resourceLibraryPath() {
  std::u16string own =
      platform::modulePathOf(reinterpret_cast<const void*>(&moduleEntry)).value_or(u"");
  size_t slash = own.rfind(u'/');
  return (slash == std::u16string::npos ? std::u16string(u".") : own.substr(0, slash)) + u"/" +
         kResourceLibrary;
}

}  // namespace

void loadTimeInitialisation() {
  recentEmailLinks().clear();
  ModuleState& state = moduleState();
  if (state.keywords == nullptr) state.keywords = tzrxLoadLibrary(u"tzadkwlres");
}

extern "C" __attribute__((visibility("default"))) int moduleEntry(unsigned reason) {
  ModuleState& state = moduleState();
  if (reason == kAttach) {
    if (state.resources == nullptr) {
      std::string path = platform::toFileName(resourceLibraryPath());
      state.resources = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (state.resources == nullptr) tzutPrintf(u"Error: Cannot load hyperlinkres.so!\n");
    }
    return 1;
  }
  if (reason == kDetach && state.resources != nullptr) {
    dlclose(state.resources);
    state.resources = nullptr;
  }
  return 1;
}

namespace {

__attribute__((constructor)) void onLoad() {
  loadTimeInitialisation();
  moduleEntry(kAttach);
}

__attribute__((destructor)) void onUnload() {
  moduleEntry(kDetach);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry kCommands[] = {{u"-HYPERLINK", "hyperlink"},
                                             {u"HYPERLINKOPEN", "hyperlinkopen"},
                                             {u"PASTEASHYPERLINK", "pasteashyperlink"},
                                             {nullptr, nullptr}};
  return kCommands;
}

extern "C" __attribute__((visibility("default"))) int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
