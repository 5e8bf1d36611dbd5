// The input functions of the SDK over the session's one input stream.
#include <cmath>
#include <cstdlib>

#include "base/translation.h"
#include "dxf/dxf_tag.h"
#include "editor/editor.h"
#include "editor/keywords.h"
#include "platform/text.h"
#include "platform/trim.h"
#include "tzed_editor.h"

namespace tzad {

namespace {

// Parses "x,y" or "x,y,z"; a leading "@" makes it relative to base.
bool parsePoint(std::string text, const double* base, double* out) {
  bool relative = !text.empty() && text[0] == '@';
  if (relative) text.erase(0, 1);
  double v[3] = {0, 0, 0};
  int n = 0;
  for (size_t start = 0;;) {
    size_t comma = text.find(',', start);
    std::optional<double> value = parseReal(std::string_view(text).substr(start, comma - start));
    if (!value || n == 3) return false;
    v[n++] = *value;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (n < 2) return false;
  for (int i = 0; i < 3; ++i) out[i] = v[i] + (relative && base ? base[i] : 0.0);
  return true;
}

int getPoint(const double* base, const char16_t* prompt, double* result) {
  Editor& ed = Editor::instance();
  int flags = ed.takeInitGet().first;
  while (true) {
    std::optional<std::string> answer = ed.ask(prompt ? prompt : u"", PromptKind::Point);
    if (!answer) return RTCAN;
    std::string text = tzutToUtf8(platform::trimmed(tzutFromUtf8(*answer)));
    if (text.empty()) {
      if (!(flags & RSG_NONULL)) return RTNONE;
      ed.write(tr("A point is required.\n"));
      continue;
    }
    if (parsePoint(text, base, result)) return RTNORM;
    ed.write(tr(
        "Invalid point: type x,y or x,y,z, or @dx,dy for a point relative to the base point.\n"));
  }
}

}  // namespace

}  // namespace tzad

// The SDK functions keep their global names and work through the host's own code.
using tzad::Document;
using tzad::Editor;
using tzad::getPoint;
using tzad::Keyword;
using tzad::matchKeyword;
using tzad::parseKeywordList;
using tzad::tr;
using tzad::Ucs;

int tzedInitGet(int flags, const char16_t* keywords) {
  Editor::instance().setInitGet(flags, keywords ? keywords : u"");
  return RTNORM;
}

int tzedGetKword(const char16_t* prompt, char16_t* result) {
  Editor& ed = Editor::instance();
  auto [flags, list] = ed.takeInitGet();
  std::vector<Keyword> keywords = parseKeywordList(list);
  if (result) result[0] = 0;
  while (true) {
    std::optional<std::string> answer = ed.ask(prompt ? prompt : u"");
    if (!answer) return RTCAN;
    std::u16string text(platform::trimmed(tzutFromUtf8(*answer)));
    if (text.empty()) {
      if (!(flags & RSG_NONULL)) return RTNONE;
      ed.write(tr("An option is required.\n"));
      continue;
    }
    if (std::optional<std::u16string> global = matchKeyword(keywords, text)) {
      tzutCopyString(*global, result, TZ_ANSWER_BUFFER);
      return RTNORM;
    }
    ed.write(tr("Invalid option keyword.\n"));
  }
}

int tzedGetString(int allowSpaces, const char16_t* prompt, char16_t* result) {
  Editor& ed = Editor::instance();
  ed.takeInitGet();
  if (result) result[0] = 0;
  std::optional<std::string> answer = ed.ask(prompt ? prompt : u"");
  if (!answer) return RTCAN;
  // An answer may name a file whose name is not UTF-8: its bytes are kept.
  std::u16string text = platform::fromFileName(*answer);
  // The answer buffer ends at a NUL: an answer holding one (an address read from a drawing,
  // a script line) would arrive cut short, and a text other than the one given be followed.
  if (text.find(u'\0') != std::u16string::npos) {
    ed.write(tr("The answer holds a NUL character (^@) and is not taken.\n"));
    return RTERROR;
  }
  if (!allowSpaces) text = text.substr(0, text.find(u' '));
  if (text.size() > TZ_ANSWER_BUFFER - 1) {
    ed.write(tr("The answer is longer than 2048 characters.\n"));
    return RTERROR;
  }
  tzutCopyString(text, result, TZ_ANSWER_BUFFER);
  return RTNORM;
}

int tzedGetPoint(const double* base, const char16_t* prompt, double* result) {
  return getPoint(base, prompt, result);
}

int tzedGetCorner(const double* base, const char16_t* prompt, double* result) {
  return getPoint(base, prompt, result);
}

int tzdbUcs2Wcs(const double* from, double* to, bool displacement) {
  Document* doc = Editor::instance().document();
  Ucs ucs = doc ? doc->ucs : Ucs{};
  double c = std::cos(ucs.angle), s = std::sin(ucs.angle);
  double x = from[0] * c - from[1] * s;
  double y = from[0] * s + from[1] * c;
  double z = from[2];
  if (!displacement) {
    x += ucs.origin.x;
    y += ucs.origin.y;
    z += ucs.origin.z;
  }
  // cos(90°) is not exactly 0: keep rotated right angles from leaving 1e-16 residues.
  auto clean = [](double v) { return std::fabs(v - std::round(v)) < 1e-9 ? std::round(v) : v; };
  to[0] = clean(x);
  to[1] = clean(y);
  to[2] = clean(z);
  return RTNORM;
}
