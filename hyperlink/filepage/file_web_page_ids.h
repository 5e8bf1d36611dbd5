// The file and web page's template and controls, by the ids its templates
// (resources/templates/129.*.xrc) give them. The page and its tests name them from here.
#pragma once

namespace hyperlink {

struct FileWebPageIds {
  static constexpr unsigned kTemplate = 129;
  static constexpr int kSourceSelector = 1008;  // recent files, browsed pages, inserted links
  static constexpr int kAddressBox = 1030;
  static constexpr int kRecentFiles = 1032;
  static constexpr int kBrowseFile = 1033;
  static constexpr int kBrowseWeb = 1034;
  static constexpr int kNamedLocation = 1035;  // the Target... button
  static constexpr int kRelativeBox = 1038;    // "Use relative path"
  static constexpr int kInsertedLinks = 1039;
  static constexpr int kBrowsedPages = 1041;
  static constexpr int kPreview = 1059;  // the address as it resolves
  static constexpr int kFlagsBox = 1060;
};

}  // namespace hyperlink
