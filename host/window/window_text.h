// The window's own texts in the language tzad runs in, as the toolkit takes them.
#pragma once

#include <wx/string.h>

#include "base/translation.h"

namespace tzad {

// tr for the toolkit; xgettext finds these texts by the name trw.
inline wxString trw(const char* english) {
  return wxString::FromUTF8(tr(english));
}

}  // namespace tzad
