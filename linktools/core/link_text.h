// The link tools' words for people. Each text is written in English where it is used and goes
// through linkText, which gives it in the language the host runs in; the English is the key,
// as in a message catalog, and the Chinese stands beside it in link_texts.cpp, the one place
// that changes when the texts move into one.
#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "tz_string.h"

namespace linktools {

// The text in the host's language (tzutLanguage); the English itself when there is no
// translation. Placeholders "%1" to "%9" are filled in by position from args, so that a
// language may put them in its own order; "%%" is a "%".
TzString linkText(std::u16string_view english,
                  std::initializer_list<std::u16string_view> args = {});
// A text about a number of things: `singular` when n is 1, else `plural` (each translated as
// a text of its own; Chinese has one form for both).
TzString countText(int n, std::u16string_view singular, std::u16string_view plural,
                   std::initializer_list<std::u16string_view> args);
// A number as the texts write it.
TzString numberText(long long n);

// tzlinks --help in English, its key among the texts.
extern const std::u16string_view kTzlinksHelp;

// Every English text with its Chinese, for the test that each text used has its translation.
struct TextPair {
  std::u16string_view english;
  std::u16string_view chinese;
};
std::span<const TextPair> linkTextTable();

}  // namespace linktools
