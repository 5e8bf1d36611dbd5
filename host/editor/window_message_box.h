// The command-line host shows messages on its command line. Where windows can be shown, the
// user-interface library installs a message window here instead; it answers 0 when it could
// not show one, and the message goes onto the command line after all.
#pragma once

#include "tzui.h"

using WindowMessageBox = int (*)(const char16_t* text, const char16_t* caption, unsigned style,
                                 CWnd* owner);
void setWindowMessageBox(WindowMessageBox show);
