// Where the world lies on the screen: a uniform scale and the world point at the screen's
// top-left corner. Screen y grows downwards, world y upwards.
#pragma once

#include "view/view_types.h"

namespace tzad {

class ViewTransform {
 public:
  ViewTransform() = default;
  ViewTransform(int screenWidth, int screenHeight) { resize(screenWidth, screenHeight); }

  // The window changed size; the world point at the centre stays there.
  void resize(int screenWidth, int screenHeight);
  int screenWidth() const { return width_; }
  int screenHeight() const { return height_; }
  // Screen pixels per world unit.
  double scale() const { return scale_; }

  // Shows `box` whole, centred, with `marginFraction` of the screen left free around it. An
  // empty box shows the world around the origin; a box of no width or height, a small area
  // around it.
  void zoomToBox(const ViewBox& box, double marginFraction = 0.05);
  // Multiplies the scale by `factor` (above 1 zooms in), keeping the world point under the
  // screen point where it is, as a wheel turned over the cursor does.
  void zoomAbout(ViewPoint screen, double factor);
  // Moves the drawing by a screen distance (a middle-button drag).
  void pan(double dxPixels, double dyPixels);

  ViewPoint toScreen(ViewPoint world) const {
    return {(world.x - left_) * scale_, (top_ - world.y) * scale_};
  }
  ViewPoint toWorld(ViewPoint screen) const {
    return {left_ + screen.x / scale_, top_ - screen.y / scale_};
  }
  // The world box the screen shows.
  ViewBox visibleWorld() const;

 private:
  int width_ = 1;
  int height_ = 1;
  double scale_ = 1;
  double left_ = 0;  // world x at the screen's left edge
  double top_ = 0;   // world y at the screen's top edge
};

}  // namespace tzad
