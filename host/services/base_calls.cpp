// The host's language and window start, as tzad's binaries call them (services/host_services.h).
#include "base/language.h"
#include "base/window_library.h"
#include "services/host_services.h"

namespace tzad {

void setHostLanguage(const std::string& language) {
  hostServices().setHostLanguage(language);
}

bool speaksLanguage(const std::string& language) {
  return hostServices().speaksLanguage(language);
}

std::string catalogLanguage(const std::string& language) {
  return hostServices().catalogLanguage(language);
}

bool displayNamed() {
  return hostServices().displayNamed();
}

bool startMainWindow(const std::string& version) {
  return hostServices().startMainWindow(version);
}

void endMainWindow() {
  hostServices().endMainWindow();
}

}  // namespace tzad
