// What exists for the whole life of the loaded module.
#pragma once

#include <vector>

#include "tz_string.h"

namespace hyperlink {

struct ModuleState {
  void* resources = nullptr;  // hyperlinkres.so, from attach to detach
  void* keywords = nullptr;   // the host's keyword library, never released
  void* dialogs = nullptr;    // the dialog library, from the first dialog to detach
};

ModuleState& moduleState();

// E-mail hyperlink addresses used since the module was loaded, oldest first.
std::vector<TzString>& recentEmailLinks();
// Remembers an address written as a hyperlink when it is an e-mail link not yet in the list
// (compared ignoring case).
void rememberEmailLink(const TzString& address);
// The steps before the first attach: the module-wide tables and the keyword library.
void loadTimeInitialisation();

}  // namespace hyperlink

// The module's entry: attach (1) loads the resource library from the module's folder,
// detach (0) releases it. Returns 1, or 0 when attaching fails.
extern "C" int moduleEntry(unsigned reason);
