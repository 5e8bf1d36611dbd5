// A test module whose command and action tables name functions it does not export.
#include "tzed_editor.h"
#include "tzrx_module.h"
#include "tzrx_object_actions.h"

TZRX_EXPORT void working() {
  tzutPrintf(u"still working\n");
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {
      {u"MISSING", "notThere"}, {u"WORKING", "working"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT const TzObjectActionEntry* tzrxObjectActions() {
  static const TzObjectActionEntry table[] = {{u"VANISH", "vanish"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
