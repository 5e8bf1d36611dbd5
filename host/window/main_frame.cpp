#include "window/main_frame.h"

#include <wx/aboutdlg.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <filesystem>

#include "editor/commands/command_support.h"
#include "editor/editor.h"
#include "editor/link_navigation.h"
#include "editor/window_requests.h"
#include "platform/display_text.h"
#include "platform/recent_files.h"
#include "platform/text.h"
#include "tzdb_database.h"
#include "tzdb_entity.h"
#include "tzrx_module.h"
#include "tzui_dialog.h"
#include "tzui_nav_dialog.h"
#include "ui/nav_filters.h"
#include "ui/windows.h"
#include "view/layout_list.h"
#include "window/command_panel.h"
#include "window/drawing_canvas.h"
#include "window/module_actions.h"
#include "window/progress_window.h"
#include "window/side_panes.h"
#include "window/window_input.h"
#include "window/window_text.h"

namespace tzad {

namespace {

enum MenuId {
  kMenuInsertHyperlink = wxID_HIGHEST + 1,
  kMenuOpenHyperlink,
  kMenuPasteAsHyperlink,
  kMenuRemoveHyperlink,
  kZoomExtents,
  kMenuHighlightHyperlinks,
  kHelpCommands,
  kHelpKeys,
  kUndo,
  kRedo,
  kExportPdf,
  kGoBack,
  kGoForward,
  kFirstRecent = wxID_HIGHEST + 100,
  kFirstLayout = wxID_HIGHEST + 200,
  kFirstView = wxID_HIGHEST + 400,
  kFirstDrawing = wxID_HIGHEST + 600,
  kFirstPane = wxID_HIGHEST + 800,
  kListSize = 100,
};

constexpr size_t kRecentShown = 9;

// The menus' items that stand for an action of a module, each shown while a loaded module
// offers the action. The Insert and Hyperlink menus hold nothing else and go with their items.
enum class ModuleMenu { Insert, Hyperlink, View };
struct ModuleMenuItem {
  ModuleMenu menu;
  int id;
  const char* label;
  const char* help;  // null: none
  const ModuleAction& action;
  bool check;
};
const ModuleMenuItem kModuleMenuItems[] = {
    {ModuleMenu::Insert, kMenuInsertHyperlink, markedText("&Hyperlink...\tCtrl+K"), nullptr,
     kInsertHyperlink, false},
    {ModuleMenu::Hyperlink, kMenuOpenHyperlink, markedText("&Open"), nullptr, kOpenHyperlink,
     false},
    {ModuleMenu::Hyperlink, kMenuPasteAsHyperlink, markedText("&Paste as Hyperlink"), nullptr,
     kPasteAsHyperlink, false},
    {ModuleMenu::Hyperlink, kMenuRemoveHyperlink, markedText("&Remove"), nullptr, kRemoveHyperlink,
     false},
    {ModuleMenu::View, kMenuHighlightHyperlinks, markedText("&Highlight Hyperlinks"),
     markedText("Mark every object that carries a hyperlink"), kHighlightHyperlinks, true},
};
// The View menu's own items before those of the modules: Zoom Extents.
constexpr size_t kViewItemsBeforeModules = 1;
// The menus of the menu bar before those of the modules: File and Edit.
constexpr size_t kMenusBeforeModules = 2;

std::string fromWx(const wxString& text) {
  return text.utf8_string();
}

// A file name as a menu shows it: a right-to-left override or another invisible control in it
// shows as what it is, and a very long name is cut.
std::u16string shownName(const std::u16string& path) {
  return platform::displayText(path, platform::kShownLength);
}

bool isDrawingFile(const std::u16string& path) {
  std::string extension = std::filesystem::path(tzutToUtf8(path)).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".dxf" || extension == ".dwg";
}

// Files dropped on the window open as OPEN opens them, one after another.
class DrawingDropTarget : public wxFileDropTarget {
 public:
  explicit DrawingDropTarget(WindowInput& input) : input_(input) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
    for (const wxString& file : files) input_.typeCommand({"OPEN", fromWx(file)});
    return true;
  }

 private:
  WindowInput& input_;
};

}  // namespace

MainFrame::MainFrame(WindowInput& input, std::string version)
    : wxFrame(nullptr, wxID_ANY, "tzad", wxDefaultPosition, wxSize(1024, 720)),
      input_(input),
      version_(std::move(version)) {
  SetName("tzad");
  auto* top = new wxPanel(this);
  panel_ = new CommandPanel(top, {[this](std::string line) { input_.answer(std::move(line)); },
                                  [this] {
                                    canvas_->clearPreselection();
                                    input_.cancel();
                                  },
                                  [this] { canvas_->zoomExtents(); }});
  splitter_ = new wxSplitterWindow(top, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxSP_LIVE_UPDATE | wxSP_3DSASH);
  canvas_ = new DrawingCanvas(splitter_, input_, *panel_);
  panes_ = std::make_unique<SidePanes>(*splitter_, *canvas_);
  tabs_ = new wxPanel(top);
  tabs_->SetSizer(new wxBoxSizer(wxHORIZONTAL));
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(splitter_, 1, wxEXPAND);
  column->Add(tabs_, 0, wxEXPAND);
  column->Add(panel_, 0, wxEXPAND);
  top->SetSizer(column);
  buildMenus();
  CreateStatusBar();
  // Alt+Left and Alt+Right go back and forward wherever the keyboard is: the command line
  // would move its caret with them.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (event.GetModifiers() != wxMOD_ALT) return event.Skip();
    if (key == WXK_LEFT || key == WXK_NUMPAD_LEFT) return step(Direction::Back);
    if (key == WXK_RIGHT || key == WXK_NUMPAD_RIGHT) return step(Direction::Forward);
    event.Skip();
  });
  SetDropTarget(new DrawingDropTarget(input_));
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onClose, this);
  Editor::instance().setSaveQuestion([this](Document& doc) { return askAboutChanges(doc); });
  Editor::instance().setYesNoQuestion([this](const std::u16string& question) {
    wxMessageDialog ask(this, TwUiString(question), "tzad", wxYES_NO | wxICON_QUESTION);
    return ask.ShowModal() == wxID_YES;
  });
  Editor::instance().setProgressDisplay(ProgressWindow::displayFor(this));
  installWindowRequests();
  current_ = this;
  tzui::setMainFrame(this);
}

MainFrame::~MainFrame() {
  // A menu out of the menu bar is the window's own.
  for (wxMenu* menu : {insertMenu_, hyperlinkMenu_})
    if (menu->GetMenuBar() == nullptr) delete menu;
  Editor::instance().setSaveQuestion(nullptr);
  Editor::instance().setYesNoQuestion(nullptr);
  Editor::instance().setProgressDisplay(nullptr);
  setWindowRequests({});
  current_ = nullptr;
  tzui::setMainFrame(nullptr);
}

void MainFrame::append(std::string_view utf8) {
  panel_->append(utf8);
}

wxMenu* MainFrame::fileMenu() {
  auto* menu = new wxMenu;
  menu->Append(wxID_NEW, trw("&New\tCtrl+N"));
  menu->Append(wxID_OPEN, trw("&Open...\tCtrl+O"));
  recentMenu_ = new wxMenu;
  menu->AppendSubMenu(recentMenu_, trw("Open &Recent"));
  menu->Append(wxID_SAVE, trw("&Save\tCtrl+S"));
  menu->Append(wxID_SAVEAS, trw("Save &As...\tCtrl+Shift+S"));
  menu->Append(kExportPdf, trw("&Export PDF..."));
  menu->Append(wxID_CLOSE, trw("&Close\tCtrl+W"));
  menu->AppendSeparator();
  menu->Append(wxID_EXIT, trw("&Quit\tCtrl+Q"));
  return menu;
}

wxMenu* MainFrame::viewMenu() {
  auto* menu = new wxMenu;
  // Home zooms to the extents in the view and in an empty command line; as a menu shortcut it
  // would take Home from the command line's editing.
  menu->Append(kZoomExtents, trw("Zoom &Extents"), trw("Show the whole drawing (Home)"));
  menu->AppendSeparator();
  layoutMenu_ = new wxMenu;
  menu->AppendSubMenu(layoutMenu_, trw("&Layout"));
  viewsMenu_ = new wxMenu;
  menu->AppendSubMenu(viewsMenu_, trw("Named &Views"));
  menu->AppendSeparator();
  menu->Append(kGoBack, trw("&Back\tAlt+Left"),
               trw("Return to where you were before following a hyperlink"));
  menu->Append(kGoForward, trw("&Forward\tAlt+Right"), trw("Go again where Back came from"));
  return menu;
}

wxMenu* MainFrame::editMenu() {
  auto* menu = new wxMenu;
  menu->Append(kUndo, trw("&Undo\tCtrl+Z"));
  menu->Append(kRedo, trw("&Redo\tCtrl+Y"));
  return menu;
}

// The Edit menu names what Undo and Redo would act on, as after each command.
void MainFrame::updateEditMenu() {
  Document* doc = Editor::instance().document();
  std::u16string undo = doc ? doc->nextUndo() : std::u16string();
  std::u16string redo = doc ? doc->nextRedo() : std::u16string();
  wxMenuBar* bar = GetMenuBar();
  bar->SetLabel(kUndo,
                undo.empty() ? trw("&Undo\tCtrl+Z") : TwUiString(trf("&Undo {0}\tCtrl+Z", {undo})));
  bar->SetLabel(kRedo,
                redo.empty() ? trw("&Redo\tCtrl+Y") : TwUiString(trf("&Redo {0}\tCtrl+Y", {redo})));
  bar->Enable(kUndo, !undo.empty());
  bar->Enable(kRedo, !redo.empty());
}

// Back and Forward are there to choose while they lead somewhere, as Undo and Redo are.
void MainFrame::updateGoItems() {
  GetMenuBar()->Enable(kGoBack, canStep(Direction::Back));
  GetMenuBar()->Enable(kGoForward, canStep(Direction::Forward));
}

void MainFrame::step(Direction direction) {
  if (canStep(direction)) input_.typeCommand({direction == Direction::Back ? "BACK" : "FORWARD"});
}

void MainFrame::buildMenus() {
  insertMenu_ = new wxMenu;
  hyperlinkMenu_ = new wxMenu;
  auto* help = new wxMenu;
  help->Append(kHelpCommands, trw("&Commands"));
  help->Append(kHelpKeys, trw("&Keys"));
  help->Append(wxID_ABOUT, trw("&About tzad"));
  auto* bar = new wxMenuBar;
  bar->Append(fileMenu(), trw("&File"));
  bar->Append(editMenu(), trw("&Edit"));
  viewMenu_ = viewMenu();
  bar->Append(viewMenu_, trw("&View"));
  drawingsMenu_ = new wxMenu;
  bar->Append(drawingsMenu_, trw("&Window"));
  bar->Append(help, trw("&Help"));
  SetMenuBar(bar);

  auto typed = [this](std::vector<std::string> lines) {
    return [this, lines](wxCommandEvent&) { input_.typeCommand(lines); };
  };
  Bind(wxEVT_MENU, typed({"NEW"}), wxID_NEW);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { openWithDialog(); }, wxID_OPEN);
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) {
        Document* doc = Editor::instance().document();
        if (doc && doc->isUntitled()) return saveAsWithDialog();
        input_.typeCommand({"SAVE"});
      },
      wxID_SAVE);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { saveAsWithDialog(); }, wxID_SAVEAS);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { exportPdfWithDialog(); }, kExportPdf);
  Bind(wxEVT_MENU, typed({"CLOSE"}), wxID_CLOSE);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
  Bind(wxEVT_MENU, typed({"U"}), kUndo);
  Bind(wxEVT_MENU, typed({"REDO"}), kRedo);
  // Ctrl+Shift+Z redoes too, as in other desktop programs.
  wxAcceleratorEntry redoKey(wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', kRedo);
  SetAcceleratorTable(wxAcceleratorTable(1, &redoKey));
  // The module's actions take the selection; without one they ask, as their commands do.
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) { runAtCommandPrompt(input_, kInsertHyperlink, preselection()); },
      kMenuInsertHyperlink);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { openHyperlink(); }, kMenuOpenHyperlink);
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) { runAtCommandPrompt(input_, kPasteAsHyperlink, preselection()); },
      kMenuPasteAsHyperlink);
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) { runAtCommandPrompt(input_, kRemoveHyperlink, preselection()); },
      kMenuRemoveHyperlink);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { canvas_->zoomExtents(); }, kZoomExtents);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent& event) { canvas_->setHighlightLinks(event.IsChecked()); },
      kMenuHighlightHyperlinks);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { step(Direction::Back); }, kGoBack);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { step(Direction::Forward); }, kGoForward);
  Bind(wxEVT_MENU, typed({"HELP"}), kHelpCommands);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { showKeys(); }, kHelpKeys);
  Bind(
      wxEVT_MENU, [this](wxCommandEvent&) { showAbout(); }, wxID_ABOUT);
  bindNameList(kFirstRecent, recentFiles_, [](std::string name) {
    return std::vector<std::string>{"OPEN", std::move(name)};
  });
  bindNameList(kFirstLayout, layoutNames_, [](std::string name) {
    return std::vector<std::string>{"CTAB", std::move(name)};
  });
  // OPEN makes a drawing that is open already the current one.
  bindNameList(kFirstDrawing, drawingPaths_, [](std::string path) {
    return std::vector<std::string>{"OPEN", std::move(path)};
  });
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent& event) {
        panes_->toggle(static_cast<size_t>(event.GetId() - kFirstPane));
        panes_->updateMenu(*viewMenu_, kFirstPane);
      },
      kFirstPane, kFirstPane + kListSize - 1);
  bindNameList(kFirstView, viewNames_, [](std::string name) {
    return std::vector<std::string>{"-VIEW", "Restore", std::move(name)};
  });
  Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
    if (event.GetMenu() == viewMenu_) panes_->updateMenu(*viewMenu_, kFirstPane);
    if (event.GetMenu() == recentMenu_) fillRecentMenu();
    if (event.GetMenu() == layoutMenu_) fillLayoutMenu();
    if (event.GetMenu() == viewsMenu_) fillViewsMenu();
    event.Skip();
  });
  // Submenus are filled when they open; until then they hold what they held at the start.
  fillRecentMenu();
  updateModuleMenus();
  updateGoItems();
}

// The items of the modules' actions follow what the loaded modules offer: an action that no
// module offers has no item, rather than one that does nothing.
void MainFrame::updateModuleMenus() {
  std::vector<bool> offered;
  for (const ModuleMenuItem& item : kModuleMenuItems) offered.push_back(isOffered(item.action));
  if (offered == offeredActions_) return;
  offeredActions_ = offered;
  size_t shownBefore[3] = {0, 0, kViewItemsBeforeModules};
  for (size_t i = 0; i < std::size(kModuleMenuItems); ++i) {
    const ModuleMenuItem& item = kModuleMenuItems[i];
    size_t& position = shownBefore[static_cast<int>(item.menu)];
    wxMenu* menu = item.menu == ModuleMenu::Insert      ? insertMenu_
                   : item.menu == ModuleMenu::Hyperlink ? hyperlinkMenu_
                                                        : viewMenu_;
    bool shown = menu->FindItem(item.id) != nullptr;
    if (offered[i] && !shown)
      menu->Insert(position, item.id, trw(item.label), item.help ? trw(item.help) : wxString(),
                   item.check ? wxITEM_CHECK : wxITEM_NORMAL);
    if (!offered[i] && shown) menu->Destroy(item.id);
    if (offered[i]) ++position;
  }
  // Highlighting starts again from off, as its item shows it.
  if (wxMenuItem* highlight = viewMenu_->FindItem(kMenuHighlightHyperlinks))
    highlight->Check(false);
  canvas_->setHighlightLinks(false);
  showInMenuBar(insertMenu_, trw("&Insert"), nullptr);
  showInMenuBar(hyperlinkMenu_, trw("Hyper&link"), insertMenu_);
}

// Puts a menu in the menu bar after File and Edit (and `after`, when that is there) while it
// has items, and takes it out while it has none.
void MainFrame::showInMenuBar(wxMenu* menu, const wxString& title, wxMenu* after) {
  wxMenuBar* bar = GetMenuBar();
  bool shown = menu->GetMenuBar() != nullptr;
  bool wanted = menu->GetMenuItemCount() > 0;
  if (shown == wanted) return;
  if (!wanted) {
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
      if (bar->GetMenu(i) == menu) {
        bar->Remove(i);
        break;
      }
    return;
  }
  size_t position = kMenusBeforeModules + (after && after->GetMenuBar() ? 1 : 0);
  bar->Insert(position, menu, title);
}

// The objects selected when a menu is chosen: choosing it cancels a running command, which
// may take the pre-selection with it.
std::vector<TzDbObjectId> MainFrame::preselection() {
  Document* doc = Editor::instance().document();
  return doc ? doc->pickfirst : std::vector<TzDbObjectId>{};
}

// One selected object with a hyperlink: its link is followed, as Ctrl+click does; otherwise
// the action asks for an address, as HYPERLINKOPEN does.
void MainFrame::openHyperlink() {
  std::vector<TzDbObjectId> chosen = preselection();
  if (chosen.size() != 1) chosen.clear();
  runAtCommandPrompt(input_, kOpenHyperlink, chosen);
}

void MainFrame::fillRecentMenu() {
  recentFiles_.clear();
  for (const std::u16string& path : platform::recentFiles())
    if (recentFiles_.size() < kRecentShown && isDrawingFile(path)) recentFiles_.push_back(path);
  while (recentMenu_->GetMenuItemCount() > 0)
    recentMenu_->Destroy(recentMenu_->FindItemByPosition(0));
  for (size_t i = 0; i < recentFiles_.size(); ++i)
    recentMenu_->Append(kFirstRecent + static_cast<int>(i),
                        wxString::Format("&%zu %s", i + 1, TwUiString(shownName(recentFiles_[i]))));
  if (recentFiles_.empty()) recentMenu_->Append(wxID_ANY, trw("(none)"))->Enable(false);
}

void MainFrame::fillLayoutMenu() {
  while (layoutMenu_->GetMenuItemCount() > 0)
    layoutMenu_->Destroy(layoutMenu_->FindItemByPosition(0));
  for (size_t i = 0; i < layoutNames_.size() && i < kListSize; ++i)
    layoutMenu_->AppendRadioItem(kFirstLayout + static_cast<int>(i), TwUiString(layoutNames_[i]))
        ->Check(layoutNames_[i] == currentLayout_);
}

void MainFrame::fillViewsMenu() {
  Document* doc = Editor::instance().document();
  viewNames_ = doc ? viewNames(*doc->database()) : std::vector<std::u16string>{};
  while (viewsMenu_->GetMenuItemCount() > 0) viewsMenu_->Destroy(viewsMenu_->FindItemByPosition(0));
  for (size_t i = 0; i < viewNames_.size() && i < kListSize; ++i)
    viewsMenu_->Append(kFirstView + static_cast<int>(i), TwUiString(viewNames_[i]));
  if (viewNames_.empty()) viewsMenu_->Append(wxID_ANY, trw("(none)"))->Enable(false);
}

// The open drawings, the current one checked; one never saved has no file to name in OPEN
// and shows greyed. Filled after each command: a menu of the menu bar filled as it opens is
// shown at the size it had before.
void MainFrame::fillDrawingsMenu() {
  drawingPaths_.clear();
  while (drawingsMenu_->GetMenuItemCount() > 0)
    drawingsMenu_->Destroy(drawingsMenu_->FindItemByPosition(0));
  Document* current = Editor::instance().document();
  for (const auto& doc : DocumentManager::instance().documents()) {
    if (drawingPaths_.size() == kListSize) break;
    int id = kFirstDrawing + static_cast<int>(drawingPaths_.size());
    drawingPaths_.push_back(doc->fileName());
    wxMenuItem* item = drawingsMenu_->AppendCheckItem(id, TwUiString(shownName(doc->docTitle())));
    item->Check(doc.get() == current);
    item->Enable(!doc->isUntitled());
  }
}

void MainFrame::updateTitle() {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) return SetTitle("tzad");
  std::u16string title = doc->database()->isModified() ? u"*" : u"";
  title += doc->docTitle() + u" - tzad";
  SetTitle(TwUiString(title));
}

void MainFrame::updateLayoutTabs() {
  Document* doc = Editor::instance().document();
  std::vector<std::u16string> names;
  TzString current;
  if (doc) {
    names = layoutNames(*doc->database());
    if (tzedGetVarText(u"CTAB", current) != RTNORM) current.clear();
  }
  if (names == layoutNames_ && current == currentLayout_ &&
      tabs_->GetChildren().size() == names.size())
    return;
  layoutNames_ = names;
  currentLayout_ = current;
  tabs_->DestroyChildren();
  for (const std::u16string& name : names) {
    auto* tab = new wxToggleButton(tabs_, wxID_ANY, TwUiString(name), wxDefaultPosition,
                                   wxDefaultSize, wxBU_EXACTFIT);
    tab->SetValue(name == current);
    tab->Bind(wxEVT_TOGGLEBUTTON, [this, tab, name](wxCommandEvent&) {
      tab->SetValue(name == currentLayout_);  // the tab follows CTAB once the switch is made
      if (name != currentLayout_) input_.typeCommand({"CTAB", tzutToUtf8(name)});
      panel_->inputLine()->SetFocus();  // typing goes on in the command line
    });
    tabs_->GetSizer()->Add(tab, 0, wxRIGHT, 2);
  }
  tabs_->GetParent()->Layout();
}

void MainFrame::showPrompt(const std::string& prompt, PromptKind kind) {
  panel_->showPrompt(prompt, kind);
  updateTitle();
  if (kind == PromptKind::Command) {
    updateModuleMenus();
    panes_->updateMenu(*viewMenu_, kFirstPane);
    canvas_->forgetClosedDocument();  // laying out the tabs resizes the view
    updateLayoutTabs();
    fillDrawingsMenu();
    updateEditMenu();
    updateGoItems();
    canvas_->catchUp(Editor::instance().document(), input_.commandsGiven() != commandsSeen_);
    commandsSeen_ = input_.commandsGiven();
    panes_->catchUp(Editor::instance().document());
  }
}

// What modules ask of the window: their panes, their objects shown, their actions and
// commands run as the window's own items run them.
void MainFrame::installWindowRequests() {
  WindowRequests requests;
  requests.showPane = [this](const std::u16string& name) {
    bool shown = panes_->show(name);
    panes_->updateMenu(*viewMenu_, kFirstPane);
    return shown;
  };
  requests.showObjects = [this](std::vector<TzDbObjectId> ids) { showObjects(ids); };
  requests.postObjectAction = [this](std::u16string action, std::vector<TzDbObjectId> ids,
                                     std::u16string step) {
    input_.runAtCommandPrompt([action, ids, step] {
      TzArray<TzDbObjectId> objects(ids.begin(), ids.end());
      Editor::instance().runObjectAction(action, objects, step);
    });
    giveCommandLineTheKeys();
  };
  requests.postCommand = [this](std::vector<std::string> lines) {
    input_.typeCommand(std::move(lines));
    giveCommandLineTheKeys();
  };
  setWindowRequests(std::move(requests));
}

// After a pane's button or menu ran something on the command line, what the user types next
// goes there too, as after a menu item, not to the pane's button. Once the dialog that may have
// asked first has given the focus back to where it was.
void MainFrame::giveCommandLineTheKeys() {
  CallAfter([this] { panel_->inputLine()->SetFocus(); });
}

// Objects of another layout are shown after CTAB makes theirs current, as a click on its tab
// does; at another prompt than "Command: " the command is cancelled first, as for a menu item.
void MainFrame::showObjects(const std::vector<TzDbObjectId>& ids) {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) return;
  TzDbDatabase& db = *doc->database();
  TzDbObjectId owner;
  if (ids.empty()) {
    // Nothing to show: the selection is cleared.
  } else if (TzDbObjectPointer<TzDbEntity> entity(ids.front(), TzDb::kForRead); entity) {
    owner = entity->ownerId();
  }
  if (!owner.isNull() && owner != db.currentSpaceId()) {
    for (const LayoutEntry& layout : layoutsInTabOrder(db))
      if (layout.blockRecord == owner) input_.typeCommand({"CTAB", tzutToUtf8(layout.name)});
  } else if (input_.promptKind() == PromptKind::Command) {
    return canvas_->showObjects(ids);
  }
  input_.runAtCommandPrompt([this, ids] { canvas_->showObjects(ids); });
}

// The items of a menu of names (recent drawings, layouts, views): the one picked types its
// command with its name.
void MainFrame::bindNameList(int firstId, const std::vector<std::u16string>& names,
                             std::vector<std::string> (*command)(std::string name)) {
  Bind(
      wxEVT_MENU,
      [this, firstId, &names, command](wxCommandEvent& event) {
        size_t index = static_cast<size_t>(event.GetId() - firstId);
        if (index < names.size()) input_.typeCommand(command(tzutToUtf8(names[index])));
      },
      firstId, firstId + kListSize - 1);
}

// The host's own file dialog, as modules get it: it adds ".dxf" to a name typed without one
// and asks before replacing a file. Empty when the user cancels.
std::u16string MainFrame::chooseDrawing(const char16_t* title, int flags,
                                        const std::u16string& name) {
  CTzUiNavDialog dialog(title, name, tzui::navFiltersFromExtensions(u"dxf;*", tzutLanguage()),
                        flags, this);
  if (dialog.DoModal() != 1 || dialog.files().empty()) return {};
  return dialog.files().front();
}

// SAVEAS with the name chosen in the dialog, which has asked about replacing a file already;
// SAVEAS asks too when that file is another drawing's, not this one's own.
std::vector<std::u16string> MainFrame::saveAsAnswers(const Document& doc,
                                                     const std::u16string& path) {
  std::vector<std::u16string> answers{u"SAVEAS", path};
  std::error_code error;
  bool own = DocumentManager::absolutePath(path) == doc.fileName();
  if (!own && std::filesystem::exists(platform::toFileName(path), error)) answers.push_back(u"Yes");
  return answers;
}

// Where the file dialog starts: at the drawing's own file, as other programs' dialogs do.
std::u16string MainFrame::dialogStart(const Document* doc) {
  if (doc == nullptr) return {};
  return doc->isUntitled() ? doc->docTitle() : std::u16string(doc->fileName());
}

void MainFrame::openWithDialog() {
  // The current drawing's folder, no name in the box.
  std::u16string start = dialogStart(Editor::instance().document());
  start.erase(start.find_last_of(u'/') + 1);
  std::u16string path = chooseDrawing(trf("Open Drawing").c_str(), TZ_NAV_OPEN_ONLY, start);
  if (!path.empty()) input_.typeCommand({"OPEN", tzutToUtf8(path)});
}

void MainFrame::saveAsWithDialog() {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) return;
  std::u16string path =
      chooseDrawing(trf("Save Drawing As").c_str(), TZ_NAV_SAVE, dialogStart(doc));
  if (path.empty()) return;
  std::vector<std::string> answers;
  for (const std::u16string& answer : saveAsAnswers(*doc, path))
    answers.push_back(tzutToUtf8(answer));
  input_.typeCommand(answers);
}

// EXPORTPDF with the name chosen in the file dialog, which has asked about replacing a file
// already; the command line asks what to export.
void MainFrame::exportPdfWithDialog() {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) return;
  std::filesystem::path start(platform::toFileName(dialogStart(doc)));
  CTzUiNavDialog dialog(trf("Export PDF"),
                        platform::fromFileName(start.replace_extension(".pdf").string()),
                        tzui::navFiltersFromExtensions(u"pdf", tzutLanguage()), TZ_NAV_SAVE, this);
  if (dialog.DoModal() != 1 || dialog.files().empty()) return;
  std::vector<std::string> answers{"EXPORTPDF", tzutToUtf8(dialog.files().front())};
  std::error_code error;
  if (std::filesystem::exists(platform::toFileName(dialog.files().front()), error))
    answers.push_back("Yes");
  input_.typeCommand(answers);
}

// Unsaved changes are asked about in a message box, whichever command asks (CLOSE, QUIT,
// closing the window): Yes saves, under a name chosen in the file dialog when the drawing has
// none yet.
SaveAnswer MainFrame::askAboutChanges(Document& doc) {
  wxMessageDialog ask(this, TwUiString(trf("Save changes to {0}?", {doc.docTitle()})), "tzad",
                      wxYES_NO | wxCANCEL | wxICON_QUESTION);
  int answer = ask.ShowModal();
  if (answer == wxID_CANCEL) return {};
  if (answer == wxID_NO) return {SaveAnswer::Choice::Discard, {}};
  if (!doc.isUntitled()) return {SaveAnswer::Choice::Save, {}};
  std::u16string path =
      chooseDrawing(trf("Save Drawing As").c_str(), TZ_NAV_SAVE, dialogStart(&doc));
  if (path.empty()) return {};
  return {SaveAnswer::Choice::Save, path};
}

// Closing the window is QUIT: each drawing with unsaved changes is asked about first.
void MainFrame::onClose(wxCloseEvent& event) {
  if (closing_ || !event.CanVeto()) {
    input_.end();
    Destroy();
    return;
  }
  event.Veto();
  input_.typeCommand({"QUIT"});
}

void MainFrame::closeForGood() {
  closing_ = true;
  Close(true);
}

void MainFrame::showKeys() {
  wxMessageBox(
      trw("Command line: type a command and Enter; Esc cancels the prompt (at \"Command: \" it "
          "clears the selection); Up and Down recall earlier commands or answers.\n\n"
          "View: the wheel zooms about the cursor, the middle button drags the view, Home zooms to "
          "the extents. A click picks an object (at a point prompt: the point); a drag from left "
          "to "
          "right selects the objects inside, from right to left those it touches; a right click or "
          "Enter ends a selection.\n\n"
          "Hyperlinks: Ctrl+click follows the link of the object under the cursor; a right click "
          "on "
          "a linked object offers Open, Copy, Edit and Remove; the status bar shows where the "
          "link under the cursor leads. Alt+Left goes back to where you were before following a "
          "link, Alt+Right forward again.\n\n"
          "Ctrl+N New, Ctrl+O Open, Ctrl+S Save, Ctrl+Shift+S Save As, Ctrl+W Close, Ctrl+Q Quit, "
          "Ctrl+K Insert Hyperlink."),
      trw("Keys"), wxOK | wxICON_INFORMATION, this);
}

void MainFrame::showAbout() {
  wxAboutDialogInfo info;
  info.SetName("tzad");
  info.SetVersion(wxString::FromUTF8(version_));
  info.SetDescription(trw("A CAD host for DXF drawings, with hyperlinks on their objects."));
  wxAboutBox(info, this);
}

}  // namespace tzad
