// A test module whose command table names a function it does not export.
#include "tzed_editor.h"
#include "tzrx_module.h"

TZRX_EXPORT void working() {
  tzutPrintf(u"still working\n");
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {
      {u"MISSING", "notThere"}, {u"WORKING", "working"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
