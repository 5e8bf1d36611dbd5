#pragma once

struct TzGePoint3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  bool operator==(const TzGePoint3d&) const = default;
};
