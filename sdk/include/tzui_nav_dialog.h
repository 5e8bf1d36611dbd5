// The desktop's file dialog as the host offers it to modules.
#pragma once

#include <vector>

#include "tz_export.h"
#include "tz_string.h"
#include "tzed_editor.h"
#include "tzui.h"

TZAD_SDK_BEGIN

// File types offered by the dialog, each as a description and its extensions without dots.
struct CNavFilter {
  TzString description;
  std::vector<TzString> extensions;  // "*" offers all files
};
using CNavFilterArray = std::vector<CNavFilter>;
// The chosen files, full paths.
using CNavDataArray = std::vector<TzString>;

// Flags of tzedGetFileNavDialog (the values desktop CAD modules pass).
constexpr int TZ_NAV_SAVE = 1;           // a save dialog (asks before replacing a file)
constexpr int TZ_NAV_ANY_EXTENSION = 4;  // any extension may be typed
constexpr int TZ_NAV_OPEN_ONLY = 512;    // open an existing file; no new name

class CTzUiNavDialog {
 public:
  CTzUiNavDialog(const TzString& title, const TzString& defaultName, CNavFilterArray filters,
                 int flags, CWnd* parent = nullptr);
  // 1 when files were chosen (then files() holds them), 2 when cancelled, -1 without display.
  int DoModal();
  const CNavDataArray& files() const { return files_; }

 private:
  TzString title_, defaultName_;
  CNavFilterArray filters_;
  int flags_;
  CWnd* parent_;
  CNavDataArray files_;
};

// Asks for a file with the desktop's dialog. extensions: ";"-separated, without dots, the
// first one the default type ("*;dwg;dxf": all files, then drawings). RTNORM with the chosen
// path as the first RTSTR entry of *result (release it with tzutRelRb); RTCAN when the user
// cancels (no result); RTERROR when no dialog can be shown. The chosen file is added to the
// desktop's recently used files.
[[nodiscard]] int tzedGetFileNavDialog(const char16_t* title, const char16_t* defaultName,
                                       const char16_t* extensions, const char16_t* dialogName,
                                       int flags, resbuf** result);

TZAD_SDK_END
