// UCS: back to the world system, a new origin, or a rotation about Z.
#include <cmath>
#include <cstdlib>

#include "base/translation.h"
#include "dxf/dxf_tag.h"
#include "editor/commands/command_support.h"

namespace tzad {

void registerUcsCommand(Editor& editor) {
  editor.addCommand(u"UCS", [] {
    Document* doc = requireDocument();
    if (doc == nullptr) return;
    auto option = askKeyword(trf("Enter an option [World/Origin/Z] <World>: "),
                             keywordList("World Origin Z"), u"World");
    if (!option) return;
    if (*option == u"World") {
      doc->ucs = Ucs{};
      return;
    }
    if (*option == u"Origin") {
      double point[3], world[3];
      if (tzedInitGet(0, nullptr) != RTNORM) return;
      int status = tzedGetPoint(nullptr, trf("Specify new origin point <0,0,0>: ").c_str(), point);
      if (status == RTNONE) point[0] = point[1] = point[2] = 0;
      if (status != RTNORM && status != RTNONE) return;
      if (tzdbUcs2Wcs(point, world, false) != RTNORM) return;
      doc->ucs.origin = {world[0], world[1], world[2]};
      return;
    }
    while (true) {
      auto text = askText(trf("Specify rotation angle about Z axis <90>: "));
      if (!text) return;
      std::string digits = tzutToUtf8(platform::trimmed(*text));
      std::optional<double> degrees = digits.empty() ? 90.0 : parseReal(digits);
      if (degrees) {
        doc->ucs.angle += *degrees * M_PI / 180.0;
        return;
      }
      Editor::instance().write(tr("An angle in degrees is required.\n"));
    }
  });
}

}  // namespace tzad
