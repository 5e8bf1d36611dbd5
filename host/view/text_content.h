// Drawing text as plain strings: control codes of single-line text and the formatting of
// multi-line text taken out, and the width the view assumes for a string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tzad {

// A single-line text with its %% codes resolved (%%d degree, %%p plus-minus, %%c diameter,
// %%% percent, %%nnn a character code) and the underline and overline switches dropped.
std::string plainText(std::string_view text);
// The lines of a multi-line text with its formatting codes taken out: \P breaks a line,
// stacked fractions read "a/b", font, height, colour and other switches vanish.
std::vector<std::string> mtextLines(std::string_view text);
// The width the view assumes for a string: the view has no font metrics when it builds a
// scene, so every character counts as 0.7 of the height, a Chinese, Japanese or Korean one
// (which is square) as the font's whole size.
double estimatedWidth(std::string_view text, double height, double widthFactor);

}  // namespace tzad
