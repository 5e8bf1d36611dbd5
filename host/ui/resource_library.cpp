#include "ui/resource_library.h"

#include <dlfcn.h>

namespace tzui {
namespace {

// Both exports have the same shape; a library without the export has nothing of that kind.
std::string_view loadBytes(HINSTANCE resources, const char* exportName, unsigned id) {
  if (resources == nullptr) return {};
  auto load = reinterpret_cast<TzresLoadTemplateFn>(dlsym(resources, exportName));
  const char* data = nullptr;
  size_t size = 0;
  if (load == nullptr || load(id, &data, &size) == 0 || data == nullptr) return {};
  return {data, size};
}

}  // namespace

std::string_view templateBytes(HINSTANCE resources, unsigned id) {
  return loadBytes(resources, kTzresLoadTemplate, id);
}

std::string_view imageBytes(HINSTANCE resources, unsigned id) {
  return loadBytes(resources, kTzresLoadImage, id);
}

}  // namespace tzui
