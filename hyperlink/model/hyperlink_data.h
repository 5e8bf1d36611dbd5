// The hyperlink record. It is also the record type of the exported hyperlinkBlkDlg, so its
// field order and widths are fixed.
#pragma once

#include <cstdint>

#include "tz_string.h"

namespace hyperlink {

struct HyperlinkData {
  TzString description;    // the text shown for the link ("text to display")
  TzString location;       // named location in the target: view and layout joined by ","
  TzString address;        // URL, file path or "mailto:" address; empty: the current drawing
  TzString displayString;  // composed by the host; read, never written
  int32_t flags = 0;
  int32_t nestingLevel = 0;  // read only
  int32_t outermost = 0;     // read only, 0 or 1
  int32_t extra = 4;         // copied with the record; nothing reads or changes it
};

}  // namespace hyperlink
