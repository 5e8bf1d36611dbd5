#include "window/drawing_canvas.h"

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/menu.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "docs/document_manager.h"
#include "editor/editor.h"
#include "paint/scene_renderer.h"
#include "view/hit_test.h"
#include "view/scene.h"
#include "view/view_transform.h"
#include "window/command_panel.h"
#include "window/link_status_text.h"
#include "window/module_actions.h"
#include "window/pick_answers.h"
#include "window/window_input.h"
#include "window/window_text.h"

namespace tzad {

namespace {

// A press that moves less than this is a click, not a drag.
constexpr int kDragStart = 4;
// How near the cursor an object must pass to be picked, in pixels.
constexpr double kPickTolerance = 4.0;
// One notch of the wheel zooms by this factor.
constexpr double kWheelZoom = 1.25;
constexpr double kExtentsMargin = 0.05;
// Objects shown from a list keep room around them, and take at least this share of the
// drawing's extents.
constexpr double kShownObjectMargin = 0.25;
constexpr double kShownObjectShare = 0.02;

enum LinkMenuId { kLinkOpen = wxID_HIGHEST + 600, kLinkCopy, kLinkEdit, kLinkRemove };

std::string utf8(std::u16string_view text) {
  return tzutToUtf8(text);
}

}  // namespace

// An image of the drawing as last rendered: selecting and zooming render it again, while the
// object under the mouse and a rubber band are drawn over it without touching the drawing.
struct RenderedImage {
  cairo_surface_t* surface = nullptr;
  RenderedImage() = default;
  RenderedImage(const RenderedImage&) = delete;
  RenderedImage& operator=(const RenderedImage&) = delete;
  ~RenderedImage() { reset(); }
  void reset() {
    if (surface) cairo_surface_destroy(surface);
    surface = nullptr;
  }
};

struct DrawingCanvas::State {
  Document* doc = nullptr;
  uint64_t docSerial = 0;
  TzDbObjectId space;
  Scene scene;
  ViewTransform view;
  RenderedImage image;
  bool highlightLinks = false;
  // The objects of the scene that the module marks as carrying a hyperlink, while View >
  // Highlight Hyperlinks is on.
  std::unordered_set<TzDbObjectId> marked;
  std::optional<wxPoint> pressedAt;
  std::optional<wxPoint> dragTo;
  std::optional<wxPoint> panFrom;
  TzDbObjectId hovered;
  std::optional<ObjectLink> hoveredLink;
  LinkTargets linkTargets;
  bool statusShown = false;  // the status bar shows the hovered object's link
  // Objects picked in the view at the "Select objects: " prompts of the running command: shown
  // as selected until it ends.
  std::vector<TzDbObjectId> picked;
};

DrawingCanvas::DrawingCanvas(wxWindow* parent, WindowInput& input, CommandPanel& panel)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(800, 500), wxWANTS_CHARS),
      input_(input),
      panel_(panel),
      state_(std::make_unique<State>()) {
  SetName("drawing view");
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &DrawingCanvas::onPaint, this);
  Bind(wxEVT_SIZE, &DrawingCanvas::onSize, this);
  Bind(wxEVT_LEFT_DOWN, &DrawingCanvas::onLeftDown, this);
  Bind(wxEVT_LEFT_UP, &DrawingCanvas::onLeftUp, this);
  Bind(wxEVT_RIGHT_UP, &DrawingCanvas::onRightUp, this);
  Bind(wxEVT_MIDDLE_DOWN, &DrawingCanvas::onMiddleDown, this);
  Bind(wxEVT_MIDDLE_UP, &DrawingCanvas::onMiddleUp, this);
  Bind(wxEVT_MOTION, &DrawingCanvas::onMotion, this);
  Bind(wxEVT_MOUSEWHEEL, &DrawingCanvas::onWheel, this);
  Bind(wxEVT_CHAR, &DrawingCanvas::onKey, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &DrawingCanvas::onCaptureLost, this);
  Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
    setHovered(TzDbObjectId());
    event.Skip();
  });
}

DrawingCanvas::~DrawingCanvas() = default;

void DrawingCanvas::onKey(wxKeyEvent& event) {
  // Keys with Ctrl or Alt are the menus' shortcuts: left to the toolkit, which finds them.
  if (event.ControlDown() || event.AltDown()) return event.Skip();
  if (event.GetKeyCode() == WXK_HOME) return zoomExtents();
  panel_.takeTypedKey(event);
}

void DrawingCanvas::onLeftDown(wxMouseEvent& event) {
  SetFocus();
  if (event.ControlDown() && isOffered(kOpenHyperlink)) {
    hover(event.GetPosition());
    if (state_->hoveredLink) return runAtCommandPrompt(input_, kOpenHyperlink, {state_->hovered});
  }
  state_->pressedAt = event.GetPosition();
  state_->dragTo.reset();
  CaptureMouse();
}

void DrawingCanvas::onLeftUp(wxMouseEvent& event) {
  if (HasCapture()) ReleaseMouse();
  std::optional<wxPoint> from = std::exchange(state_->pressedAt, std::nullopt);
  std::optional<wxPoint> to = std::exchange(state_->dragTo, std::nullopt);
  if (!from) return;
  if (to)
    dragSelect(*from, *to);
  else
    click(event.GetPosition(), event.ShiftDown());
  Refresh();
}

void DrawingCanvas::onCaptureLost(wxMouseCaptureLostEvent&) {
  state_->pressedAt.reset();
  state_->dragTo.reset();
  state_->panFrom.reset();
  Refresh();
}

void DrawingCanvas::onRightUp(wxMouseEvent& event) {
  PromptKind kind = input_.promptKind();
  // A right click ends a selection or a point prompt, as Enter does.
  if (kind == PromptKind::Selection || kind == PromptKind::Point) return input_.answer("");
  hover(event.GetPosition());
  if (kind == PromptKind::Command && state_->hoveredLink) showLinkMenu(state_->hovered);
}

void DrawingCanvas::onMiddleDown(wxMouseEvent& event) {
  state_->panFrom = event.GetPosition();
  CaptureMouse();
}

void DrawingCanvas::onMiddleUp(wxMouseEvent&) {
  if (HasCapture()) ReleaseMouse();
  state_->panFrom.reset();
  storeView();
}

void DrawingCanvas::onMotion(wxMouseEvent& event) {
  wxPoint at = event.GetPosition();
  if (state_->panFrom) {
    panBy(at - *state_->panFrom);
    state_->panFrom = at;
    return;
  }
  if (state_->pressedAt && event.LeftIsDown()) {
    wxPoint moved = at - *state_->pressedAt;
    if (state_->dragTo || std::abs(moved.x) > kDragStart || std::abs(moved.y) > kDragStart) {
      state_->dragTo = at;
      Refresh();
    }
    return;
  }
  hover(at);
}

void DrawingCanvas::hover(wxPoint at) {
  setHovered(objectAt(at));
}

// Where the mouse is now, after a menu held it: over the view or gone from it.
void DrawingCanvas::hoverAtMouse() {
  wxPoint at = ScreenToClient(wxGetMousePosition());
  if (GetClientRect().Contains(at))
    hover(at);
  else
    setHovered(TzDbObjectId());
}

void DrawingCanvas::setHovered(TzDbObjectId id) {
  if (id == state_->hovered) return;
  forgetHovered();
  state_->hovered = id;
  state_->hoveredLink = id.isNull() ? std::nullopt : objectLink(id);
  if (state_->hoveredLink) {
    bool followed = isOffered(kOpenHyperlink);
    if (followed) SetCursor(wxCursor(wxCURSOR_HAND));
    SetToolTip(wxString::FromUTF8(utf8(linkTooltip(*state_->hoveredLink, followed))));
    const ObjectLink& link = *state_->hoveredLink;
    showStatus(linkStatusText(link, state_->linkTargets.of(link.address)));
  }
  Refresh();
}

// The frame's status bar, when the view is in one that has it.
void DrawingCanvas::showStatus(const std::u16string& text) {
  auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
  if (frame == nullptr || frame->GetStatusBar() == nullptr) return;
  if (text.empty() && !state_->statusShown) return;  // what the menus put there stays
  frame->SetStatusText(wxString::FromUTF8(utf8(text)));
  state_->statusShown = !text.empty();
}

// A tooltip on screen keeps its place when its text changes: the old one goes, so that the
// next appears at the mouse; and what was hovered may be gone or elsewhere after a command.
void DrawingCanvas::forgetHovered() {
  state_->hovered = TzDbObjectId();
  state_->hoveredLink.reset();
  UnsetToolTip();
  SetCursor(wxNullCursor);
  showStatus({});
}

void DrawingCanvas::click(wxPoint at, bool shift) {
  switch (input_.promptKind()) {
    case PromptKind::Point:
      return input_.answer(
          pointAnswer(worldAt(at).x, worldAt(at).y, state_->doc ? state_->doc->ucs : Ucs{}));
    case PromptKind::Selection:
      if (TzDbObjectId id = objectAt(at); !id.isNull()) answerPicks({id});
      return;
    case PromptKind::Command:
      if (TzDbObjectId id = objectAt(at); !id.isNull()) return preselect({id}, shift);
      if (!shift) clearPreselection();
      return;
    case PromptKind::Text:
      return;
  }
}

void DrawingCanvas::answerPicks(const std::vector<TzDbObjectId>& ids) {
  state_->picked.insert(state_->picked.end(), ids.begin(), ids.end());
  redraw();
  input_.answer(handlesAnswer(ids));
}

void DrawingCanvas::preselect(const std::vector<TzDbObjectId>& ids, bool remove) {
  if (state_->doc == nullptr) return;
  std::vector<TzDbObjectId>& chosen = state_->doc->pickfirst;
  for (TzDbObjectId id : ids) {
    auto found = std::find(chosen.begin(), chosen.end(), id);
    if (remove && found != chosen.end()) chosen.erase(found);
    if (!remove && found == chosen.end()) chosen.push_back(id);
  }
  // As after SELECT, PREVIOUS at the next "Select objects: " names what was picked.
  state_->doc->previousSelection = chosen;
  redraw();
}

void DrawingCanvas::clearPreselection() {
  if (state_->doc == nullptr || state_->doc->pickfirst.empty()) return;
  state_->doc->pickfirst.clear();
  redraw();
}

void DrawingCanvas::showObjects(const std::vector<TzDbObjectId>& ids) {
  if (state_->doc == nullptr) return;
  state_->doc->pickfirst = ids;
  state_->doc->previousSelection = ids;
  ViewBox box;
  for (TzDbObjectId id : ids)
    if (int index = state_->scene.entityIndexOf(id); index >= 0)
      box.add(state_->scene.entities()[size_t(index)].box);
  if (!box.empty()) {
    // A point or a short line fills no view: it is shown with a part of the drawing around it.
    const ViewBox& all = state_->scene.extents();
    double least = std::max(all.width(), all.height()) * kShownObjectShare;
    double padX = std::max(0.0, (least - box.width()) / 2);
    double padY = std::max(0.0, (least - box.height()) / 2);
    if (least > 0)
      box = ViewBox::of({box.minX - padX, box.minY - padY}, {box.maxX + padX, box.maxY + padY});
    state_->view.zoomToBox(box, kShownObjectMargin);
    storeView();
  }
  redraw();
}

void DrawingCanvas::dragSelect(wxPoint from, wxPoint to) {
  // From left to right: the objects wholly inside; from right to left: those it touches too.
  bool crossing = to.x < from.x;
  std::vector<TzDbObjectId> ids = objectsIn(from, to, crossing);
  switch (input_.promptKind()) {
    case PromptKind::Selection:
      // Nothing found adds nothing; an empty answer would end the selection.
      if (!ids.empty()) answerPicks(ids);
      return;
    case PromptKind::Command:
      return preselect(ids, false);
    default:
      return;
  }
}

// The menu offers what the loaded modules do with a linked object: without them, nothing.
// The object is the menu's own copy: while the menu is up the mouse moves over it, and what
// the view holds as hovered changes with it.
void DrawingCanvas::showLinkMenu(TzDbObjectId id) {
  struct Item {
    int menuId;
    const char* label;
    const ModuleAction& action;
  };
  static const Item kItems[] = {{kLinkOpen, markedText("&Open"), kOpenHyperlink},
                                {kLinkCopy, markedText("&Copy Hyperlink"), kCopyHyperlink},
                                {kLinkEdit, markedText("&Edit Hyperlink..."), kEditHyperlink},
                                {kLinkRemove, markedText("&Remove Hyperlink"), kRemoveHyperlink}};
  wxMenu menu;
  for (const Item& item : kItems)
    if (isOffered(item.action)) menu.Append(item.menuId, trw(item.label));
  if (menu.GetMenuItemCount() == 0) return;
  int chosen = GetPopupMenuSelectionFromUser(menu);
  hoverAtMouse();
  for (const Item& item : kItems)
    if (item.menuId == chosen) return runAtCommandPrompt(input_, item.action, {id});
}

// Which of the scene's objects the module counts as linked: those the scene found hyperlink
// data on are the ones to ask about.
void DrawingCanvas::markLinkedObjects() {
  state_->marked.clear();
  if (!state_->highlightLinks || !isOffered(kHighlightHyperlinks)) return;
  std::vector<TzDbObjectId> candidates;
  for (const SceneEntity& e : state_->scene.entities())
    if (e.linked && !e.id.isNull()) candidates.push_back(e.id);
  if (candidates.empty()) return;
  for (TzDbObjectId id : runNow(kHighlightHyperlinks, candidates)) state_->marked.insert(id);
}

void DrawingCanvas::rebuild() {
  state_->scene = state_->doc ? buildCurrentScene(*state_->doc->database()) : Scene();
  forgetHovered();
  state_->picked.clear();
  markLinkedObjects();
}

void DrawingCanvas::redraw() {
  state_->image.reset();
  Refresh();
}

void DrawingCanvas::forgetClosedDocument() {
  const auto& open = DocumentManager::instance().documents();
  bool stillOpen = std::any_of(open.begin(), open.end(), [this](const auto& doc) {
    return doc.get() == state_->doc && doc->serial == state_->docSerial;
  });
  if (!stillOpen) state_->doc = nullptr;
}

void DrawingCanvas::catchUp(Document* doc, bool commandsRan) {
  forgetClosedDocument();
  TzDbObjectId space = doc ? doc->database()->currentSpaceId() : TzDbObjectId();
  bool otherLayout = doc != state_->doc || space != state_->space;
  state_->doc = doc;
  state_->docSerial = doc ? doc->serial : 0;
  state_->space = space;
  // Reading a large drawing again costs time: only a command can have changed it.
  bool rebuilt = otherLayout || commandsRan;
  if (rebuilt) {
    state_->linkTargets.forget();
    rebuild();
  }
  if (rebuilt && state_->scene.cutShort())
    Editor::instance().write(
        tr("Not all of this layout is shown: its block references hold more than the view "
           "draws.\n"));
  if (doc && doc->viewSetByCommand) {
    doc->viewSetByCommand = false;
    double height = doc->viewSize > 0 ? doc->viewSize : 1.0;
    double width = height * state_->view.screenWidth() / state_->view.screenHeight();
    state_->view.zoomToBox(
        ViewBox::of({doc->viewCenter.x - width / 2, doc->viewCenter.y - height / 2},
                    {doc->viewCenter.x + width / 2, doc->viewCenter.y + height / 2}),
        0.0);
    storeView();
    redraw();
  } else if (otherLayout) {
    zoomExtents();
  } else {
    redraw();
  }
  // What is under the mouse now, in the drawing and view the command left.
  if (rebuilt) hoverAtMouse();
}

void DrawingCanvas::storeView() {
  Document* doc = state_->doc;
  // A view set by a command waits to be shown (catchUp): what the window shows is older.
  if (doc == nullptr || doc->viewSetByCommand) return;
  ViewBox shown = state_->view.visibleWorld();
  doc->viewCenter = {(shown.minX + shown.maxX) / 2, (shown.minY + shown.maxY) / 2, 0.0};
  doc->viewSize = shown.height();
  doc->viewAspect = shown.width() / shown.height();
}

void DrawingCanvas::zoomExtents() {
  state_->view.zoomToBox(state_->scene.extents(), kExtentsMargin);
  storeView();
  redraw();
}

void DrawingCanvas::setHighlightLinks(bool on) {
  state_->highlightLinks = on;
  markLinkedObjects();
  redraw();
}

wxPoint DrawingCanvas::screenPoint(double worldX, double worldY) const {
  ViewPoint at = state_->view.toScreen({worldX, worldY});
  return {static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y))};
}

ViewPoint DrawingCanvas::worldAt(wxPoint at) const {
  return state_->view.toWorld({double(at.x), double(at.y)});
}

TzDbObjectId DrawingCanvas::objectAt(wxPoint at) const {
  std::optional<TzDbObjectId> id =
      pickEntity(state_->scene, state_->view, {double(at.x), double(at.y)}, kPickTolerance);
  return id ? *id : TzDbObjectId();
}

std::vector<TzDbObjectId> DrawingCanvas::objectsIn(wxPoint from, wxPoint to, bool crossing) const {
  ViewBox world = ViewBox::of(worldAt(from), worldAt(to));
  return crossing ? entitiesCrossing(state_->scene, world) : entitiesInside(state_->scene, world);
}

void DrawingCanvas::panBy(wxPoint moved) {
  state_->view.pan(moved.x, moved.y);
  redraw();
}

void DrawingCanvas::onWheel(wxMouseEvent& event) {
  double notches = double(event.GetWheelRotation()) / std::max(1, event.GetWheelDelta());
  state_->view.zoomAbout({double(event.GetX()), double(event.GetY())},
                         std::pow(kWheelZoom, notches));
  storeView();
  redraw();
}

void DrawingCanvas::onSize(wxSizeEvent& event) {
  wxSize size = GetClientSize();
  bool first = state_->view.screenWidth() <= 1;
  state_->view.resize(size.x, size.y);
  if (first)
    zoomExtents();
  else
    storeView();
  redraw();
  event.Skip();
}

void DrawingCanvas::renderImage() {
  wxSize size = GetClientSize();
  state_->image.reset();
  state_->image.surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, size.x), std::max(1, size.y));
  cairo_t* cr = cairo_create(state_->image.surface);
  RenderOptions options;
  if (state_->doc)
    options.selected.insert(state_->doc->pickfirst.begin(), state_->doc->pickfirst.end());
  options.selected.insert(state_->picked.begin(), state_->picked.end());
  options.marked = state_->marked;
  renderScene(cr, state_->scene, state_->view, options);
  cairo_destroy(cr);
}

void DrawingCanvas::paintHovered(cairo_t* cr) {
  if (state_->hovered.isNull()) return;
  int index = state_->scene.entityIndexOf(state_->hovered);
  if (index < 0) return;
  RenderOptions options;
  options.hovered = state_->hovered;
  renderOver(cr, state_->scene, state_->view, state_->scene.entities()[size_t(index)], options);
}

void DrawingCanvas::onPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (state_->image.surface == nullptr) renderImage();
  wxGraphicsContext* graphics = dc.GetGraphicsContext();
  auto* cr = static_cast<cairo_t*>(graphics ? graphics->GetNativeContext() : nullptr);
  if (cr == nullptr) return;
  cairo_save(cr);
  cairo_set_source_surface(cr, state_->image.surface, 0, 0);
  cairo_paint(cr);
  paintHovered(cr);
  if (state_->pressedAt && state_->dragTo) {
    // The rubber band: solid for a window, dashed for a crossing selection.
    wxPoint a = *state_->pressedAt, b = *state_->dragTo;
    bool crossing = b.x < a.x;
    cairo_rectangle(cr, std::min(a.x, b.x) + 0.5, std::min(a.y, b.y) + 0.5, std::abs(b.x - a.x),
                    std::abs(b.y - a.y));
    if (crossing)
      cairo_set_source_rgba(cr, 0.2, 0.8, 0.3, 0.15);
    else
      cairo_set_source_rgba(cr, 0.2, 0.4, 1.0, 0.15);
    cairo_fill_preserve(cr);
    double dash = 4;
    cairo_set_dash(cr, &dash, crossing ? 1 : 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

}  // namespace tzad
