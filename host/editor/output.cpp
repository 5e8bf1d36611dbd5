// Output onto the command line, host commands run from code, and the SDK's small helpers.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "editor/editor.h"
#include "editor/window_message_box.h"
#include "platform/text.h"
#include "tzed_editor.h"
#include "tzui.h"

namespace {

// One conversion of a format: "%", flags, width, precision, length, and the letter.
struct Conversion {
  std::string written = "%";  // as written up to the letter, for vsnprintf
  bool leftAlign = false;
  size_t width = 0;
  std::optional<size_t> precision;
  bool isLong = false;
  char16_t letter = 0;
};

size_t readNumber(const char16_t*& p, std::string& written) {
  size_t n = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    n = n * 10 + static_cast<size_t>(*p - u'0');
    written += static_cast<char>(*p);
  }
  return n;
}

// Reads the conversion after a "%"; p is left on its letter (or on the final NUL).
Conversion readConversion(const char16_t*& p) {
  Conversion c;
  for (; *p == u'-' || *p == u'+' || *p == u' ' || *p == u'#' || *p == u'0'; ++p) {
    c.leftAlign = c.leftAlign || *p == u'-';
    c.written += static_cast<char>(*p);
  }
  c.width = readNumber(p, c.written);
  if (*p == u'.') {
    c.written += '.';
    ++p;
    c.precision = readNumber(p, c.written);
  }
  for (; *p == u'l' || *p == u'h'; ++p) {
    c.isLong = c.isLong || *p == u'l';
    c.written += static_cast<char>(*p);
  }
  c.letter = *p;
  return c;
}

// %s in UTF-16: width, "-" and precision count code units, as a UTF-16 printf counts them,
// but a precision never keeps half of a surrogate pair.
std::u16string formatText(const Conversion& c, const char16_t* s) {
  std::u16string_view text = s ? s : u"(null)";
  if (c.precision) text = text.substr(0, platform::utf16CutLength(text, *c.precision));
  std::u16string pad(c.width > text.size() ? c.width - text.size() : 0, u' ');
  return c.leftAlign ? std::u16string(text) + pad : pad + std::u16string(text);
}

// Numbers go through snprintf so that flags, width and precision behave as in C.
template <typename T>
std::u16string formatNumber(const Conversion& c, T value) {
  char buf[128];
  std::snprintf(buf, sizeof buf, (c.written + static_cast<char>(c.letter)).c_str(), value);
  return platform::fromUtf8(buf);
}

// Formats printf-style with UTF-16 %s. The text is built in UTF-16 and converted once, so a
// surrogate pair in the format or in an argument reaches the terminal as one character.
std::u16string format(const char16_t* fmt, va_list args) {
  std::u16string out;
  for (const char16_t* p = fmt; *p; ++p) {
    if (*p != u'%') {
      out += *p;
      continue;
    }
    ++p;
    Conversion c = readConversion(p);
    switch (c.letter) {
      case 0:
        return out;
      case u'%':
        out += u'%';
        break;
      case u's':
        out += formatText(c, va_arg(args, const char16_t*));
        break;
      case u'c':
        out += static_cast<char16_t>(va_arg(args, int));
        break;
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        out += c.isLong ? formatNumber(c, va_arg(args, long)) : formatNumber(c, va_arg(args, int));
        break;
      case u'f':
      case u'g':
      case u'e':
      case u'G':
      case u'E':
        out += formatNumber(c, va_arg(args, double));
        break;
      default:
        out += platform::fromUtf8(c.written);
        out += c.letter;
    }
  }
  return out;
}

}  // namespace

int tzutPrintf(const char16_t* fmt, ...) {
  if (fmt == nullptr) return RTERROR;
  va_list args;
  va_start(args, fmt);
  std::u16string text = format(fmt, args);
  va_end(args);
  Editor::instance().writeMessage(text);
  return RTNORM;
}

int tzedCommandS(int type, ...) {
  std::vector<std::u16string> tokens;
  va_list args;
  va_start(args, type);
  while (type != RTNONE && type != 0) {
    if (type != RTSTR) {
      va_end(args);
      return RTERROR;
    }
    const char16_t* s = va_arg(args, const char16_t*);
    tokens.emplace_back(s ? s : u"");
    type = va_arg(args, int);
  }
  va_end(args);
  return Editor::instance().runScripted(tokens);
}

resbuf* tzutNewRb(int type) {
  auto* rb = new resbuf();
  rb->restype = static_cast<short>(type);
  return rb;
}

int tzutRelRb(resbuf* rb) {
  while (rb) {
    resbuf* next = rb->rbnext;
    if (rb->restype == RTSTR) tzutFreeBuffer(rb->resval.rstring);
    delete rb;
    rb = next;
  }
  return RTNORM;
}

int tzutNewString(const char16_t* text, char16_t*& copy) {
  std::u16string_view s = text ? text : u"";
  copy = static_cast<char16_t*>(std::malloc((s.size() + 1) * sizeof(char16_t)));
  if (copy == nullptr) return RTERROR;
  std::memcpy(copy, s.data(), s.size() * sizeof(char16_t));
  copy[s.size()] = 0;
  return RTNORM;
}

void tzutFreeBuffer(void* buffer) {
  std::free(buffer);
}

const char16_t* tzutHostName() {
  return u"tzad";
}

// --- messages: a window where the user-interface library shows one, else the command line

namespace {
WindowMessageBox windowMessageBox = nullptr;
}  // namespace

void setWindowMessageBox(WindowMessageBox show) {
  windowMessageBox = show;
}

int TzUiMessageBox(const char16_t* text, const char16_t* caption, unsigned style, CWnd* owner) {
  if (windowMessageBox) {
    int answer = windowMessageBox(text, caption, style, owner);
    if (answer != 0) return answer;
  }
  std::u16string line;
  if (caption && *caption) line = std::u16string(caption) + u": ";
  line += text ? text : u"";
  Editor::instance().write(line + u"\n");
  return TZ_IDOK;
}
