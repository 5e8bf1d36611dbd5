// Object actions: what a module does to objects that the user points at or selects in the
// host's window. A module exports a table of them as it exports its commands (tzrx_module.h);
// the window offers an item for each action that a loaded module exports (the menu of a linked
// object, the Hyperlink menu, View > Highlight Hyperlinks) and calls the action's function with
// the objects. The window never types a command's answers, so a module may reword its prompts
// freely; and with no module exporting an action, the window shows no item for it.
//
// A module that offers actions:
//
//   TZRX_EXPORT int removeLinks(TzArray<TzDbObjectId>& ids) { ... }
//   TZRX_EXPORT const TzObjectActionEntry* tzrxObjectActions() {
//     static const TzObjectActionEntry kActions[] = {
//         {kTzrxRemoveHyperlinkAction, "removeLinks"}, {nullptr, nullptr}};
//     return kActions;
//   }
#pragma once

#include "tz_array.h"
#include "tz_export.h"
#include "tz_status.h"
#include "tzdb_object_id.h"
#include "tzrx_module.h"

TZAD_SDK_BEGIN

// An action's function. `ids` holds objects of the current drawing, in the order the user
// picked them; it may be empty, and the action then asks on the command line for what it
// needs, as the command it stands for does. On return `ids` holds the objects it acted on.
// RTNORM when it ran, RTERROR when none of the objects suits it (nothing was done).
//
// The host calls it at "Command: " (a command that was running is cancelled first) as it calls
// a command: what it changes is one step of the drawing's undo list, which the host names as
// its window names the item ("Remove Hyperlink"); what it throws takes that step back.
typedef int (*TzObjectActionFunction)(TzArray<TzDbObjectId>& ids);

struct TzObjectActionEntry {
  const char16_t* action;  // the action's name, one of those below or a module's own
  const char* exportName;  // the exported function that runs it
};

// A module's action table ends with an entry whose action is null. A module without actions
// need not export one.
TZRX_EXPORT const TzObjectActionEntry* tzrxObjectActions();
typedef decltype(&tzrxObjectActions) TzObjectActionTableFunction;
inline constexpr char kTzrxObjectActionsExport[] = "tzrxObjectActions";

// The actions tzad's window places in its menus, by the names modules export them under. The
// names are the same in every language.
//
// Follows the hyperlink of the first object that has one, as HYPERLINKOPEN follows an address
// and named location; with no such object, asks for them as HYPERLINKOPEN does.
inline constexpr char16_t kTzrxOpenHyperlinkAction[] = u"OPENHYPERLINK";
// Puts the hyperlink of the first object that has one on the desktop's clipboard.
inline constexpr char16_t kTzrxCopyHyperlinkAction[] = u"COPYHYPERLINK";
// Opens the hyperlink dialog on the objects; with none, asks for them first.
inline constexpr char16_t kTzrxEditHyperlinkAction[] = u"EDITHYPERLINK";
// Removes the hyperlink of each object that has one; with no objects, asks for them and for
// the hyperlinks to remove, as -HYPERLINK's Remove does.
inline constexpr char16_t kTzrxRemoveHyperlinkAction[] = u"REMOVEHYPERLINK";
// Makes the hyperlink on the clipboard the objects' hyperlink; with none, asks for them.
inline constexpr char16_t kTzrxPasteAsHyperlinkAction[] = u"PASTEASHYPERLINK";
// Changes nothing: leaves in `ids` the objects that carry a hyperlink, which the window marks.
inline constexpr char16_t kTzrxHighlightHyperlinksAction[] = u"HIGHLIGHTHYPERLINKS";

TZAD_SDK_END
