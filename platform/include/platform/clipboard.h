// The system clipboard in the three forms a hyperlink can be pasted from:
//   Hyperlink               a hyperlink copied in tzad (MIME type application/x-tzad-hyperlink:
//                           address, description and location on three lines)
//   UniformResourceLocator  a web address (text/x-moz-url from Firefox, text/uri-list from
//                           Chromium and others)
//   FileNameW               a file copied in a file manager (a file:// entry of text/uri-list
//                           or x-special/gnome-copied-files)
// With a display the desktop's tools are asked (wl-paste on Wayland, xclip on X11). Headless
// runs use the folder TZAD_CLIPBOARD_DIR names instead: one file per form, named after it,
// holding its text in UTF-8.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct ClipboardHyperlink {
  std::u16string address;
  std::u16string description;
  std::u16string location;
};

std::optional<ClipboardHyperlink> clipboardHyperlink();
std::optional<std::u16string> clipboardWebAddress();
std::optional<std::u16string> clipboardFileName();

}  // namespace platform
