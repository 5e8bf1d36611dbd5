// The module's texts: each a string-table identifier with its built-in default, the text users
// see when the resource library lacks it. Made from module_texts.inc, the one list that the
// resource library is made from too.
#pragma once

#include <cstdint>

namespace hyperlink {

struct TextId {
  uint32_t id;
  const char16_t* defaultText;
};

namespace text {

#define HYPERLINK_TEXT(name, id, chinese, english) inline constexpr TextId name{id, chinese};
#define HYPERLINK_LIBRARY_TEXT(name, id, chinese, english) inline constexpr TextId name{id, u""};
#define HYPERLINK_KEYWORDS(name, id, defaultList) inline constexpr TextId name{id, defaultList};
#include "module/module_texts.inc"

// The resource library's texts, and the keyword lists of the host's keyword library.
inline constexpr TextId kResourceTexts[] = {
#define HYPERLINK_TEXT(name, id, chinese, english) name,
#include "module/module_texts.inc"
};
// Texts of the resource library without a default of the module.
inline constexpr TextId kLibraryTexts[] = {
#define HYPERLINK_LIBRARY_TEXT(name, id, chinese, english) name,
#include "module/module_texts.inc"
};
inline constexpr TextId kKeywordLists[] = {
#define HYPERLINK_KEYWORDS(name, id, defaultList) name,
#include "module/module_texts.inc"
};

}  // namespace text

}  // namespace hyperlink
