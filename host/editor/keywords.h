// Keyword lists in the host's form: local keywords, "_", then the global keywords in the same
// order ("Remove Insert _Remove Insert").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tzad {

struct Keyword {
  std::u16string local;
  std::u16string global;
};

std::vector<Keyword> parseKeywordList(std::u16string_view list);
// The global keyword an answer names: a keyword typed whole, by its capital letters (either
// letter case) or, for "是(Y)", by the word before the letter; else "_" and a global keyword,
// or a global keyword typed whole. Nothing when no keyword matches.
std::optional<std::u16string> matchKeyword(const std::vector<Keyword>& keywords,
                                           std::u16string_view answer);

}  // namespace tzad
