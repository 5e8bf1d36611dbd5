// The Hyperlinks panel as LinkTools.tzx offers it to the window (tzui_panes.h), and HYPERLINKS,
// the command that shows it. The panel's code and the toolkit under it are in a library of
// their own, loaded the first time the window shows the panel.
#include <dlfcn.h>

#include <string>

#include "core/link_text.h"
#include "module/command_answers.h"
#include "module/linktools_commands.h"
#include "panel/panel_library.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "tzui_panes.h"

namespace linktools {

namespace {

inline constexpr char16_t kPaneName[] = u"HYPERLINKS";

// Whether the panel's library was asked for and could not be loaded: the window is there then.
bool panelMissing = false;

// The panel's library beside this module, loaded on the first call and kept to the end of the
// process: the windows it made live in the toolkit, which stays too. Null after saying why
// when it cannot be loaded.
void* panelLibrary() {
  static void* library = nullptr;
  if (library) return library;
  std::string own = platform::toFileName(
      platform::modulePathOf(reinterpret_cast<const void*>(&hyperlinksCommand)).value_or(u""));
  size_t slash = own.rfind('/');
  std::string path =
      (slash == std::string::npos ? std::string(".") : own.substr(0, slash)) + "/" + kPanelLibrary;
  library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (library == nullptr) {
    const char* why = dlerror();
    printLine(
        linkText(u"The Hyperlinks panel cannot be loaded: %1", {tzutFromUtf8(why ? why : path)}));
    panelMissing = true;
  }
  return library;
}

template <typename Function>
Function panelFunction(const char* name) {
  void* library = panelLibrary();
  return library ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

}  // namespace

void hyperlinksCommand() {
  if (tzedShowPane(kPaneName) != RTNORM && !panelMissing)
    printLine(
        linkText(u"The Hyperlinks panel is part of tzad's window, which this session does "
                 u"not have."));
}

}  // namespace linktools

TZRX_EXPORT int linktoolsPaneLabel(char16_t* buffer, int size) {
  return tzutCopyString(linktools::linkText(u"Hyperlinks &Panel"), buffer, size);
}

TZRX_EXPORT void* linktoolsCreatePane(void* parent) {
  auto create =
      linktools::panelFunction<linktools::PanelCreateFunction>(linktools::kPanelCreateSymbol);
  return create ? create(parent) : nullptr;
}

TZRX_EXPORT void linktoolsPaneChanged(void* pane) {
  auto changed =
      linktools::panelFunction<linktools::PanelChangedFunction>(linktools::kPanelChangedSymbol);
  if (changed) changed(pane);
}

TZRX_EXPORT const TzPaneEntry* tzrxPanes() {
  static const TzPaneEntry kPanes[] = {{linktools::kPaneName, "Ctrl+Shift+H", "linktoolsPaneLabel",
                                        "linktoolsCreatePane", "linktoolsPaneChanged"},
                                       {nullptr, nullptr, nullptr, nullptr, nullptr}};
  return kPanes;
}
