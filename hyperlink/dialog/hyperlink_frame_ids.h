// The Insert Hyperlink dialog's template and controls, by the ids its templates
// (resources/templates/102.*.xrc) give them. The dialog and its tests name them from here.
#pragma once

namespace hyperlink {

struct HyperlinkFrameIds {
  static constexpr unsigned kTemplate = 102;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kLinkTypeList = 1007;  // file or web page, view of this drawing, e-mail
  static constexpr int kTextToDisplayLabel = 1042;
  static constexpr int kTextToDisplay = 1043;
  static constexpr int kRemoveLink = 1044;  // also what the dialog returns after it
  static constexpr int kLinkToLabel = 1047;
  static constexpr int kSelectedLabel = 1048;  // how many objects are selected
  static constexpr int kLinkedLabel = 1049;    // how many of them have a hyperlink
};

}  // namespace hyperlink
