// Replacing a text in hyperlink addresses (and, when asked, named locations): what a user does
// after a folder moved ("\\server\projects\" -> "/mnt/projects/") or a site changed its address.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/drawing_links.h"
#include "tz_string.h"

namespace linktools {

// A hyperlink's fields hold at most this many characters: the dialog refuses longer ones, and
// other CAD programs cut them.
constexpr size_t kLongestField = 255;

struct ReplaceRule {
  TzString oldText;
  TzString newText;
  bool matchCase = false;
  bool prefixOnly = false;    // only where the text starts with oldText
  bool locationsToo = false;  // in named locations as well as in addresses
};

// The text with every occurrence of the rule's old text replaced (only a leading one with
// prefixOnly), or nothing when it has none. Letter case is ignored unless matchCase, in the
// host's way (tzutFoldCase).
std::optional<TzString> replacedText(std::u16string_view text, const ReplaceRule& rule);

// Why a change the rule would make is not made.
enum class Refusal {
  None,
  TooLong,      // the new address or location would pass kLongestField
  LockedLayer,  // the object is on a locked layer
};

// An address with the rule applied. A rule that turns a Windows folder into a POSIX one (its
// old text written with "\" only, its new text with "/" only), or back, means the whole path:
// the rest of a changed path takes the new separator too, so that "\\server\projects\site\a.pdf"
// becomes "/mnt/projects/site/a.pdf", where a file can be found. Web and e-mail addresses keep
// theirs.
std::optional<TzString> replacedAddress(std::u16string_view address, const ReplaceRule& rule);

// A hyperlink the rule changes, before and after.
struct LinkChange {
  DrawingLink link;
  TzString newAddress;
  TzString newLocation;
  Refusal refusal = Refusal::None;
};
// The changes the rule makes to these links, in their order, each with what keeps it from
// being made.
std::vector<LinkChange> planReplacement(const std::vector<DrawingLink>& links,
                                        const ReplaceRule& rule);

struct ReplaceOutcome {
  int changed = 0;      // objects whose hyperlinks changed
  int lockedLayer = 0;  // left as they were: on locked layers
  int tooLong = 0;      // left as they were: the result would be too long
  int failed = 0;       // the drawing did not take the change
};
// Makes the planned changes that nothing refuses, each object opened for write. Every
// hyperlink of an object is replaced, not only the first one that is listed, so that no old
// address stays behind in the object.
ReplaceOutcome applyReplacement(const std::vector<LinkChange>& changes, const ReplaceRule& rule);

}  // namespace linktools
