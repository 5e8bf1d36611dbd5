#include "base/language.h"

#include <dlfcn.h>
#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/translation.h"
#include "tzrx_module.h"

namespace tzad {

namespace {

std::string& language() {
  static std::string lang;
  return lang;
}

bool hasCatalog(const std::string& name) {
  std::error_code ec;
  return !name.empty() &&
         std::filesystem::is_regular_file(
             std::filesystem::path(catalogFolder()) / name / "LC_MESSAGES" / "tzad.mo", ec);
}

// "de_AT.UTF-8@euro" names the language "de_AT"; its catalog may be "de_AT" or "de".
std::string installedLanguageOf(const std::string& localeName) {
  std::string name = localeName.substr(0, localeName.find_first_of(".@"));
  if (hasCatalog(name)) return name;
  std::string base = name.substr(0, name.find('_'));
  return hasCatalog(base) ? base : "";
}

std::string languageFromEnvironment() {
  for (const char* var : {"TZAD_LANG", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value == nullptr || *value == 0) continue;
    std::string v = value;
    if (v.rfind("en", 0) == 0) return "en";
    if (v.rfind("zh", 0) == 0) return "zh";
    if (std::string installed = installedLanguageOf(v); !installed.empty()) return installed;
    if (std::string(var) == "TZAD_LANG") return "zh";  // a language we do not ship
  }
  return "zh";
}

// gettext reads the language from LANGUAGE, which glibc ignores while LC_MESSAGES is the "C"
// locale. C.UTF-8 is built into glibc, so the catalog is read even on a machine that has no
// locale of the user's language generated; a generated locale of the environment is kept.
void useCatalogOf(const std::string& lang) {
  bindtextdomain(kTextDomain, catalogFolder().c_str());
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  const char* messages = std::setlocale(LC_MESSAGES, "");
  if (messages == nullptr || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
    std::setlocale(LC_MESSAGES, "C.UTF-8");
  // Set also for the toolkit (GTK's own texts) and for the programs tzad starts.
  setenv("LANGUAGE", catalogLanguage(lang).c_str(), 1);
  // gettext keeps what it looked up until the catalogs are said to have changed, which
  // setting the default domain (again) says.
  textdomain(textdomain(nullptr));
}

}  // namespace

void setHostLanguage(const std::string& lang) {
  language() = lang;
  if (!lang.empty()) useCatalogOf(lang);
}

bool speaksLanguage(const std::string& lang) {
  return lang == "en" || lang == "zh" || hasCatalog(lang);
}

std::string catalogLanguage(const std::string& lang) {
  return lang == "zh" ? "zh_CN" : lang;
}

std::string catalogFolder() {
  const char* named = std::getenv("TZAD_LOCALEDIR");
  if (named != nullptr && *named != 0) return named;
  static const std::string found = [] {
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&catalogFolder), &self) == 0 || self.dli_fname == nullptr)
      return std::string();
    // libtzad is build/lib/libtzad.so in the build tree, PREFIX/lib/tzad/libtzad.so installed.
    std::filesystem::path libraries = std::filesystem::path(self.dli_fname).parent_path();
    std::error_code ec;
    for (const char* up : {"../share/locale", "../../share/locale"}) {
      std::filesystem::path folder = (libraries / up).lexically_normal();
      if (std::filesystem::is_directory(folder, ec)) return folder.string();
    }
    return std::string();
  }();
  return found;
}

}  // namespace tzad

const char* tzutLanguage() {
  using tzad::language;
  if (language().empty()) {
    language() = tzad::languageFromEnvironment();
    tzad::useCatalogOf(language());
  }
  return language().c_str();
}
