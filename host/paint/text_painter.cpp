#include "paint/text_painter.h"

#include <algorithm>
#include <cmath>

namespace tzad {

namespace {

bool isAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void TextPainter::draw(const SceneText& t, ViewPoint at, double fontSize) {
  cairo_save(cr_);
  cairo_translate(cr_, at.x, at.y);
  cairo_rotate(cr_, -t.rotation);
  cairo_scale(cr_, t.widthFactor > 0 ? t.widthFactor : 1, 1);
  if (isAscii(t.text)) {
    cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, fontSize);
    cairo_move_to(cr_, 0, 0);
    cairo_show_text(cr_, t.text.c_str());
  } else {
    showLayout(t.text, fontSize);
  }
  cairo_restore(cr_);
}

// Looking a font up is what costs: sizes go in steps about 4% apart, each looked up once, and
// the context's scale makes up the rest.
void TextPainter::showLayout(const std::string& text, double size) {
  if (!layout_) {
    layout_.reset(pango_cairo_create_layout(cr_));
    font_.reset(pango_font_description_from_string("Sans"));
  }
  constexpr double kStep = 1.04;
  const double stepped = std::pow(kStep, std::round(std::log(size) / std::log(kStep)));
  cairo_scale(cr_, size / stepped, size / stepped);
  pango_font_description_set_absolute_size(font_.get(), stepped * PANGO_SCALE);
  pango_layout_set_font_description(layout_.get(), font_.get());
  pango_layout_set_text(layout_.get(), text.c_str(), -1);
  pango_cairo_update_layout(cr_, layout_.get());
  // The text's position is its baseline's start; a layout is placed by its top.
  cairo_move_to(cr_, 0, -pango_layout_get_baseline(layout_.get()) / double(PANGO_SCALE));
  pango_cairo_show_layout(cr_, layout_.get());
}

}  // namespace tzad
