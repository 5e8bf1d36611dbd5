// tzadkwlres: the host's keyword library. Each keyword list has the host's form — local
// keywords, "_", global keywords — and is served in the language the host runs in; the
// global keywords are the same in every language.
#include <cstring>
#include <string_view>

#include "tzres_string.h"
#include "tzrx_module.h"

namespace {

struct KeywordList {
  unsigned id;
  const char16_t* english;
  const char16_t* chinese;
};

const KeywordList kLists[] = {
    {10001, u"Yes No _Yes No", u"是(Y) 否(N) _Yes No"},
    {50001, u"Area Object _Area Object", u"区域(A) 对象(O) _Area Object"},
    {50002, u"Remove Insert _Remove Insert", u"删除(R) 插入(I) _Remove Insert"},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int tzresLoadString(unsigned id, char16_t* buffer,
                                                                      int size) {
  if (buffer == nullptr || size <= 0) return 0;
  bool english = std::strcmp(tzutLanguage(), "en") == 0;
  for (const KeywordList& list : kLists) {
    if (list.id != id) continue;
    return tzresCopyString(english ? list.english : list.chinese, buffer, size);
  }
  buffer[0] = 0;
  return 0;
}
