// A test module: a command that prints, one that throws, and its SDK version.
#include <stdexcept>

#include "tzdb_database.h"
#include "tzed_editor.h"
#include "tzrx_module.h"

TZRX_EXPORT void greet() {
  tzutPrintf(u"Hello from a module, %s!\n", u"世界");
}

// Changes the drawing, then throws: the change must not stay.
TZRX_EXPORT void fail() {
  if (TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase())
    (void)db->setHyperlinkBase(u"/changed/before/failing/");
  tzutPrintf(u"About to fail");
  throw std::runtime_error("the module's command failed");
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry table[] = {
      {u"GREET", "greet"}, {u"FAIL", "fail"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
