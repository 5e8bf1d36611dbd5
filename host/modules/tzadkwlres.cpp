// tzadkwlres: the host's keyword library. Each keyword list has the host's form — local
// keywords, "_", global keywords — and is served in the language the host runs in; the
// global keywords are the same in every language.
#include "tzres_string.h"
#include "tzrx_module.h"

namespace {

const TzresEntry kLists[] = {
    {10001, u"是(Y) 否(N) _Yes No", u"Yes No _Yes No"},
    {50001, u"区域(A) 对象(O) _Area Object", u"Area Object _Area Object"},
    {50002, u"删除(R) 插入(I) _Remove Insert", u"Remove Insert _Remove Insert"},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int tzresLoadString(unsigned id, char16_t* buffer,
                                                                      int size) {
  return tzresLoadFromTable(kLists, id, buffer, size, tzutLanguage());
}
