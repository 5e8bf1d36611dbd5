#include "window/pick_answers.h"
#include "dxf/dxf_tag.h"

#include <cmath>
#include <cstdio>

namespace tzad {

namespace {

// Enough digits to find the picked point again; rounding noise below them is dropped so that
// "12.5" does not come out as "12.499999999999998".
std::string number(double value) {
  if (std::fabs(value) < 1e-9) value = 0.0;
  return formatNumber(value, std::chars_format::general, 10);
}

}  // namespace

std::string pointAnswer(double worldX, double worldY, const Ucs& ucs) {
  double dx = worldX - ucs.origin.x;
  double dy = worldY - ucs.origin.y;
  double c = std::cos(ucs.angle), s = std::sin(ucs.angle);
  return number(dx * c + dy * s) + "," + number(-dx * s + dy * c);
}

std::string handlesAnswer(const std::vector<TzDbObjectId>& ids) {
  std::string answer;
  char text[24];
  for (TzDbObjectId id : ids) {
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(id.handle().value()));
    if (!answer.empty()) answer += ' ';
    answer += text;
  }
  return answer;
}

}  // namespace tzad
