#include "editor/link_navigation.h"

#include <optional>

#include "base/translation.h"
#include "editor/editor.h"
#include "tzed_editor.h"

namespace tzad {

namespace {

std::optional<Place> currentPlace() {
  Document* doc = DocumentManager::instance().current();
  if (doc == nullptr) return std::nullopt;
  Place place;
  place.drawing = doc->serial;
  place.path = doc->fileName();
  TzString layout;
  if (tzedGetVarText(u"CTAB", layout) == RTNORM) place.layout = layout;
  place.viewCenter = doc->viewCenter;
  place.viewSize = doc->viewSize;
  return place;
}

Document* openDrawing(uint64_t serial) {
  for (const auto& doc : DocumentManager::instance().documents())
    if (doc->serial == serial) return doc.get();
  return nullptr;
}

bool reachable(const Place& place) {
  return !place.path.empty() || openDrawing(place.drawing) != nullptr;
}

// Shows the place: its drawing made current (opened again when it was closed), its layout, its
// view. False when the drawing cannot be had; a layout since deleted leaves the one shown.
bool goTo(const Place& place) {
  DocumentManager& docs = DocumentManager::instance();
  Document* doc = openDrawing(place.drawing);
  if (doc == nullptr) {
    if (place.path.empty()) return false;
    bool wasOpen = docs.find(place.path) != nullptr;
    doc = docs.open(place.path);  // says why when it cannot
    if (doc == nullptr) return false;
    if (!wasOpen) Editor::instance().write(trf("Opened {0}\n", {doc->fileName()}));
  }
  if (docs.activateDocument(doc) != Tzad::eOk) return false;
  TzString layout;
  if (tzedGetVarText(u"CTAB", layout) == RTNORM && layout != place.layout) {
    std::u16string name = place.layout;
    resbuf rb;
    rb.restype = RTSTR;
    rb.resval.rstring = name.data();
    if (tzedSetVar(u"CTAB", &rb) != RTNORM) return true;  // the variable said why
  }
  doc->viewCenter = place.viewCenter;
  doc->viewSize = place.viewSize;
  doc->viewSetByCommand = true;
  return true;
}

// The place the last followed link or step showed. Once its drawing is closed, the user stands
// where closing it left them, but the place they left, for Forward after Back, is this one.
std::optional<Place>& lastShown() {
  static std::optional<Place> shown;
  return shown;
}

std::optional<Place> placeLeft() {
  std::optional<Place> here = currentPlace();
  const std::optional<Place>& shown = lastShown();
  if (shown && openDrawing(shown->drawing) == nullptr && !shown->path.empty()) return shown;
  return here;
}

void step(Direction direction) {
  PlaceHistory& history = linkHistory();
  history.keepReachable(reachable);
  const Place* next = history.next(direction);
  if (next == nullptr) {
    Editor::instance().write(direction == Direction::Back
                                 ? tr("There is no place to go back to.\n")
                                 : tr("There is no place to go forward to.\n"));
    return;
  }
  Place target = *next;
  std::optional<Place> left = placeLeft();
  // A place that cannot be shown now (its file is gone) would block every step after it.
  if (!goTo(target)) return history.forget(direction);
  history.stepped(direction, left);
  lastShown() = currentPlace();
}

int& followDepth() {
  static int depth = 0;
  return depth;
}

}  // namespace

PlaceHistory& linkHistory() {
  static PlaceHistory history;
  return history;
}

bool followsLinksCommand(std::u16string_view upperCaseName) {
  return upperCaseName == u"HYPERLINKOPEN";
}

bool followsLinksAction(std::u16string_view action) {
  return action == kTzrxOpenHyperlinkAction;
}

void followLink(const std::function<void()>& follow) {
  std::optional<Place> from = followDepth() == 0 ? currentPlace() : std::nullopt;
  struct Depth {
    Depth() { ++followDepth(); }
    ~Depth() { --followDepth(); }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
  } depth;
  follow();
  if (!from) return;
  std::optional<Place> to = currentPlace();
  if (!to || samePlace(*from, *to)) return;
  linkHistory().record(*from);
  lastShown() = to;
}

bool canStep(Direction direction) {
  linkHistory().keepReachable(reachable);
  return linkHistory().next(direction) != nullptr;
}

void registerNavigationCommands(Editor& editor) {
  editor.addCommand(
      u"BACK", [] { step(Direction::Back); },
      trf("Returns to where you were before following a hyperlink."));
  editor.addCommand(
      u"FORWARD", [] { step(Direction::Forward); }, trf("Goes again where BACK came from."));
}

}  // namespace tzad
