// The e-mail page's template and controls, by the ids its templates
// (resources/templates/131.*.xrc) give them. The page and its tests name them from here.
#pragma once

namespace hyperlink {

struct EmailPageIds {
  static constexpr unsigned kTemplate = 131;
  static constexpr int kAddressLabel = 1052;
  static constexpr int kAddressBox = 1053;
  static constexpr int kSubjectLabel = 1054;
  static constexpr int kSubjectBox = 1055;
  static constexpr int kRecentLabel = 1068;
  static constexpr int kRecentList = 1069;  // the e-mail targets written since the module loaded
};

}  // namespace hyperlink
