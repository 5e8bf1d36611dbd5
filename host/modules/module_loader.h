// Modules: shared libraries with the extension .tzx whose commands and object actions the
// host runs.
#pragma once

#include <string>
#include <vector>

#include "base/language.h"

namespace tzad {

// Loads a module and registers its commands and object actions; false after saying why on the
// command line.
bool loadModule(const std::string& path);
// Loads every .tzx of a folder, in name order.
void loadModulesIn(const std::string& folder);
// Unloads every module, newest first (each one's unload steps run); their object actions go.
void unloadModules();

}  // namespace tzad
