#include "base/window_library.h"

#include <cstdio>
#include <cstdlib>

#include "base/host_library.h"
#include "base/translation.h"
#include "tzui.h"

namespace tzad {
namespace {

template <typename Function>
Function windowFunction(const char* symbol) {
  std::string error;
  void* address = hostLibrarySymbol(kWindowLibrary, symbol, error);
  // A display is named, so a window was expected: say why there is none.
  if (address == nullptr) std::fputs(tr8("tzad: no windows: {0}\n", {error}).c_str(), stderr);
  return reinterpret_cast<Function>(address);
}

}  // namespace

bool displayNamed() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

bool startMainWindow(const std::string& version) {
  if (!TwUiHasDisplay()) return false;
  auto open = windowFunction<bool (*)(const char*)>(kOpenMainWindowSymbol);
  return open != nullptr && open(version.c_str());
}

void endMainWindow() {
  // Only a session that opened its window has the library loaded.
  if (!TwUiHasDisplay()) return;
  if (auto close = windowFunction<void (*)()>(kCloseMainWindowSymbol)) close();
}

}  // namespace tzad

// The first call loads the window library and starts the toolkit on the display; without a
// display nothing is loaded.
bool TwUiHasDisplay() {
  static bool (*hasDisplay)() =
      tzad::displayNamed() ? tzad::windowFunction<bool (*)()>(tzad::kHasDisplaySymbol) : nullptr;
  return hasDisplay != nullptr && hasDisplay();
}
