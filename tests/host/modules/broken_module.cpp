// A test module whose command table names a function it does not export.
#include "tzed_editor.h"
#include "tzrx_module.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT void working() {
  tzutPrintf(u"still working\n");
}

EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {
      {u"MISSING", "notThere"}, {u"WORKING", "working"}, {nullptr, nullptr}};
  return table;
}
