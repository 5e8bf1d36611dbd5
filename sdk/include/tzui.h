// The host's windows as modules see them, and its message box. A host window is a wxWidgets
// window; where the host runs without a display there are none and these calls fall back to
// the command line.
#pragma once

#include "tz_export.h"

TZAD_SDK_BEGIN

class wxWindow;
using CWnd = wxWindow;  // a host window; null where the host runs without a display
typedef void* TZHWND;

// Whether windows can be shown: a display is named (DISPLAY or WAYLAND_DISPLAY) and the
// toolkit started on it. The first call starts the toolkit.
bool TwUiHasDisplay();

// The host's main window, or null (a terminal session has none).
CWnd* tzedGetTzadFrame();
TZHWND twsw_tzadMainWnd();
// Sizes scaled for the display: a control size in pixels at 96 dpi, and image sizes (an
// argument of 0 asks for the standard image size, 32 pixels, scaled).
int TwUiGetCtrlDPISize(int size);
int TwUiGetImageDPICx(int cx = 0);
int TwUiGetImageDPICy(int cy = 0);

// Message box styles and results, with the values desktop CAD modules are written against.
constexpr unsigned TZ_MB_OK = 0x0;
constexpr unsigned TZ_MB_ICONERROR = 0x10;
constexpr unsigned TZ_MB_ICONEXCLAMATION = 0x30;
constexpr int TZ_IDOK = 1;
constexpr int TZ_IDCANCEL = 2;
// Shows a message: a message dialog when there is a display, otherwise the text goes onto the
// command line. The answer is OK.
int TzUiMessageBox(const char16_t* text, const char16_t* caption, unsigned style,
                   CWnd* owner = nullptr);

TZAD_SDK_END
