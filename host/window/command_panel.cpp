#include "window/command_panel.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/display_text.h"
#include "platform/text.h"

namespace tzad {

namespace {

constexpr int kTranscriptLines = 6;
constexpr size_t kHistorySize = 500;

void remember(std::vector<std::string>& history, const std::string& line) {
  if (line.empty()) return;
  std::erase(history, line);
  history.push_back(line);
  if (history.size() > kHistorySize) history.erase(history.begin());
}

}  // namespace

CommandPanel::CommandPanel(wxWindow* parent, Handlers handlers)
    : wxPanel(parent, wxID_ANY), handlers_(std::move(handlers)) {
  // The transcript lines up in columns (HELP, LIST), as in the terminal. GTK answers the
  // system's "fixed" font with a proportional one, so the monospace family is asked for.
  wxFont fixed(wxFontInfo(GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE));
  output_ = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
  output_->SetFont(fixed);
  output_->SetMinSize(wxSize(-1, output_->GetCharHeight() * (kTranscriptLines + 1)));
  prompt_ = new wxStaticText(this, wxID_ANY, wxEmptyString);
  prompt_->SetFont(fixed);
  input_ = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                          wxTE_PROCESS_ENTER);
  input_->SetFont(fixed);
  input_->SetName("command line");
  auto* line = new wxBoxSizer(wxHORIZONTAL);
  line->Add(prompt_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
  line->Add(input_, 1, wxEXPAND);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(output_, 1, wxEXPAND);
  column->Add(line, 0, wxEXPAND);
  SetSizer(column);
  input_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { onEnter(); });
  input_->Bind(wxEVT_KEY_DOWN, &CommandPanel::onKeyDown, this);
}

// GTK takes no NUL and no invalid UTF-8, and a line of millions of characters (a description
// LIST shows) would hold the window up: what the session writes is shown escaped, each line
// cut at platform::kShownLength characters. A line may come in several pieces.
void CommandPanel::append(std::string_view utf8) {
  std::u16string text = platform::fromUtf8(utf8);
  std::u16string shown;
  for (size_t start = 0;;) {
    size_t end = text.find(u'\n', start);
    std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    if (lineLength_ < platform::kShownLength) {
      std::u16string part = platform::displayText(line, platform::kShownLength - lineLength_,
                                                  platform::LineBreaks::Keep);
      lineLength_ += part.size();
      shown += part;
    }
    if (end == std::u16string::npos) break;
    shown += u'\n';
    lineLength_ = 0;
    start = end + 1;
  }
  output_->AppendText(wxString::FromUTF8(platform::toUtf8(shown)));
}

void CommandPanel::showPrompt(const std::string& prompt, PromptKind kind) {
  kind_ = kind;
  recalled_ = -1;
  promptText_ = prompt;
  prompt_->SetLabelText(wxString::FromUTF8(prompt));
  Layout();
}

void CommandPanel::onEnter() {
  std::string line = input_->GetValue().utf8_string();
  remember(kind_ == PromptKind::Command ? commandHistory_ : answerHistory_, line);
  input_->ChangeValue(wxEmptyString);
  if (handlers_.answered) handlers_.answered(std::move(line));
}

void CommandPanel::recall(int step) {
  const std::vector<std::string>& history =
      kind_ == PromptKind::Command ? commandHistory_ : answerHistory_;
  int next = recalled_ + step;
  if (next < -1 || next >= static_cast<int>(history.size())) return;
  recalled_ = next;
  input_->ChangeValue(next < 0 ? wxString()
                               : wxString::FromUTF8(history[history.size() - 1 - next]));
  input_->SetInsertionPointEnd();
}

void CommandPanel::onKeyDown(wxKeyEvent& event) {
  switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
      input_->ChangeValue(wxEmptyString);
      if (handlers_.cancelled) handlers_.cancelled();
      return;
    case WXK_HOME:
      if (!input_->IsEmpty() || !handlers_.homeOnEmptyLine) return event.Skip();
      return handlers_.homeOnEmptyLine();
    case WXK_UP:
      return recall(1);
    case WXK_DOWN:
      return recall(-1);
    default:
      event.Skip();
  }
}

void CommandPanel::takeTypedKey(wxKeyEvent& event) {
  int key = event.GetKeyCode();
  if (key == WXK_ESCAPE || key == WXK_UP || key == WXK_DOWN) return onKeyDown(event);
  input_->SetFocus();
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) return onEnter();
  if (key == WXK_BACK) {
    wxString text = input_->GetValue();
    if (!text.empty()) input_->ChangeValue(text.Left(text.length() - 1));
  } else if (wxChar c = event.GetUnicodeKey(); c >= 32) {
    input_->AppendText(wxString(c));
  }
  input_->SetInsertionPointEnd();
}

}  // namespace tzad
