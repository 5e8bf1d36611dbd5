// A test module the host must not let in: built for the SDK version TZT_BUILT_FOR, or, without
// it, saying nothing about its version. Its command would print if it ever ran.
#include "tzed_editor.h"
#include "tzrx_module.h"

TZRX_EXPORT void stranger() {
  tzutPrintf(u"a stranger ran\n");
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {{u"STRANGER", "stranger"}, {nullptr, nullptr}};
  return table;
}

#ifdef TZT_BUILT_FOR
TZRX_EXPORT int tzrxGetApiVersion() {
  return TZT_BUILT_FOR;
}
#endif
