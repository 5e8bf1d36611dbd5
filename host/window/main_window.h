// tzad's main window as the program starts and ends it, and as the rest of the host finds it.
#pragma once

#include <string>

class wxFrame;

namespace tzad {

// Opens the main window and makes it the command line's input and output (the output also
// goes on to standard output). False when no window can be shown.
bool openMainWindow(const std::string& version);
// Closes the main window at the end of the session.
void closeMainWindow();
// The main window while it is open, else null.
wxFrame* mainWindow();

}  // namespace tzad
