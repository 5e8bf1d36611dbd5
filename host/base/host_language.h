// The language the host runs in, for its own texts, its windows and the resource libraries of
// modules (tzrx_module.h's tzutLanguage): "en" or "zh", chosen once per run.
#pragma once

#include <string>

#include "base/host_api.h"

namespace tzad {

// The language from --lang. Without it: TZAD_LANG, else the locale (LC_ALL, LC_MESSAGES, LANG).
TZAD_HOST_API void setHostLanguage(const std::string& language);

}  // namespace tzad
