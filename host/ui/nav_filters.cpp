#include "ui/nav_filters.h"

#include <cwctype>

#include "tzui_dialog.h"

namespace tzui {
namespace {

constexpr std::u16string_view kAllFiles = u"*";

TzString pattern(const TzString& extension) {
  return extension == kAllFiles ? extension : u"*." + extension;
}

// Each letter of the extension becomes a bracket of both its cases.
wxString anyCasePattern(const TzString& extension) {
  wxString out = "*.";
  for (wxUniChar c : TwUiString(extension)) {
    const wxChar ch = c;
    const wxChar lower = std::towlower(ch), upper = std::towupper(ch);
    if (lower != upper)
      out << '[' << lower << upper << ']';
    else
      out << ch;
  }
  return out;
}

}  // namespace

CNavFilterArray navFiltersFromExtensions(std::u16string_view extensions,
                                         std::string_view language) {
  CNavFilterArray filters;
  size_t start = 0;
  while (start <= extensions.size()) {
    size_t end = extensions.find(u';', start);
    if (end == std::u16string_view::npos) end = extensions.size();
    TzString extension(extensions.substr(start, end - start));
    while (!extension.empty() && extension.front() == u'.') extension.erase(0, 1);
    if (!extension.empty()) {
      TzString description = extension == kAllFiles
                                 ? (language == "en" ? u"All files (*)" : u"所有文件 (*)")
                                 : pattern(extension);
      filters.push_back({description, {extension}});
    }
    start = end + 1;
  }
  return filters;
}

wxString navWildcard(const CNavFilterArray& filters, bool ignoreCase) {
  wxString wildcard;
  for (const CNavFilter& filter : filters) {
    wxString patterns;
    for (const TzString& extension : filter.extensions) {
      if (!patterns.empty()) patterns << ';';
      patterns << (ignoreCase && extension != kAllFiles ? anyCasePattern(extension)
                                                        : TwUiString(pattern(extension)));
    }
    if (!wildcard.empty()) wildcard << '|';
    wildcard << TwUiString(filter.description) << '|' << patterns;
  }
  return wildcard;
}

}  // namespace tzui
