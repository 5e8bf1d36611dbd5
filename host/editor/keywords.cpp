#include "editor/keywords.h"

#include "tz_string.h"

namespace tzad {

namespace {

std::vector<std::u16string> words(std::u16string_view text) {
  std::vector<std::u16string> out;
  std::u16string word;
  for (char16_t c : text) {
    if (c == u' ' || c == u'\t') {
      if (!word.empty()) out.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) out.push_back(word);
  return out;
}

// The letters a keyword may be typed as: its capitals ("Remove" -> "R", "LAyer" -> "LA").
std::u16string abbreviation(std::u16string_view keyword) {
  std::u16string capitals;
  for (char16_t c : keyword)
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) capitals += c;
  return capitals;
}

// A keyword in the user's language names its letter in parentheses ("是(Y)"): the word before
// them answers too.
std::u16string_view wordBeforeLetter(std::u16string_view keyword) {
  size_t open = keyword.find(u'(');
  bool lettered = open != 0 && open != std::u16string_view::npos && keyword.back() == u')';
  return lettered ? keyword.substr(0, open) : std::u16string_view();
}

bool names(std::u16string_view keyword, std::u16string_view answer) {
  if (tzutEqualsNoCase(keyword, answer)) return true;
  std::u16string_view word = wordBeforeLetter(keyword);
  if (!word.empty() && tzutEqualsNoCase(word, answer)) return true;
  std::u16string abbr = abbreviation(keyword);
  return !abbr.empty() && tzutEqualsNoCase(abbr, answer);
}

}  // namespace

std::vector<Keyword> parseKeywordList(std::u16string_view list) {
  std::vector<std::u16string> all = words(list);
  std::vector<std::u16string> locals, globals;
  bool global = false;
  for (std::u16string& w : all) {
    if (!global && w[0] == u'_') {
      global = true;
      w.erase(0, 1);
      if (w.empty()) continue;
    }
    (global ? globals : locals).push_back(w);
  }
  std::vector<Keyword> keywords;
  for (size_t i = 0; i < locals.size(); ++i)
    keywords.push_back({locals[i], i < globals.size() ? globals[i] : locals[i]});
  return keywords;
}

std::optional<std::u16string> matchKeyword(const std::vector<Keyword>& keywords,
                                           std::u16string_view answer) {
  if (answer.empty()) return std::nullopt;
  if (answer[0] == u'_') {
    std::u16string_view rest = answer.substr(1);
    for (const Keyword& k : keywords)
      if (names(k.global, rest)) return k.global;
    return std::nullopt;
  }
  for (const Keyword& k : keywords)
    if (names(k.local, answer)) return k.global;
  // A script written in English answers in every language: the English keyword typed whole.
  for (const Keyword& k : keywords)
    if (tzutEqualsNoCase(k.global, answer)) return k.global;
  return std::nullopt;
}

}  // namespace tzad
