// The platform's messages in the language tzad runs in. They are texts of tzad's gettext
// catalog "tzad", which the host makes active when it chooses the language; until then, and
// for a text the catalog lacks, they are English.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The text in the user's language (UTF-8).
const char* tr(const char* english);
// The same with {0}, {1}, ... replaced by the values (UTF-8).
std::string trf(const char* english, std::initializer_list<std::string_view> values = {});
// {0}, {1}, ... of a pattern replaced by the values; other braces stay as they are.
std::string fillPlaceholders(std::string_view pattern, const std::vector<std::string_view>& values);

}  // namespace platform
