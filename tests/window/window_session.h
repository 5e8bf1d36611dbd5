// tzad's main window driven in the test's own process: the session's command loop runs while
// a timer inside it takes the test's steps, as a person acts while the window waits.
#pragma once

#include <wx/gdicmn.h>
#include <wx/mousestate.h>

#include <functional>
#include <string>
#include <vector>

namespace tzt {

// One thing to do or wait for; it is tried again on the next tick until it returns true.
using Step = std::function<bool()>;

// Runs the main window's command loop with the steps, one after another from a timer inside it,
// and ends the session after the last. A step still unfinished 30 seconds after the one before
// it finished fails the test with the command line's transcript; the menus and modal dialogs
// still open are closed then, and the session ends.
void runSteps(std::vector<Step> steps);

// The command line's transcript so far.
std::string windowTranscript();
// Whether the command line waits at `prompt`.
bool windowAtPrompt(const std::string& prompt);
// Types the line into the command line and presses Enter.
Step typedLine(const std::string& line);

// Steps that wait by returning false, to be tried again on the next tick, rather than by running
// the toolkit's loop until their state comes: they work as well inside the loop of a menu that
// a step opened. (What they send goes through wxUIActionSimulator, which lets the toolkit handle
// the X server's answer itself.)
//
// Moves the pointer through the X server to where `screen` says when the step first runs; done
// once the server has it there.
Step pointerTo(std::function<wxPoint()> screen);
// Done once the toolkit has handled everything the X server had for it when the step first
// ran: what the clicks and keys before it caused, repaints among them.
Step handled();
// A click of the button at the pointer, done once the toolkit has handled it.
Step clickHere(wxMouseButton button = wxMOUSE_BTN_LEFT, int modifiers = 0);
// Done once the toolkit's double-click time has passed since the last clickHere: a click after
// it is a click of its own.
Step pastDoubleClick();

}  // namespace tzt
