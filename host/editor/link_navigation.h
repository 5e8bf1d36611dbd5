// Back and Forward after following hyperlinks, as in a web browser. Following a link
// (HYPERLINKOPEN, the Open action a module offers on objects) notes where the user was when it
// took them to another drawing, layout or view; BACK returns there, FORWARD goes again where
// BACK came from. A drawing closed in between is opened again from its file.
#pragma once

#include <functional>
#include <string_view>

#include "docs/place_history.h"

namespace tzad {

class Editor;

// The places of this session's followed links.
PlaceHistory& linkHistory();

// Whether a command or an object action follows hyperlinks.
bool followsLinksCommand(std::u16string_view upperCaseName);
bool followsLinksAction(std::u16string_view action);

// Runs `follow`, which follows a link: when it leaves the user at another place than it found
// them, the place it found them at is recorded. A follow inside another (the view that a link
// names, restored by a command) is part of it.
void followLink(const std::function<void()>& follow);

// Whether a step could go anywhere now (after dropping places that are gone for good): what
// the window's Back and Forward items show.
bool canStep(Direction direction);

// BACK and FORWARD.
void registerNavigationCommands(Editor& editor);

}  // namespace tzad
