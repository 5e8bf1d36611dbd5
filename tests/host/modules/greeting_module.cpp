// A test module: one command that prints, and its SDK version.
#include "tzed_editor.h"
#include "tzrx_module.h"

TZRX_EXPORT void greet() {
  tzutPrintf(u"Hello from a module, %s!\n", u"世界");
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {{u"GREET", "greet"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
