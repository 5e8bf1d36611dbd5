#include "window/progress_window.h"

#include <wx/progdlg.h>

#include "tzui_dialog.h"

namespace tzad {

namespace {

constexpr int kSteps = 1000;

}  // namespace

ProgressWindow::ProgressWindow(wxWindow* parent, std::chrono::milliseconds delay)
    : parent_(parent), delay_(delay) {}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::show(const std::u16string& task, double done) {
  auto now = std::chrono::steady_clock::now();
  if (done >= 1) {
    dialog_.reset();
    started_.reset();
    return;
  }
  if (!started_) started_ = now;
  if (!dialog_ && now - *started_ >= delay_)
    dialog_ = std::make_unique<wxProgressDialog>("tzad", TwUiString(task + u"..."), kSteps, parent_,
                                                 wxPD_APP_MODAL | wxPD_SMOOTH);
  if (dialog_) dialog_->Update(std::clamp(int(done * kSteps), 0, kSteps - 1));
}

Editor::ProgressDisplay ProgressWindow::displayFor(wxWindow* parent) {
  auto window = std::make_shared<ProgressWindow>(parent, std::chrono::milliseconds(500));
  return [window](const std::u16string& task, double done) { window->show(task, done); };
}

}  // namespace tzad
