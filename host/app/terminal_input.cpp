#include "app/terminal_input.h"

#include <histedit.h>
#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace tzad {

namespace {

// Set by the signal handlers, taken by the next character read.
volatile sig_atomic_t interrupted = 0;
volatile sig_atomic_t resized = 0;

// The key the editor binds to cancelling; a lone Esc and SIGINT are turned into it.
constexpr wchar_t kCancelKey = L'\x03';
// How long an Esc waits for the rest of a key sequence (arrow keys send Esc [ A).
constexpr int kEscapeSequenceMs = 50;
constexpr int kHistorySize = 500;

void onInterrupt(int) {
  interrupted = 1;
}
void onResize(int) {
  resized = 1;
}

// With SA_RESTART, so that commands' own calls are not cut short; the wait for a key is a
// poll, which a signal always interrupts.
void handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

std::wstring toWide(const std::string& utf8) {
  std::wstring wide;
  std::mbstate_t state{};
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    wchar_t c;
    size_t n = std::mbrtowc(&c, p, static_cast<size_t>(end - p), &state);
    if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2)) {
      wide += L'\xFFFD';
      state = {};
      ++p;
      continue;
    }
    wide += c;
    p += n == 0 ? 1 : n;
  }
  return wide;
}

std::string toUtf8(std::wstring_view wide) {
  std::string utf8;
  std::mbstate_t state{};
  char buffer[MB_LEN_MAX];
  for (wchar_t c : wide) {
    size_t n = std::wcrtomb(buffer, c, &state);
    if (n != static_cast<size_t>(-1)) utf8.append(buffer, n);
  }
  return utf8;
}

bool moreInputWithin(int milliseconds) {
  pollfd fd{STDIN_FILENO, POLLIN, 0};
  return poll(&fd, 1, milliseconds) > 0;
}

// Waits (briefly) until a program reading our output pipe, such as tee, has taken what was
// written, so that what it shows comes before the editor draws the prompt on the terminal.
void letPipeReaderCatchUp() {
  struct stat out {};
  if (fstat(STDOUT_FILENO, &out) != 0 || !S_ISFIFO(out.st_mode)) return;
  for (int i = 0; i < 100; ++i) {
    int pending = 0;
    if (ioctl(STDOUT_FILENO, FIONREAD, &pending) != 0 || pending == 0) break;
    usleep(2000);
  }
  usleep(10000);
}

}  // namespace

struct TerminalInput::State {
  EditLine* editor = nullptr;
  HistoryW* commands = nullptr;
  HistoryW* answers = nullptr;
  FILE* display = nullptr;  // where the editor draws: stdout, or the terminal when stdout is not
  bool ownsDisplay = false;
  bool logging = false;  // stdout is not the terminal: the session writes the transcript there
  std::wstring prompt;
  bool cancelled = false;
  bool hungUp = false;
  std::function<void()> idle;  // while waiting at "Command: "
  static constexpr int kIdleMs = 1000;
  std::mbstate_t pending{};
};

namespace {

TerminalInput::State& stateOf(EditLine* editor) {
  void* data = nullptr;
  el_wget(editor, EL_CLIENTDATA, &data);
  return *static_cast<TerminalInput::State*>(data);
}

wchar_t* promptOf(EditLine* editor) {
  return stateOf(editor).prompt.data();
}

unsigned char cancelLine(EditLine* editor, int) {
  stateOf(editor).cancelled = true;
  return CC_EOF;
}

// Ctrl+D: on an empty line the user asks to leave; otherwise it deletes the character under
// the cursor, as in any line editor.
unsigned char quitOrDelete(EditLine* editor, int) {
  const LineInfoW* line = el_wline(editor);
  if (line->buffer == line->lastchar) return CC_EOF;
  if (line->cursor == line->lastchar) return CC_ERROR;
  el_cursor(editor, 1);
  el_wdeletestr(editor, 1);
  return CC_REFRESH;
}

// Reads one character: UTF-8 bytes decoded; SIGINT and a lone Esc become the cancel key.
int readCharacter(EditLine* editor, wchar_t* out) {
  TerminalInput::State& state = stateOf(editor);
  while (true) {
    if (interrupted) {
      interrupted = 0;
      *out = kCancelKey;
      return 1;
    }
    if (resized) {
      resized = 0;
      el_resize(editor);
    }
    pollfd key{STDIN_FILENO, POLLIN, 0};
    int ready = poll(&key, 1, state.idle ? TerminalInput::State::kIdleMs : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      state.idle();
      continue;
    }
    char byte;
    ssize_t n = read(STDIN_FILENO, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      state.hungUp = true;
      return 0;
    }
    if (byte == '\x1b' && std::mbsinit(&state.pending) && !moreInputWithin(kEscapeSequenceMs)) {
      *out = kCancelKey;
      return 1;
    }
    size_t used = std::mbrtowc(out, &byte, 1, &state.pending);
    if (used == static_cast<size_t>(-2)) continue;
    if (used == static_cast<size_t>(-1)) {
      state.pending = {};  // not UTF-8: the byte is dropped
      continue;
    }
    return 1;
  }
}

// Keys whose sequences differ between terminals (xterm, tmux, screen, the Linux console):
// each is bound, so that none types the tail of its sequence into the answer.
void bindTerminalKeys(EditLine* editor) {
  static const wchar_t* const kKeys[][2] = {
      {L"\x1b[1~", L"ed-move-to-beg"},      {L"\x1b[7~", L"ed-move-to-beg"},
      {L"\x1b[H", L"ed-move-to-beg"},       {L"\x1bOH", L"ed-move-to-beg"},
      {L"\x1b[4~", L"ed-move-to-end"},      {L"\x1b[8~", L"ed-move-to-end"},
      {L"\x1b[F", L"ed-move-to-end"},       {L"\x1bOF", L"ed-move-to-end"},
      {L"\x1b[3~", L"ed-delete-next-char"}, {L"\x1b[1;5D", L"ed-prev-word"},
      {L"\x1b[1;5C", L"em-next-word"},      {L"\x1b[1;3D", L"ed-prev-word"},
      {L"\x1b[1;3C", L"em-next-word"},      {L"\x1b[2~", L"ed-unassigned"},
      {L"\x1b[5~", L"ed-unassigned"},       {L"\x1b[6~", L"ed-unassigned"},
  };
  for (const auto& [keys, function] : kKeys) el_wset(editor, EL_BIND, keys, function, nullptr);
}

HistoryW* newHistory() {
  HistoryW* history = history_winit();
  HistEventW event;
  history_w(history, &event, H_SETSIZE, kHistorySize);
  history_w(history, &event, H_SETUNIQUE, 1);
  return history;
}

int terminalColumns(EditLine* editor) {
  int columns = 0;
  if (el_get(editor, EL_GETTC, "co", &columns, nullptr) != 0 || columns <= 0) return 80;
  return columns;
}

// Removes the prompt and answer the editor drew: the session writes them to the log, which
// the user sees too when it is a tee.
void eraseEditedLine(TerminalInput::State& state, const std::wstring& answer) {
  int width = std::max(0, wcswidth(state.prompt.c_str(), state.prompt.size())) +
              std::max(0, wcswidth(answer.c_str(), answer.size()));
  int rows =
      std::max(1, (width + terminalColumns(state.editor) - 1) / terminalColumns(state.editor));
  std::fprintf(state.display, "\x1b[%dA\r\x1b[J", rows);
  std::fflush(state.display);
}

}  // namespace

TerminalInput::TerminalInput() : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.display = stdout;
  if (!isatty(STDOUT_FILENO)) {
    s.logging = true;
    s.display = isatty(STDERR_FILENO) ? stderr : std::fopen("/dev/tty", "w");
    s.ownsDisplay = s.display != stderr && s.display != nullptr;
    if (s.display == nullptr) s.display = stderr;
  }
  s.editor = el_init("tzad", stdin, s.display, stderr);
  el_wset(s.editor, EL_CLIENTDATA, &s);
  el_wset(s.editor, EL_EDITOR, L"emacs");
  el_wset(s.editor, EL_PROMPT, promptOf);
  el_wset(s.editor, EL_GETCFN, readCharacter);
  // Ctrl+C arrives as a key, not as a signal to every program of the pipeline.
  el_wset(s.editor, EL_SETTY, L"-d", L"-isig", nullptr);
  el_wset(s.editor, EL_ADDFN, L"tzad-cancel", L"Cancel the prompt", cancelLine);
  el_wset(s.editor, EL_BIND, L"^C", L"tzad-cancel", nullptr);
  el_wset(s.editor, EL_ADDFN, L"tzad-quit-or-delete", L"Quit on an empty line, else delete",
          quitOrDelete);
  el_wset(s.editor, EL_BIND, L"^D", L"tzad-quit-or-delete", nullptr);
  bindTerminalKeys(s.editor);
  s.commands = newHistory();
  s.answers = newHistory();
  handle(SIGINT, onInterrupt);
  handle(SIGWINCH, onResize);
}

TerminalInput::~TerminalInput() {
  State& s = *state_;
  el_end(s.editor);
  history_wend(s.commands);
  history_wend(s.answers);
  if (s.ownsDisplay) std::fclose(s.display);
}

bool TerminalInput::echoes() const {
  return state_->logging;
}

InputLine TerminalInput::readLine(const std::string& prompt, PromptKind kind) {
  State& s = *state_;
  HistoryW* history = kind == PromptKind::Command ? s.commands : s.answers;
  el_wset(s.editor, EL_HIST, history_w, history);
  s.prompt = toWide(prompt);
  s.cancelled = false;
  s.pending = {};
  s.idle = kind == PromptKind::Command ? idle_ : nullptr;
  interrupted = 0;
  if (s.logging) letPipeReaderCatchUp();
  int count = 0;
  const wchar_t* line = el_wgets(s.editor, &count);
  if (line == nullptr) {
    if (s.hungUp && !s.cancelled) return {};
    if (s.logging) {
      const LineInfoW* typed = el_wline(s.editor);
      std::fputc('\n', s.display);
      eraseEditedLine(s, std::wstring(typed->buffer, typed->lastchar));
    }
    return {s.cancelled ? InputLine::Kind::Cancelled : InputLine::Kind::QuitKey, {}};
  }
  std::wstring answer(line, static_cast<size_t>(count));
  while (!answer.empty() && (answer.back() == L'\n' || answer.back() == L'\r')) answer.pop_back();
  if (!answer.empty()) {
    HistEventW event;
    history_w(history, &event, H_ENTER, answer.c_str());
  }
  if (s.logging) eraseEditedLine(s, answer);
  return {InputLine::Kind::Answer, toUtf8(answer)};
}

}  // namespace tzad
