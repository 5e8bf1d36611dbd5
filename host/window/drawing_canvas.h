// The drawing view in the main window: paints the current layout, zooms and pans, and answers
// prompts with what the mouse picks. Hyperlinks show under the mouse (where they lead, in the
// window's status bar); the actions that loaded modules offer on them run with Ctrl+click and
// from the context menu.
#pragma once

#include <cairo.h>
#include <wx/window.h>

#include <memory>
#include <optional>
#include <vector>

#include "tzdb_object_id.h"
#include "view/view_types.h"
#include "window/object_link.h"

namespace tzad {

class CommandPanel;
class Document;
class WindowInput;

class DrawingCanvas : public wxWindow {
 public:
  DrawingCanvas(wxWindow* parent, WindowInput& input, CommandPanel& panel);
  ~DrawingCanvas() override;

  // At "Command: ": shows what the last command changed (another drawing or layout, new
  // contents when commands ran, a view restored, the pre-selection).
  void catchUp(Document* doc, bool commandsRan);
  // The last command may have closed the drawing shown: nothing may reach it any more.
  void forgetClosedDocument();
  void zoomExtents();
  void setHighlightLinks(bool on);
  void clearPreselection();
  // Makes the objects of the layout shown the pre-selection and zooms to them.
  void showObjects(const std::vector<TzDbObjectId>& ids);

  // Where a world point is in the window, for the tests that click on objects.
  wxPoint screenPoint(double worldX, double worldY) const;

 private:
  struct State;
  void onPaint(wxPaintEvent& event);
  void onSize(wxSizeEvent& event);
  void onLeftDown(wxMouseEvent& event);
  void onLeftUp(wxMouseEvent& event);
  void onRightUp(wxMouseEvent& event);
  void onMiddleDown(wxMouseEvent& event);
  void onMiddleUp(wxMouseEvent& event);
  void onMotion(wxMouseEvent& event);
  void onWheel(wxMouseEvent& event);
  void onKey(wxKeyEvent& event);
  void onCaptureLost(wxMouseCaptureLostEvent& event);

  void rebuild();
  void redraw();
  void renderImage();
  void paintHovered(cairo_t* cr);
  void storeView();
  void panBy(wxPoint moved);
  ViewPoint worldAt(wxPoint at) const;
  TzDbObjectId objectAt(wxPoint at) const;
  std::vector<TzDbObjectId> objectsIn(wxPoint from, wxPoint to, bool crossing) const;
  void click(wxPoint at, bool shift);
  void dragSelect(wxPoint from, wxPoint to);
  void answerPicks(const std::vector<TzDbObjectId>& ids);
  void preselect(const std::vector<TzDbObjectId>& ids, bool remove);
  void hover(wxPoint at);
  void hoverAtMouse();
  void setHovered(TzDbObjectId id);
  void forgetHovered();
  void showStatus(const std::u16string& text);
  void showLinkMenu(TzDbObjectId id);
  void markLinkedObjects();

  WindowInput& input_;
  CommandPanel& panel_;
  std::unique_ptr<State> state_;
};

}  // namespace tzad
