// A test module: a command that prints, one that throws, two object actions (one throws too),
// and its SDK version.
#include <stdexcept>

#include "tzdb_database.h"
#include "tzed_editor.h"
#include "tzrx_module.h"
#include "tzrx_object_actions.h"

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

// Says how many objects it got, keeps the first and changes the drawing.
TZRX_EXPORT int markFirst(TzArray<TzDbObjectId>& ids) {
  tzutPrintf(u"Marking %d object(s)\n", ids.length());
  if (ids.isEmpty()) return RTERROR;
  ids.resize(1);
  if (TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase())
    (void)db->setHyperlinkBase(u"/marked/");
  return RTNORM;
}

TZRX_EXPORT int markAndFail(TzArray<TzDbObjectId>& ids) {
  markFirst(ids);
  throw std::runtime_error("the module's action failed");
}

TZRX_EXPORT const TzObjectActionEntry* tzrxObjectActions() {
  static const TzObjectActionEntry table[] = {
      {u"MARK", "markFirst"}, {u"MARKANDFAIL", "markAndFail"}, {nullptr, nullptr}};
  return table;
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
