// The one language tzad runs in, chosen once per run: --lang, else TZAD_LANG, else the
// locale's LC_ALL, LC_MESSAGES or LANG; Chinese when none names a language tzad speaks. The
// host's and the window's texts (the gettext catalog "tzad"), the modules' texts (tzutLanguage)
// and the toolkit's all follow it.
#pragma once

#include <string>

namespace tzad {

// Sets the language ("en", "zh", or one whose catalog is installed); an empty one is chosen
// again from the environment the next time it is asked for.
void setHostLanguage(const std::string& language);
// Whether tzad has texts in that language: English, Chinese, or a language with a catalog.
bool speaksLanguage(const std::string& language);
// The language's name as gettext and the toolkits know it ("zh" is "zh_CN").
std::string catalogLanguage(const std::string& language);
// The folder holding the catalogs (LANG/LC_MESSAGES/tzad.mo): TZAD_LOCALEDIR, else
// share/locale of the build tree or of the installed tree, found from libtzad's own place.
std::string catalogFolder();

}  // namespace tzad
