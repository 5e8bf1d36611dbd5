// A test module: one command that prints, and its SDK version.
#include "tzed_editor.h"
#include "tzrx_module.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT void greet() {
  tzutPrintf(u"Hello from a module, %s!\n", u"世界");
}

EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {{u"GREET", "greet"}, {nullptr, nullptr}};
  return table;
}

EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
