// The module's life: tables and the keyword library at load, the resource library from
// attach to detach. On this platform attach and detach are the library's load and unload.
#include <dlfcn.h>

#include "module/module_state.h"
#include "module/resource_string.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "tz_string.h"
#include "tzed_editor.h"
#include "tzrx_module.h"

namespace hyperlink {
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

}  // namespace hyperlink

extern "C" __attribute__((visibility("default"))) int moduleEntry(unsigned reason) {
  hyperlink::ModuleState& state = hyperlink::moduleState();
  if (reason == hyperlink::kAttach) {
    if (state.resources == nullptr) {
      std::string path = platform::toFileName(hyperlink::resourceLibraryPath());
      state.resources = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (state.resources == nullptr) tzutPrintf(u"Error: Cannot load hyperlinkres.so!\n");
    }
    return 1;
  }
  if (reason != hyperlink::kDetach) return 1;
  if (state.dialogs != nullptr) {
    dlclose(state.dialogs);
    state.dialogs = nullptr;
  }
  if (state.resources != nullptr) {
    dlclose(state.resources);
    state.resources = nullptr;
  }
  return 1;
}

namespace {

__attribute__((constructor)) void onLoad() {
  hyperlink::loadTimeInitialisation();
  moduleEntry(hyperlink::kAttach);
}

__attribute__((destructor)) void onUnload() {
  moduleEntry(hyperlink::kDetach);
}

}  // namespace

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry kCommands[] = {{u"HYPERLINK", "hyperlinkDlg"},
                                             {u"-HYPERLINK", "hyperlink"},
                                             {u"HYPERLINKOPEN", "hyperlinkopen"},
                                             {u"PASTEASHYPERLINK", "pasteashyperlink"},
                                             {nullptr, nullptr}};
  return kCommands;
}

TZRX_EXPORT int tzrxCommandHelp(const char16_t* command, char16_t* buffer, int size) {
  namespace text = hyperlink::text;
  static const std::pair<std::u16string_view, hyperlink::TextId> kLines[] = {
      {u"HYPERLINK", text::kHelpHyperlinkDialog},
      {u"-HYPERLINK", text::kHelpHyperlink},
      {u"HYPERLINKOPEN", text::kHelpHyperlinkOpen},
      {u"PASTEASHYPERLINK", text::kHelpPasteAsHyperlink},
  };
  if (command == nullptr) return 0;
  for (const auto& [name, line] : kLines)
    if (name == command) return tzutCopyString(hyperlink::resourceText(line), buffer, size);
  return 0;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
