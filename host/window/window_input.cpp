#include "window/window_input.h"

#include <wx/evtloop.h>

#include "editor/editor.h"

namespace tzad {

WindowInput::WindowInput(PromptShown shown) : shown_(std::move(shown)) {}

void WindowInput::push(Pending pending) {
  pending_.push_back(std::move(pending));
  if (loop_) loop_->ScheduleExit();
}

void WindowInput::answer(std::string text) {
  push({Pending::Kind::Answer, std::move(text), {}, {}});
}

void WindowInput::cancel() {
  push({Pending::Kind::Cancel, {}, {}, {}});
}

void WindowInput::end() {
  ended_ = true;
  if (loop_) loop_->ScheduleExit();
}

void WindowInput::runAtCommandPrompt(std::function<void()> action) {
  push({Pending::Kind::AtCommand, {}, {}, std::move(action)});
}

void WindowInput::typeCommand(std::vector<std::string> lines) {
  if (lines.empty()) return;
  push({Pending::Kind::AtCommand, {}, std::move(lines), {}});
}

void WindowInput::waitForInput() {
  wxGUIEventLoop loop;
  loop_ = &loop;
  loop.Run();
  loop_ = nullptr;
}

InputLine WindowInput::readLine(const std::string& prompt, PromptKind kind) {
  kind_ = kind;
  if (shown_) shown_(prompt, kind);
  for (;;) {
    if (ended_) return {};
    if (pending_.empty()) {
      waitForInput();
      continue;
    }
    Pending& next = pending_.front();
    if (next.kind == Pending::Kind::AtCommand && kind != PromptKind::Command)
      return {InputLine::Kind::Cancelled, {}};
    Pending taken = std::move(next);
    pending_.pop_front();
    if (kind == PromptKind::Command && !(taken.kind == Pending::Kind::Answer && taken.text.empty()))
      ++commandsGiven_;
    switch (taken.kind) {
      case Pending::Kind::Answer:
        return {InputLine::Kind::Answer, std::move(taken.text)};
      case Pending::Kind::Cancel:
        return {InputLine::Kind::Cancelled, {}};
      case Pending::Kind::AtCommand:
        break;
    }
    if (!taken.lines.empty()) {
      // The first line answers this prompt; the others wait for the prompts that follow.
      for (size_t i = taken.lines.size() - 1; i > 0; --i)
        pending_.push_front({Pending::Kind::Answer, std::move(taken.lines[i]), {}, {}});
      return {InputLine::Kind::Answer, std::move(taken.lines[0])};
    }
    taken.action();
    if (Editor::instance().quitRequested()) return {};
    // The prompt was written before the action ran: its output must not end on its line.
    Editor::instance().endLine();
    kind_ = kind;
    if (shown_) shown_(prompt, kind);
  }
}

}  // namespace tzad
