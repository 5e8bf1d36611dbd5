#include "module/command_answers.h"

#include "core/link_text.h"
#include "tzed_editor.h"

namespace linktools {

int askKeyword(std::u16string_view prompt, std::u16string_view keywords,
               std::u16string_view fallback, TzString& answer) {
  TzString list = linkText(keywords);
  int status = tzedInitGet(0, list.c_str());
  if (status != RTNORM) return status;
  char16_t buffer[TZ_ANSWER_BUFFER] = {};
  status = tzedGetKword(linkText(prompt).c_str(), buffer);
  if (status == RTNONE) {
    answer = fallback;
    return RTNORM;
  }
  answer = buffer;
  return status;
}

int askYesNo(std::u16string_view prompt, bool fallback, bool& yes) {
  TzString answer;
  int status = askKeyword(prompt, u"Yes No _Yes No", fallback ? u"Yes" : u"No", answer);
  yes = answer == u"Yes";
  return status;
}

int askText(std::u16string_view prompt, TzString& answer) {
  char16_t buffer[TZ_ANSWER_BUFFER] = {};
  int status = tzedGetString(1, linkText(prompt).c_str(), buffer);
  answer = buffer;
  return status;
}

void printLine(const TzString& text) {
  tzutPrintf(u"%s\n", text.c_str());
}

}  // namespace linktools
