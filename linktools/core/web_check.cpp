#include "core/web_check.h"

#include <dlfcn.h>

#include <memory>

#include "core/link_text.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace linktools {

namespace {

struct LibraryCloser {
  void operator()(void* library) const { dlclose(library); }
};

// The web library beside this one, loaded on the first lookup and kept; null, with the
// loader's reason, when it cannot be loaded. It stays in memory to the end of the process
// (RTLD_NODELETE), unloaded or not: the TLS library under libcurl leaves handlers that run at
// exit, and they must find their code there.
void* webLibrary(std::string& why) {
  static std::unique_ptr<void, LibraryCloser> library;
  if (library) return library.get();
  std::string own = platform::toFileName(
      platform::modulePathOf(reinterpret_cast<const void*>(&lookUpUrls)).value_or(u""));
  size_t slash = own.rfind('/');
  std::string path =
      (slash == std::string::npos ? std::string(".") : own.substr(0, slash)) + "/" + kWebLibrary;
  library.reset(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
  if (!library) {
    const char* error = dlerror();
    why = error ? error : path;
  }
  return library.get();
}

}  // namespace

std::vector<CheckResult> lookUpUrls(const std::vector<std::string>& urls,
                                    const WebCheckOptions& options) {
  std::vector<CheckResult> answers;
  if (urls.empty()) return answers;
  std::string why;
  void* library = webLibrary(why);
  auto lookUp =
      library ? reinterpret_cast<WebLookupFunction>(dlsym(library, kWebLookupSymbol)) : nullptr;
  if (library != nullptr && lookUp == nullptr) why = dlerror();
  if (lookUp != nullptr) {
    lookUp(urls, options, answers);
    return answers;
  }
  answers.resize(urls.size());
  for (CheckResult& answer : answers) {
    answer.status = LinkStatus::NetworkError;
    answer.detail = linkText(u"Web addresses cannot be looked up: %1", {tzutFromUtf8(why)});
  }
  return answers;
}

}  // namespace linktools
