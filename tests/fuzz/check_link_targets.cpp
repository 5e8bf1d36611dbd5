#include "docs/document_manager.h"
#include "editor/editor.h"
#include "harness.h"
#include "model/link_targets.h"
#include "platform/path_rules.h"

namespace tzfuzz {

using namespace hyperlink;

namespace {

// The first byte chooses the path style and whether the text comes as UTF-8 or as raw UTF-16
// units (lone surrogates included); a line break parts the base folder from the target.
struct Input {
  platform::PathStyle style;
  std::u16string base;
  std::u16string target;
};

Input inputOf(std::string_view bytes) {
  Input in{platform::PathStyle::Posix, {}, {}};
  if (bytes.empty()) return in;
  unsigned char how = static_cast<unsigned char>(bytes[0]);
  bytes.remove_prefix(1);
  in.style = how & 1 ? platform::PathStyle::Windows : platform::PathStyle::Posix;
  std::u16string text;
  if (how & 2) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
      text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
  } else {
    text = tzutFromUtf8(std::string(bytes));
  }
  size_t cut = text.find(u'\n');
  if (cut == std::u16string::npos) {
    in.target = text;
  } else {
    in.base = text.substr(0, cut);
    in.target = text.substr(cut + 1);
  }
  return in;
}

// A drawing of its own, so that the base folder comes from its HYPERLINKBASE.
TzDbDatabase& drawing() {
  tzad::Editor::instance();
  tzad::Document* doc = tzad::DocumentManager::instance().current();
  if (doc == nullptr) doc = tzad::DocumentManager::instance().create();
  return *doc->database();
}

std::string shown(std::u16string_view text) {
  return "\"" + tzutToUtf8(TzString(text)) + "\"";
}

std::string checkClassification(std::u16string_view t) {
  bool relative = isRelativeTarget(t);
  if (relative && (isWebAddress(t) || isMailtoLink(t) || isDrivePath(t)))
    return shown(t) + " is relative and also a web address, mail link or drive";
  if (isMailtoLink(t) && !isWebAddress(t)) return shown(t) + " is a mail link but no web address";
  if (relative && !platform::pathIsRelative(t)) return shown(t) + " is relative to nothing";
  return {};
}

std::string checkSplitPath(std::u16string_view t) {
  platform::SplitPath parts = platform::splitPath(t);
  if (parts.drive + parts.folder + parts.name + parts.extension != t)
    return "the parts of " + shown(t) + " do not make it again";
  if (!parts.extension.empty() && parts.extension[0] != u'.')
    return "the extension of " + shown(t) + " does not start with a dot";
  return {};
}

std::string checkResolution(const Input& in) {
  if (drawing().setHyperlinkBase(in.base) != Tzad::eOk) return "HYPERLINKBASE cannot be set";
  TzString resolved = resolveTarget(in.target);
  if (!isRelativeTarget(in.target))
    return resolved == in.target ? "" : shown(in.target) + " is changed though not relative";
  TzString base = hyperlinkBasePath();
  TzString native = platform::withNativeSeparators(in.target);
  if (native.size() != in.target.size()) return "separators change the length of a target";
  if (resolved != base + native)
    return shown(in.target) + " resolves to " + shown(resolved) + ", not below " + shown(base);
  // A base of 2048 characters or more is cut to fit the buffer, separator and all.
  if (!base.empty() && base.size() < 2048 && base.back() != u'/' && base.back() != u'\\')
    return "the base folder " + shown(base) + " ends without a separator";
  return {};
}

std::string checkLocation(std::u16string_view location) {
  TzString view, layout;
  splitLocation(location, view, layout);
  if (layout.empty()) return "the location " + shown(location) + " names no layout";
  if (location.substr(0, view.size()) != view) return "the view is not the location's start";
  return {};
}

}  // namespace

std::string checkLinkTargets(std::string_view bytes) {
  Input in = inputOf(bytes);
  platform::setPathStyle(in.style);
  std::string failure;
  for (std::u16string_view text : {std::u16string_view(in.target), std::u16string_view(in.base)}) {
    if (failure.empty()) failure = checkClassification(text);
    if (failure.empty()) failure = checkSplitPath(text);
  }
  if (failure.empty()) failure = checkLocation(in.target);
  if (failure.empty()) failure = checkResolution(in);
  platform::setPathStyle(platform::PathStyle::Posix);
  return failure;
}

}  // namespace tzfuzz
