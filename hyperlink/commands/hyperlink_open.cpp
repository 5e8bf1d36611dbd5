// HYPERLINKOPEN: follow a typed target and named location. Documents, web pages and mail
// addresses go to the user's default program; drawings are activated or opened, then the
// layout and the view of the location are made current.
#include <unistd.h>

#include <memory>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/link_targets.h"
#include "platform/opener.h"
#include "platform/path_rules.h"
#include "platform/text.h"
#include "platform/trim.h"
#include "tzap_docman.h"
#include "tzdb_database.h"
#include "tzrx_module.h"
#include "tzui.h"

namespace hyperlink {

namespace {

// A pasted answer may bring its line break along.
constexpr std::u16string_view kAnswerBlanks = u" \t\r\n";

void targetNotFound() {
  ResourceString message(text::kTargetNotFound);
  TzUiMessageBox(loadResourceString(message), nullptr, TZ_MB_ICONEXCLAMATION, nullptr);
}

// The host's drawing files: ".dwg", and ".dxf" which is what this host stores.
bool isDrawingExtension(std::u16string_view extension) {
  return tzutEqualsNoCase(extension, u".dwg") || tzutEqualsNoCase(extension, u".dxf");
}

// Activates an open drawing or opens it; false after the message when it cannot.
bool showDrawing(const TzString& target) {
  TzApDocManager* docs = tzDocManagerPtr();
  TzApDocument* found = nullptr;
  std::unique_ptr<TzApDocumentIterator> it(docs->newTzApDocumentIterator());
  for (int i = 0; i < docs->documentCount() && !it->done() && !found; ++i, it->step())
    if (tzutEqualsNoCase(it->document()->fileName(), target)) found = it->document();
  it.reset();
  if (found) {
    if (docs->activateDocument(found) == Tzad::eOk) return true;
    targetNotFound();
    return false;
  }
  if (access(platform::toFileName(target).c_str(), F_OK) != 0) {
    targetNotFound();
    return false;
  }
  auto open = reinterpret_cast<TzOpenDwgFileFunction>(
      tzrxModuleExport(tzrxLoadedModule(kTzrxCommonCommandsModule), kTzrxOpenDwgFileExport));
  if (open && open(target) != 0) {
    targetNotFound();
    return false;
  }
  return true;  // without cmncmds the location applies to the drawing at hand
}

void goToLocation(const TzString& view, const TzString& layout, bool reportMissingLayout) {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  TzDbObjectId layoutId;
  if (!findLayout(layout, layoutId)) {
    if (reportMissingLayout) targetNotFound();
  } else if (db && layoutId != db->currentSpaceId()) {
    resbuf rb;
    rb.restype = RTSTR;
    std::u16string name = layout;
    rb.resval.rstring = name.data();
    // A layout that cannot be made current leaves the user where they are; the view is
    // still looked for there.
    static_cast<void>(tzedSetVar(u"CTAB", &rb));
  }
  if (view.empty() || !viewExists(view)) return;
  // The host's -VIEW says itself when a view cannot be restored.
  static_cast<void>(tzedCommandS(RTSTR, u"-view", RTSTR, u"restore", RTSTR, view.c_str(), RTNONE));
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void hyperlinkopen() {
  if (tzedInitGet(0, nullptr) != RTNORM) return;
  Answer targetAnswer, locationAnswer;
  if (askText(text::kPromptHyperlink, targetAnswer) != RTNORM) return;
  if (askText(text::kPromptNamedLocation, locationAnswer) != RTNORM) return;
  followHyperlink(targetAnswer.view(), locationAnswer.view());
}

void followHyperlink(std::u16string_view address, std::u16string_view namedLocation) {
  TzString target(platform::trimmedEnd(address, kAnswerBlanks));
  TzString location(platform::trimmed(namedLocation, kAnswerBlanks));
  TzString view, layout;
  if (!location.empty()) splitLocation(location, view, layout);
  if (target.empty()) {
    if (!location.empty()) goToLocation(view, layout, true);
    return;
  }
  target = resolveTarget(target);
  if (!isDrawingExtension(platform::splitPath(target).extension)) {
    if (!platform::openWithDefaultProgram(target)) targetNotFound();
    return;
  }
  if (!showDrawing(target) || location.empty()) return;
  goToLocation(view, layout, false);
}

}  // namespace hyperlink
