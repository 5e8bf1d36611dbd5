// The host's windows as modules see them, and its message box.
#pragma once

class CWnd;  // a host window; null where the host runs without a display
typedef void* TZHWND;

CWnd* tzedGetTzadFrame();
TZHWND twsw_tzadMainWnd();
// Sizes scaled for the display: a control size in dialog pixels, and image sizes.
int TwUiGetCtrlDPISize(int size);
int TwUiGetImageDPICx(int cx);
int TwUiGetImageDPICy(int cy);

// Message box styles and results, with the values desktop CAD modules are written against.
constexpr unsigned TZ_MB_OK = 0x0;
constexpr unsigned TZ_MB_ICONEXCLAMATION = 0x30;
constexpr int TZ_IDOK = 1;
// Shows a message. In a terminal the text goes onto the command line and the answer is OK.
int TzUiMessageBox(const char16_t* text, const char16_t* caption, unsigned style,
                   CWnd* owner = nullptr);
