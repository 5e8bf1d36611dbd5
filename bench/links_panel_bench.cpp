// The Hyperlinks panel on a drawing of 100,000 linked lines, in tzad's own window on the
// display (run it under Xvfb): listing the links alone, listing and checking them offline as
// each refresh does, the panel's first showing (its library loaded, every row listed and
// checked), a refresh after a change, sorting and searching, and scrolling page by page.
//
//   links_panel_bench MODULE_DIR [LINKS]
#include <wx/app.h>
#include <wx/listctrl.h>
#include <wx/srchctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/drawing_links.h"
#include "core/link_check.h"
#include "docs/document_manager.h"
#include "editor/module_panes.h"
#include "modules/module_loader.h"
#include "tzdb_database.h"
#include "tzdb_entity.h"
#include "tzdb_hyperlink.h"
#include "tzui.h"
#include "tzui_panes.h"
#include "window/main_frame.h"
#include "window/main_window.h"

namespace {

double secondsOf(const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double medianOf(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(secondsOf(run));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Lines in a row, each linked to a document of its own.
void addLinkedLines(TzDbDatabase& db, int count) {
  std::vector<TzDbObjectId> ids;
  {
    TzDbObjectPointer<TzDbBlockTableRecord> space(db.currentSpaceId(), TzDb::kForWrite);
    for (int i = 0; i < count; ++i) {
      auto line = std::make_unique<TzDb3dPolyline>(
          TzDb::k3dSimplePoly, std::vector<TzGePoint3d>{{double(i), 0, 0}, {double(i), 10, 0}},
          false);
      line->setDatabaseDefaults(&db);
      TzDbObjectId id;
      if (!space || tzdbAddNewObject(*space.get(), std::move(line), id) != Tzad::eOk) std::exit(1);
      ids.push_back(id);
    }
    if (space.close() != Tzad::eOk) std::exit(1);
  }
  for (size_t i = 0; i < ids.size(); ++i) {
    TzDbObjectPointer<TzDbEntity> line(ids[i], TzDb::kForWrite);
    auto* links = new TzDbHyperlinkCollection();
    std::u16string n = tzutFromUtf8(std::to_string(i));
    links->addTail(u"docs/sheet-" + n + u".pdf", u"Sheet " + n, u"");
    if (!line ||
        TzDbEntityHyperlinkPE::query(line.get())->setHyperlinkCollection(line.get(), links) !=
            Tzad::eOk ||
        line.close() != Tzad::eOk)
      std::exit(1);
  }
}

wxListCtrl* panelList() {
  return dynamic_cast<wxListCtrl*>(
      wxWindow::FindWindowByName("hyperlink list", tzad::MainFrame::current()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: links_panel_bench MODULE_DIR [LINKS]\n");
    return 2;
  }
  int count = argc > 2 ? std::atoi(argv[2]) : 100000;
  if (!tzad::openMainWindow("bench")) {
    std::fprintf(stderr, "no display: run it under Xvfb\n");
    return 1;
  }
  tzad::loadModulesIn(argv[1]);
  tzad::Document* doc = tzad::DocumentManager::instance().create();
  addLinkedLines(*doc->database(), count);
  tzad::MainFrame* frame = tzad::MainFrame::current();
  frame->SetSize(1280, 800);
  wxTheApp->Yield();

  TzDbDatabase& db = *doc->database();
  double list = medianOf(5, [&] { linktools::listDrawingLinks(db); });
  double listAndCheck = medianOf(5, [&] {
    linktools::LinkChecker checker;
    checker.checkDrawing(db, linktools::listDrawingLinks(db));
  });
  double show = secondsOf([] { tzedShowPane(u"HYPERLINKS"); });
  wxListCtrl* rows = panelList();
  if (rows == nullptr || rows->GetItemCount() != count) {
    std::fprintf(stderr, "the panel lists %ld rows, not %d\n", rows ? rows->GetItemCount() : -1L,
                 count);
    return 1;
  }
  // What the panel does when it hears at "Command: " that the drawing changed.
  const tzad::ModulePane* pane = nullptr;
  for (const tzad::ModulePane& offered : tzad::modulePanes())
    if (offered.name == u"HYPERLINKS") pane = &offered;
  wxWindow* countLabel = wxWindow::FindWindowByName("hyperlink count", frame);
  auto checking = [&] { return countLabel->GetLabel().Contains("Checking"); };
  auto untilChecked = [&] {
    while (checking()) wxTheApp->Yield();
  };
  untilChecked();
  double refresh = medianOf(5, [&] {
    pane->changed(rows->GetParent());
    rows->Update();
  });
  untilChecked();
  // Listed, then checked in shares from the toolkit's loop.
  double checked = secondsOf([&] {
    pane->changed(rows->GetParent());
    rows->Update();
    untilChecked();
  });
  auto* search = dynamic_cast<wxSearchCtrl*>(wxWindow::FindWindowByName("hyperlink search", frame));
  double searchTime = secondsOf([&] { search->SetValue("sheet-9999"); });
  long found = rows->GetItemCount();
  search->SetValue("");
  // Scrolling: a page down at a time, each painted before the next.
  double slowest = 0;
  int pages = 0;
  for (; pages < 50; ++pages) {
    slowest = std::max(slowest, secondsOf([&] {
                         rows->ScrollLines(rows->GetCountPerPage());
                         rows->Update();
                       }));
  }
  std::printf("PANEL_LINKS %d\n", count);
  std::printf("PANEL_LIST_SECONDS %.3f\n", list);
  std::printf("PANEL_LIST_AND_CHECK_SECONDS %.3f\n", listAndCheck);
  std::printf("PANEL_FIRST_SHOW_SECONDS %.3f\n", show);
  std::printf("PANEL_REFRESH_LISTED_SECONDS %.3f\n", refresh);
  std::printf("PANEL_REFRESH_CHECKED_SECONDS %.3f\n", checked);
  std::printf("PANEL_SEARCH_SECONDS %.3f (%ld rows found)\n", searchTime, found);
  std::printf("PANEL_SCROLL_PAGE_MAX_MS %.1f (%d pages)\n", slowest * 1000, pages);
  tzad::closeMainWindow();
  tzad::unloadModules();
  return 0;
}
