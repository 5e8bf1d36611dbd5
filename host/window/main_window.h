// tzad's main window as the program starts and ends it. The window library's dialogs find it
// as their owner through ui/windows.h, where the window puts itself while it is open.
#pragma once

#include <string>

namespace tzad {

// Opens the main window and makes it the command line's input and output (the output also
// goes on to standard output). False when no window can be shown.
bool openMainWindow(const std::string& version);
// Closes the main window at the end of the session.
void closeMainWindow();

}  // namespace tzad
