// The host's windows as modules see them, and sizes scaled for the display.
#include "ui/windows.h"

#include <wx/display.h>
#include <wx/frame.h>

#include <cmath>

#include "tzui.h"

namespace {

constexpr int kStandardImageSize = 32;

wxFrame* mainFrame = nullptr;

// 1.0 at 96 dpi; the display's own factor where the toolkit runs.
double displayScale() {
  if (!TwUiHasDisplay()) return 1.0;
  return wxDisplay(0u).GetScaleFactor();
}

int scaled(int size) {
  return static_cast<int>(std::lround(size * displayScale()));
}

}  // namespace

void tzui::setMainFrame(wxFrame* frame) {
  mainFrame = frame;
}

// A terminal session has no main window: its dialogs stand on their own.
CWnd* tzedGetTzadFrame() {
  return mainFrame;
}

TZHWND twsw_tzadMainWnd() {
  return tzedGetTzadFrame();
}

int TwUiGetCtrlDPISize(int size) {
  return scaled(size);
}

int TwUiGetImageDPICx(int cx) {
  return scaled(cx == 0 ? kStandardImageSize : cx);
}

int TwUiGetImageDPICy(int cy) {
  return scaled(cy == 0 ? kStandardImageSize : cy);
}
