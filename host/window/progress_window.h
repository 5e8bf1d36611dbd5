// A long task's progress in the main window: a progress dialog that shows once the task has
// run for a while (quick ones show nothing) and goes when the task ends.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "editor/editor.h"

class wxProgressDialog;
class wxWindow;

namespace tzad {

class ProgressWindow {
 public:
  ProgressWindow(wxWindow* parent, std::chrono::milliseconds delay);
  ~ProgressWindow();
  // done: 0 at the start, 1 at the end.
  void show(const std::u16string& task, double done);
  bool shown() const { return dialog_ != nullptr; }

  // What the session tells of its long tasks, shown over `parent` after half a second.
  static Editor::ProgressDisplay displayFor(wxWindow* parent);

 private:
  wxWindow* parent_;
  std::chrono::milliseconds delay_;
  std::optional<std::chrono::steady_clock::time_point> started_;
  std::unique_ptr<wxProgressDialog> dialog_;
};

}  // namespace tzad
