// Text and pictures crossing into the toolkit.
#include <string>

#include "tzui_dialog.h"
#include "ui/resource_library.h"

wxString TwUiString(const TzString& text) {
  return wxString::FromUTF8(tzutToUtf8(text));
}

TzString TwUiText(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.ToUTF8();
  return tzutFromUtf8(std::string_view(utf8.data(), utf8.length()));
}

wxBitmapBundle TwUiLoadImage(HINSTANCE resources, unsigned id, int width, int height) {
  std::string_view svg = tzui::imageBytes(resources, id);
  if (svg.empty()) return {};
  // The parser writes into the text it reads, and wants it terminated.
  std::string text(svg);
  return wxBitmapBundle::FromSVG(text.data(),
                                 wxSize(TwUiGetImageDPICx(width), TwUiGetImageDPICy(height)));
}
