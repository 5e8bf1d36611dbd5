// Loading and unloading modules, as tzad's binaries ask for it (services/host_services.h).
#include "modules/module_loader.h"
#include "services/host_services.h"

namespace tzad {

bool loadModule(const std::string& path) {
  return hostServices().loadModule(path);
}

void loadModulesIn(const std::string& folder) {
  hostServices().loadModulesIn(folder);
}

void unloadModules() {
  hostServices().unloadModules();
}

}  // namespace tzad
