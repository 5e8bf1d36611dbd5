// LinkToolsPanel.so: the Hyperlinks panel, which LinkTools.tzx loads when the window first
// shows it (module/panel_library.cpp). These are the two functions it looks up.
#include "panel/links_panel.h"
#include "panel/panel_library.h"

extern "C" __attribute__((visibility("default"))) void* linktoolsPanelCreate(void* parent) {
  auto* panel = new linktools::LinksPanel(static_cast<wxWindow*>(parent));
  return static_cast<wxWindow*>(panel);
}

extern "C" __attribute__((visibility("default"))) void linktoolsPanelChanged(void* pane) {
  auto* window = static_cast<wxWindow*>(pane);
  if (auto* panel = dynamic_cast<linktools::LinksPanel*>(window)) panel->refresh();
}
