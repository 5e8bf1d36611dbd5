// The file types of the desktop's file dialog, from the extension lists modules pass.
#pragma once

#include <wx/string.h>

#include <string_view>

#include "tzui_nav_dialog.h"

namespace tzui {

// One file type per extension of a ";"-separated list, in its order; "*" is all files.
CNavFilterArray navFiltersFromExtensions(std::u16string_view extensions, std::string_view language);
// The file dialog's wildcard ("description|*.dwg;*.dxf|..."). With ignoreCase each pattern
// matches the extension in any letter case ("*.[dD][wW][gG]"): GTK's patterns are case
// sensitive, drawing names are not.
wxString navWildcard(const CNavFilterArray& filters, bool ignoreCase);

}  // namespace tzui
