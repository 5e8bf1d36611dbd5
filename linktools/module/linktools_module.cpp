// LinkTools.tzx: tzad's own commands for keeping a drawing's hyperlinks alive, beside the
// HyperLink module and on the same SDK. The work is done by linktoolscore.so, which tzlinks
// uses too; this module adds the commands and their lines for HELP.
#include "core/link_text.h"
#include "module/linktools_commands.h"
#include "tzrx_module.h"

TZRX_EXPORT void linktoolsCheck() {
  linktools::checkCommand();
}

TZRX_EXPORT void linktoolsReplace() {
  linktools::replaceCommand();
}

TZRX_EXPORT void linktoolsHyperlinks() {
  linktools::hyperlinksCommand();
}

TZRX_EXPORT const TzCommandEntry* tzrxCommands() {
  static const TzCommandEntry kCommands[] = {{u"HYPERLINKCHECK", "linktoolsCheck"},
                                             {u"-HYPERLINKREPLACE", "linktoolsReplace"},
                                             {u"HYPERLINKS", "linktoolsHyperlinks"},
                                             {nullptr, nullptr}};
  return kCommands;
}

namespace {

TzString helpLine(std::u16string_view command) {
  if (command == u"HYPERLINKCHECK")
    return linktools::linkText(
        u"Lists the hyperlinks that lead nowhere: missing files, views and layouts, bad "
        u"addresses.");
  if (command == u"HYPERLINKS")
    return linktools::linkText(
        u"Shows the Hyperlinks panel: every hyperlink of the drawing, checked, in a list.");
  if (command == u"-HYPERLINKREPLACE")
    return linktools::linkText(
        u"Replaces a text in hyperlink addresses, such as a folder that moved.");
  return {};
}

}  // namespace

TZRX_EXPORT int tzrxCommandHelp(const char16_t* command, char16_t* buffer, int size) {
  if (command == nullptr) return 0;
  return tzutCopyString(helpLine(command), buffer, size);
}

TZRX_EXPORT int tzrxGetApiVersion() {
  return Tzad::tzrxGetApiVersion();
}
