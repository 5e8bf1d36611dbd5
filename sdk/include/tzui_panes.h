// Panes: windows a module places beside the drawing in tzad's main window, such as a list of
// the drawing's objects of some kind. A module exports a table of them as it exports its
// commands (tzrx_module.h); the window offers View menu items for them, each with its shortcut,
// and creates a pane the first time it is shown. Without the window (a terminal session, a
// script run) no pane is ever created, so a module's pane code, and the toolkit under it, need
// not be loaded at all.
//
// The window and the module share one wxWidgets in the process: the window hands the pane's
// parent to the module as a wxWindow*, and the module returns its pane as one.
//
//   TZRX_EXPORT void* createLinksPane(void* parent) { ... return new LinksPanel(...); }
//   TZRX_EXPORT void linksPaneDrawingChanged(void* pane) { ... }
//   TZRX_EXPORT int linksPaneLabel(char16_t* buffer, int size) { ... }
//   TZRX_EXPORT const TzPaneEntry* tzrxPanes() {
//     static const TzPaneEntry kPanes[] = {
//         {u"HYPERLINKS", "Ctrl+Shift+H", "linksPaneLabel", "createLinksPane",
//          "linksPaneDrawingChanged"},
//         {nullptr, nullptr, nullptr, nullptr, nullptr}};
//     return kPanes;
//   }
#pragma once

#include "tz_array.h"
#include "tz_export.h"
#include "tz_status.h"
#include "tzdb_object_id.h"
#include "tzrx_module.h"

TZAD_SDK_BEGIN

// Creates the pane under `parent` (a wxWindow*) and returns it (a wxWindow*), or null when it
// cannot. Called once, on the window's thread, the first time the pane is shown.
typedef void* (*TzPaneCreateFunction)(void* parent);
// The current drawing changed since the pane last heard (a command, undo or redo, another
// drawing made current or the last one closed), or the pane is shown again after such a
// change. Called at "Command: ", on the window's thread, only while the pane is shown.
typedef void (*TzPaneChangedFunction)(void* pane);
// The menu item's text in the host's language ("&Hyperlinks"): copied into buffer (at most size
// characters including the terminator); the number of characters copied.
typedef int (*TzPaneLabelFunction)(char16_t* buffer, int size);

struct TzPaneEntry {
  const char16_t* pane;       // the pane's name ("HYPERLINKS"), the same in every language
  const char* shortcut;       // the menu item's key ("Ctrl+Shift+L"), or null
  const char* labelExport;    // a TzPaneLabelFunction
  const char* createExport;   // a TzPaneCreateFunction
  const char* changedExport;  // a TzPaneChangedFunction
};

// A module's pane table ends with an entry whose pane is null. A module without panes need not
// export one.
TZRX_EXPORT const TzPaneEntry* tzrxPanes();
typedef decltype(&tzrxPanes) TzPaneTableFunction;
inline constexpr char kTzrxPanesExport[] = "tzrxPanes";

// What a module asks of the window. Each returns RTNORM when the window took the request and
// RTERROR where there is no window (the module then says so on the command line).
//
// Shows the pane of that name beside the drawing, creating it the first time.
int tzedShowPane(const char16_t* pane);
// Makes the objects, all in one layout of the current drawing, the selection and zooms the view
// to them, switching to their layout first when another is current; with none, clears the
// selection.
int tzedShowObjects(const TzArray<TzDbObjectId>& ids);
// Runs an object action (tzrx_object_actions.h) on the objects as the window's own items do: at
// "Command: ", after cancelling a command that is running, as one undo step named `step`. It
// runs once the window's event loop comes to it, after this call has returned.
int tzedPostObjectAction(const char16_t* action, const TzArray<TzDbObjectId>& ids,
                         const char16_t* step);
// Types a command and its answers at "Command: " as the window's menus do (a command that is
// running is cancelled first); they show on the command line as if typed.
int tzedPostCommand(const TzArray<TzString>& lines);

TZAD_SDK_END
