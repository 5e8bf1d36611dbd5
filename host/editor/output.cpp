// Output onto the command line, host commands run from code, and the SDK's small helpers.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/editor.h"
#include "tzed_editor.h"
#include "tzui.h"

namespace {

// Formats printf-style with UTF-16 %s: one conversion at a time, numbers through
// vsnprintf so widths and flags behave as in C.
std::string format(const char16_t* fmt, va_list args) {
  std::string out;
  for (const char16_t* p = fmt; *p; ++p) {
    if (*p != u'%') {
      // Literal text up to the next conversion, converted at once (a character outside the
      // BMP is two UTF-16 units that only convert together).
      const char16_t* run = p;
      while (p[1] != 0 && p[1] != u'%') ++p;
      out += tzutToUtf8(std::u16string_view(run, static_cast<size_t>(p - run + 1)));
      continue;
    }
    std::string conversion = "%";
    ++p;
    while (*p && std::strchr("-+ #0123456789.", static_cast<char>(*p)) && *p < 128)
      conversion += static_cast<char>(*p++);
    while (*p == u'l' || *p == u'h') conversion += static_cast<char>(*p++);
    char16_t conv = *p;
    if (conv == 0) break;
    char buf[128];
    switch (conv) {
      case u'%':
        out += '%';
        break;
      case u's': {
        // Width and "-" count characters, as they would in a UTF-16 printf.
        const char16_t* s = va_arg(args, const char16_t*);
        std::u16string text = s ? s : u"(null)";
        size_t digits = conversion.find_first_of("0123456789");
        size_t width =
            digits == std::string::npos ? 0 : std::strtoul(&conversion[digits], nullptr, 10);
        std::u16string pad(width > text.size() ? width - text.size() : 0, u' ');
        out += tzutToUtf8(conversion.find('-') != std::string::npos ? text + pad : pad + text);
        break;
      }
      case u'c':
        out += tzutToUtf8(std::u16string(1, static_cast<char16_t>(va_arg(args, int))));
        break;
      case u'd':
      case u'i':
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        conversion += static_cast<char>(conv);
        if (conversion.find('l') != std::string::npos)
          std::snprintf(buf, sizeof buf, conversion.c_str(), va_arg(args, long));
        else
          std::snprintf(buf, sizeof buf, conversion.c_str(), va_arg(args, int));
        out += buf;
        break;
      case u'f':
      case u'g':
      case u'e':
      case u'G':
      case u'E':
        conversion += static_cast<char>(conv);
        std::snprintf(buf, sizeof buf, conversion.c_str(), va_arg(args, double));
        out += buf;
        break;
      default:
        out += conversion + tzutToUtf8(std::u16string(1, conv));
    }
  }
  return out;
}

}  // namespace

int tzutPrintf(const char16_t* fmt, ...) {
  if (fmt == nullptr) return RTERROR;
  va_list args;
  va_start(args, fmt);
  std::string text = format(fmt, args);
  va_end(args);
  Editor::instance().write(text);
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

// --- windows: the command-line host has none ------------------------------------------------

CWnd* tzedGetTzadFrame() {
  return nullptr;
}
TZHWND twsw_tzadMainWnd() {
  return nullptr;
}
int TwUiGetCtrlDPISize(int size) {
  return size;
}
int TwUiGetImageDPICx(int cx) {
  return cx;
}
int TwUiGetImageDPICy(int cy) {
  return cy;
}

int TzUiMessageBox(const char16_t* text, const char16_t* caption, unsigned, CWnd*) {
  std::u16string line;
  if (caption && *caption) line = std::u16string(caption) + u": ";
  line += text ? text : u"";
  Editor::instance().write(line + u"\n");
  return TZ_IDOK;
}
