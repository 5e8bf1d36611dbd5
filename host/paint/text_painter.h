// Draws the texts of a scene into a cairo context, on screen and on paper alike: plain ASCII
// through cairo's own text calls, the fastest way; anything else through pango, which finds a
// font for each character, so that names in any script show as text.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>

#include "view/scene.h"

namespace tzad {

// A drawing's text height is that of its capitals, about this much of the font's size.
constexpr double kCapitalsPerFontSize = 0.72;

class TextPainter {
 public:
  explicit TextPainter(cairo_t* cr) : cr_(cr) {}
  // Draws `text` with its baseline's start at `at` (in the context's coordinates) and the given
  // font size, turned and widened as the text is; the source colour is the caller's.
  void draw(const SceneText& text, ViewPoint at, double fontSize);

 private:
  void showLayout(const std::string& text, double size);

  cairo_t* cr_;
  std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout_{nullptr, &g_object_unref};
  std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)> font_{
      nullptr, &pango_font_description_free};
};

}  // namespace tzad
