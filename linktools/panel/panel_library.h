// The panel's library as LinkTools.tzx finds it: beside the module, loaded only when the window
// first shows the panel, so that a script run or a terminal session loads no toolkit.
#pragma once

namespace linktools {

inline constexpr char kPanelLibrary[] = "LinkToolsPanel.so";
// void* linktoolsPanelCreate(void* parent): the panel under a wxWindow*, as a wxWindow*.
inline constexpr char kPanelCreateSymbol[] = "linktoolsPanelCreate";
// void linktoolsPanelChanged(void* pane): the drawing changed; the panel lists it again.
inline constexpr char kPanelChangedSymbol[] = "linktoolsPanelChanged";
using PanelCreateFunction = void* (*)(void* parent);
using PanelChangedFunction = void (*)(void* pane);

}  // namespace linktools
