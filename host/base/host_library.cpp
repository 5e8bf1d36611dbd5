#include "base/host_library.h"

#include <dlfcn.h>

#include "platform/folders.h"
#include "platform/text.h"

namespace tzad {
namespace {

// libtzad's own folder: the host's libraries are installed beside it.
std::string hostLibraryFolder() {
  std::u16string self =
      platform::modulePathOf(reinterpret_cast<const void*>(&hostLibrarySymbol)).value_or(u"");
  std::string path = platform::toFileName(self);
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

void* hostLibrarySymbol(const char* library, const char* symbol, std::string& error) {
  std::string path = hostLibraryFolder() + "/" + library;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (handle == nullptr) {
    const char* why = dlerror();
    error = why ? why : path + " cannot be loaded";
    return nullptr;
  }
  // The library stays loaded (RTLD_NODELETE); this only balances the reference count.
  void* address = dlsym(handle, symbol);
  if (address == nullptr) error = std::string(library) + " has no " + symbol;
  dlclose(handle);
  return address;
}

}  // namespace tzad
