// Where a dialog goes on the screen: the arithmetic, without windows.
#pragma once

namespace hyperlink {

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// A window of size wanted, which can shrink down to minimum, in a work area (the screen less
// the desktop's panels): as large as it wants up to the area less margin on every side (room
// for the frame the desktop draws around it), never below its minimum, and centred in the area
// but never starting above or left of it, so that a window larger than the area still shows
// its title and its top left.
ScreenRect fitWindowToArea(int wantedWidth, int wantedHeight, int minimumWidth, int minimumHeight,
                           const ScreenRect& area, int margin);

}  // namespace hyperlink
