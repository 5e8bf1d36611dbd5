// The system clipboard in the three forms a hyperlink can be pasted from:
//   Hyperlink               a hyperlink copied in tzad (application/x-tzad-hyperlink: address,
//                           description and location, see hyperlinkForm), or a link copied in a
//                           browser with its title (text/x-moz-url: address line, title line)
//   UniformResourceLocator  a web address: text/x-moz-url without a title, a non-file entry of
//                           text/uri-list, or plain text that is one web or mailto: address
//   FileNameW               a file: a file:// entry of text/uri-list or
//                           x-special/gnome-copied-files, or plain text that is the absolute
//                           path of an existing file
// With a display the desktop's tools are asked (wl-paste on Wayland, xclip on X11). Headless
// runs use the folder TZAD_CLIPBOARD_DIR names instead. It holds one file per form, named after
// it, with its text in UTF-8; or files named after MIME types ("text/x-moz-url" is the file
// x-moz-url in the folder text), read as the desktop's types are.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard_formats.h"

namespace platform {

// One look at the clipboard: what it offers is asked once, when the object is made, and each
// type is read at most once. A clipboard that cannot be reached (a display that is gone, a
// missing tool, an owner that does not answer within 2 s) is reported then, once, as a
// notice (platform/notices.h), and offers nothing.
class Clipboard {
 public:
  // The clipboard of this session: the TZAD_CLIPBOARD_DIR folder, or the desktop's.
  static Clipboard attach();
  // A clipboard folder as TZAD_CLIPBOARD_DIR names one.
  explicit Clipboard(std::filesystem::path folder);

  std::optional<ClipboardHyperlink> hyperlink();
  std::optional<std::u16string> webAddress();
  std::optional<std::u16string> fileName();

 private:
  Clipboard() = default;
  bool offers(const std::string& type) const;
  const std::optional<std::string>& read(const std::string& type);
  const std::optional<std::string>& readFolderForm(const char* form);
  std::optional<ClipboardHyperlink> mozUrl();
  const std::optional<std::string>& plainText();

  std::optional<std::filesystem::path> folder_;
  std::vector<std::string> readCommand_;  // the desktop tool's, the type to add
  std::vector<std::string> offered_;
  std::map<std::string, std::optional<std::string>> read_;
};

// Puts a hyperlink on the clipboard of this session, offered as application/x-tzad-hyperlink
// (address, description and location, see hyperlinkForm), text/uri-list (when the address is a
// URL or a path, see `base`) and plain text (the address), so that tzad, other programs and
// browsers each take the form they understand. The TZAD_CLIPBOARD_DIR folder, when set, gets
// one file per type instead. On X11 a background process owns the clipboard until another
// program takes it over, as the desktop's copy tools do. An error text when nothing was copied.
// A relative address is offered as a URI too when `base` says what it is relative to (the
// drawing's hyperlink base or folder: a folder path or a URL).
std::optional<std::string> copyHyperlink(const ClipboardHyperlink& link,
                                         const std::u16string& base = {});

}  // namespace platform
