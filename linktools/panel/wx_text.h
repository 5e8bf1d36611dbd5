// The panel's texts between the SDK's UTF-16 strings and wxWidgets'.
#pragma once

#include <wx/string.h>

#include "tz_string.h"

namespace linktools {

inline wxString toWx(const TzString& text) {
  return wxString::FromUTF8(tzutToUtf8(text));
}

inline TzString fromWx(const wxString& text) {
  return tzutFromUtf8(text.utf8_string());
}

}  // namespace linktools
