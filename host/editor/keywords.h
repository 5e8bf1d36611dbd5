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
// The global keyword an answer names: a keyword typed whole or by its capital letters (either
// letter case), or "_" and a global keyword. Nothing when no keyword matches.
std::optional<std::u16string> matchKeyword(const std::vector<Keyword>& keywords,
                                           std::u16string_view answer);

}  // namespace tzad
