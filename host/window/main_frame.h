// The main window: menus with the desktop's shortcuts, the drawing view with the layout tabs
// under it, the command-line panel, and the status bar at the bottom.
#pragma once

#include <wx/frame.h>

#include <memory>
#include <string>
#include <vector>

#include "docs/place_history.h"
#include "editor/editor.h"
#include "editor/input_source.h"
#include "tzdb_object_id.h"

class wxMenu;
class wxPanel;
class wxSplitterWindow;

namespace tzad {

class CommandPanel;
class DrawingCanvas;
class Document;
class SidePanes;
class WindowInput;

class MainFrame : public wxFrame {
 public:
  MainFrame(WindowInput& input, std::string version);
  ~MainFrame() override;
  // The main window while it is open.
  static MainFrame* current() { return current_; }

  // Each prompt: the panel shows it; at "Command: " the window catches up with what the last
  // command changed (drawing, layouts, title, view).
  void showPrompt(const std::string& prompt, PromptKind kind);
  // Everything the session writes.
  void append(std::string_view utf8);

  CommandPanel* panel() const { return panel_; }
  DrawingCanvas* canvas() const { return canvas_; }
  SidePanes& panes() const { return *panes_; }
  WindowInput& input() const { return input_; }
  // The session ends: the window closes without asking again.
  void closeForGood();

 private:
  wxMenu* fileMenu();
  wxMenu* viewMenu();
  void buildMenus();
  void fillRecentMenu();
  void fillLayoutMenu();
  void fillViewsMenu();
  void fillDrawingsMenu();
  void updateTitle();
  void updateLayoutTabs();
  void bindNameList(int firstId, const std::vector<std::u16string>& names,
                    std::vector<std::string> (*command)(std::string name));
  std::u16string chooseDrawing(const char16_t* title, int flags, const std::u16string& name = {});
  static std::vector<std::u16string> saveAsAnswers(const Document& doc, const std::u16string& path);
  static std::u16string dialogStart(const Document* doc);
  void openWithDialog();
  void saveAsWithDialog();
  void exportPdfWithDialog();
  SaveAnswer askAboutChanges(Document& doc);
  static std::vector<TzDbObjectId> preselection();
  wxMenu* editMenu();
  void updateEditMenu();
  void updateGoItems();
  void step(Direction direction);
  void openHyperlink();
  void updateModuleMenus();
  void showInMenuBar(wxMenu* menu, const wxString& title, wxMenu* after);
  void onClose(wxCloseEvent& event);
  void installWindowRequests();
  void giveCommandLineTheKeys();
  void showObjects(const std::vector<TzDbObjectId>& ids);
  void showKeys();
  void showAbout();

  WindowInput& input_;
  std::string version_;
  CommandPanel* panel_ = nullptr;
  DrawingCanvas* canvas_ = nullptr;
  wxSplitterWindow* splitter_ = nullptr;
  std::unique_ptr<SidePanes> panes_;
  wxPanel* tabs_ = nullptr;
  wxMenu* recentMenu_ = nullptr;
  wxMenu* layoutMenu_ = nullptr;
  wxMenu* viewsMenu_ = nullptr;
  wxMenu* drawingsMenu_ = nullptr;
  wxMenu* viewMenu_ = nullptr;
  wxMenu* insertMenu_ = nullptr;     // in the menu bar while a module offers its item
  wxMenu* hyperlinkMenu_ = nullptr;  // likewise
  std::vector<bool> offeredActions_;
  std::vector<std::u16string> recentFiles_;
  std::vector<std::u16string> layoutNames_;
  std::vector<std::u16string> viewNames_;
  std::vector<std::u16string> drawingPaths_;
  std::u16string currentLayout_;
  bool closing_ = false;
  unsigned long commandsSeen_ = 0;
  static inline MainFrame* current_ = nullptr;
};

}  // namespace tzad
