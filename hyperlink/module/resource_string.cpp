#include "module/resource_string.h"

#include <algorithm>
#include <iterator>

#include "module/module_state.h"
#include "tzrx_module.h"

namespace hyperlink {

namespace {

bool isKeywordList(uint32_t id) {
  return std::any_of(std::begin(text::kKeywordLists), std::end(text::kKeywordLists),
                     [id](const TextId& list) { return list.id == id; });
}

// Copies string `id` of a library into the buffer; the number of characters copied.
int loadFrom(void* library, uint32_t id, char16_t* buffer, int size) {
  if (library == nullptr) return 0;
  auto load =
      reinterpret_cast<TzResLoadStringFunction>(tzrxModuleExport(library, "tzresLoadString"));
  if (load == nullptr) return 0;
  return std::clamp(load(id, buffer, size), 0, size - 1);
}

}  // namespace

const char16_t* loadResourceString(ResourceString& rs) {
  ModuleState& state = moduleState();
  void* library = isKeywordList(rs.id) ? state.keywords : state.resources;
  int n = loadFrom(library, rs.id, rs.text, ResourceString::kCapacity);
  if (n == 0) {
    // Nothing loaded: the default, or an empty text — never what the buffer held before.
    tzutCopyString(rs.defaultText ? rs.defaultText : u"", rs.text, ResourceString::kCapacity);
  } else {
    rs.text[n] = 0;
  }
  return rs.text;
}

TzString resourceText(const TextId& t) {
  ResourceString rs(t);
  return loadResourceString(rs);
}

}  // namespace hyperlink
