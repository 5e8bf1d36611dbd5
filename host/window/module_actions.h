// The actions that loaded modules offer on objects (tzrx_object_actions.h), as the window's
// menus and mouse run them. An item of the window stands for one action and names the step
// of the undo list it makes as the item reads ("Undo Remove Hyperlink").
#pragma once

#include <string>
#include <vector>

#include "base/translation.h"
#include "tzdb_object_id.h"
#include "tzrx_object_actions.h"

namespace tzad {

class WindowInput;

struct ModuleAction {
  const char16_t* name;  // the action, as modules export it
  // The undo step it makes, named as the window's item reads, in English: the step takes its
  // name in the run's language.
  const char* step;
};

inline constexpr ModuleAction kOpenHyperlink{kTzrxOpenHyperlinkAction,
                                             markedText("Open Hyperlink")};
inline constexpr ModuleAction kCopyHyperlink{kTzrxCopyHyperlinkAction,
                                             markedText("Copy Hyperlink")};
inline constexpr ModuleAction kEditHyperlink{kTzrxEditHyperlinkAction,
                                             markedText("Edit Hyperlink")};
inline constexpr ModuleAction kInsertHyperlink{kTzrxEditHyperlinkAction,
                                               markedText("Insert Hyperlink")};
inline constexpr ModuleAction kRemoveHyperlink{kTzrxRemoveHyperlinkAction,
                                               markedText("Remove Hyperlink")};
inline constexpr ModuleAction kPasteAsHyperlink{kTzrxPasteAsHyperlinkAction,
                                                markedText("Paste as Hyperlink")};
inline constexpr ModuleAction kHighlightHyperlinks{kTzrxHighlightHyperlinksAction,
                                                   markedText("Highlight Hyperlinks")};

// Whether a loaded module offers the action: the window shows its item only then.
bool isOffered(const ModuleAction& action);
// Runs the action on the objects at "Command: ", after cancelling a command that is running,
// as menu commands run in CAD programs.
void runAtCommandPrompt(WindowInput& input, const ModuleAction& action,
                        std::vector<TzDbObjectId> ids);
// Runs the action at once and returns the objects it leaves (those it acted on); none when
// no module offers it.
std::vector<TzDbObjectId> runNow(const ModuleAction& action, const std::vector<TzDbObjectId>& ids);

}  // namespace tzad
