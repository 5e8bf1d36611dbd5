#include "base/host_language.h"

#include <cstdlib>

#include "tzrx_module.h"

namespace tzad {

namespace {

std::string& language() {
  static std::string lang;
  return lang;
}

std::string languageFromEnvironment() {
  for (const char* var : {"TZAD_LANG", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value == nullptr || *value == 0) continue;
    std::string v = value;
    if (v.rfind("en", 0) == 0) return "en";
    if (v.rfind("zh", 0) == 0) return "zh";
    if (std::string(var) == "TZAD_LANG") return "zh";  // a language we do not ship
  }
  return "zh";
}

}  // namespace

void setHostLanguage(const std::string& lang) {
  language() = lang;
}

}  // namespace tzad

const char* tzutLanguage() {
  std::string& language = tzad::language();
  if (language.empty()) language = tzad::languageFromEnvironment();
  return language.c_str();
}
