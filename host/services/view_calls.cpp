// The scenes built from a drawing and its layouts' paper, as tzad's binaries ask for them
// (services/host_services.h).
#include "services/host_services.h"
#include "view/page_setup.h"
#include "view/scene.h"

namespace tzad {

Scene buildScene(TzDbDatabase& db, TzDbObjectId layoutBlockRecord, SceneUse use) {
  return hostServices().buildScene(db, layoutBlockRecord, use);
}

Scene buildCurrentScene(TzDbDatabase& db) {
  return hostServices().buildCurrentScene(db);
}

std::optional<PaperSetup> paperSetupOf(TzDbDatabase& db, TzDbObjectId layout) {
  return hostServices().paperSetupOf(db, layout);
}

}  // namespace tzad
