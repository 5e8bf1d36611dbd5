// The host's main window as the user-interface library knows it. The window sits in a layer above
// this library and puts itself here while it is open, so that dialogs find their owner.
#pragma once

class wxFrame;

namespace tzui {

// The main window from when it opens, null again when it is gone.
void setMainFrame(wxFrame* frame);

}  // namespace tzui
