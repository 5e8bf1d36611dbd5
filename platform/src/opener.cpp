#include "platform/opener.h"

#include <cstdlib>

#include "platform/mailto_address.h"
#include "platform/process.h"
#include "platform/text.h"

namespace platform {

bool openWithDefaultProgram(std::u16string_view target) {
  const char* custom = std::getenv("TZAD_OPEN_COMMAND");
  std::string opener = custom && *custom ? custom : "xdg-open";
  return runProgram({opener, toFileName(encodedMailto(target))}).exitStatus == 0;
}

}  // namespace platform
