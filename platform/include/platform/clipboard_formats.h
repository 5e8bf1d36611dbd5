// The clipboard's types read from their bytes alone: what a hyperlink, a web address or a file
// name looks like in each of them. No clipboard, program or file is involved, so anything the
// desktop hands over can be read here without harm.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ClipboardHyperlink {
  std::u16string address;
  std::u16string description;
  std::u16string location;
};

// application/x-tzad-hyperlink, in UTF-8: a first line naming the form, then address,
// description and location each on a line, "\" written "\\" and line breaks "\n" and "\r", so
// that any text comes back as it went. Three plain lines without that first line (what older
// tzad wrote, and a clipboard folder's Hyperlink file) are read as they stand.
std::string hyperlinkForm(const ClipboardHyperlink& link);
ClipboardHyperlink parseHyperlinkForm(std::string_view data);
// text/x-moz-url, in UTF-16 (as Firefox writes it) or UTF-8: the first link's address and
// page title.
ClipboardHyperlink parseMozUrl(std::string_view data);
// The first entry of a text/uri-list that is not a file:// one.
std::optional<std::u16string> webAddressInUriList(std::string_view data);
// The path of the first file:// entry of a text/uri-list or x-special/gnome-copied-files.
std::optional<std::u16string> filePathInUriList(std::string_view data);
// Plain text that is one web or mailto: address and nothing else.
std::optional<std::u16string> webAddressInText(std::string_view data);
// Plain text that is one absolute path; whether a file is there is the caller's question.
std::optional<std::u16string> absolutePathInText(std::string_view data);
// The lines of a text, each without its line end ("\n" or "\r\n").
std::vector<std::string> textLines(std::string_view text);
// The first line of a text, without its line end.
std::u16string firstLineOf(std::string_view data);

}  // namespace platform
