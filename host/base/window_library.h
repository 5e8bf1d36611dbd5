// tzad's windows, from the window library that is loaded when a window is first wanted.
#pragma once

#include <string>

namespace tzad {

// Whether a display is named in the environment (DISPLAY or WAYLAND_DISPLAY): without one the
// window library is never loaded.
bool displayNamed();
// Opens the main window as the command line's input and output, loading the window library;
// false when no window can be shown.
bool startMainWindow(const std::string& version);
// Closes the main window at the end of the session.
void endMainWindow();

}  // namespace tzad
