#include <cstdio>
#include <cstdlib>

#include "services/host_services.h"

namespace tzad {

const HostServices& hostServices() {
  static const HostServices& services = []() -> const HostServices& {
    const HostServices* found = tzadHostServices();
    if (found->layout != kHostLayout) {
      std::fputs(
          "tzad: libtzad does not belong to this program (another build); install them together\n",
          stderr);
      std::abort();
    }
    return *found;
  }();
  return services;
}

}  // namespace tzad
