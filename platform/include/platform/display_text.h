// Text made fit to show on screen, whatever it holds: a description of two million characters,
// a NUL from a drawing, a right-to-left override in a file name that makes "gnp.exe" read as
// "exe.png". What it stands for is unchanged; only what is shown differs.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace platform {

// What lists, tooltips and the panel show of a text: at most this many characters.
constexpr size_t kShownLength = 300;

enum class LineBreaks { Escape, Keep };

// Whether the text holds a control character (U+0000 to U+001F, U+007F to U+009F): no address
// or file name that is followed may, since the NUL would cut it short on its way out and the
// others hide what it says.
bool holdsControlCharacter(std::u16string_view text);

// `text` with control characters in caret notation ("^@" for NUL, "^?" for DEL), other
// invisible controls and the bidirectional ones (which reorder what follows them) as
// "<U+202E>", line feeds and tabs kept or escaped as asked; cut to `limit` code units, the
// last of them an ellipsis, when it is longer.
std::u16string displayText(std::u16string_view text,
                           size_t limit = std::numeric_limits<size_t>::max(),
                           LineBreaks lineBreaks = LineBreaks::Escape);

}  // namespace platform
