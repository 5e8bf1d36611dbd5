// Reading command-line answers into the buffers the host fills.
#pragma once

#include "module/resource_string.h"
#include "tzed_editor.h"

namespace hyperlink {

struct Answer {
  char16_t text[TZ_ANSWER_BUFFER] = {};
  std::u16string_view view() const { return text; }
};

// tzedGetKword with a keyword list and a prompt from the string tables.
inline int askKeyword(const TextId& keywords, const TextId& prompt, Answer& answer) {
  ResourceString list(keywords);
  int status = tzedInitGet(0, loadResourceString(list));
  if (status != RTNORM) return status;
  ResourceString question(prompt);
  return tzedGetKword(loadResourceString(question), answer.text);
}

// tzedGetString with spaces allowed and a prompt from the string tables.
inline int askText(const TextId& prompt, Answer& answer) {
  ResourceString question(prompt);
  return tzedGetString(1, loadResourceString(question), answer.text);
}

inline void printText(const TextId& message) {
  ResourceString text(message);
  tzutPrintf(u"%s", loadResourceString(text));
}

}  // namespace hyperlink
