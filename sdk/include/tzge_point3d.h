#pragma once

#include "tz_export.h"

TZAD_SDK_BEGIN

struct TzGePoint3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  bool operator==(const TzGePoint3d&) const = default;
};

TZAD_SDK_END
