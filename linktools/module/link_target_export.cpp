// LinkTools.tzx tells the host's window where a hyperlink leads (tzrx_link_target.h), through
// the resolution the link checks use.
#include "core/link_target.h"
#include "tzrx_link_target.h"

TZRX_EXPORT int tzrxDescribeLinkTarget(const char16_t* address, char16_t* target, int size) {
  if (address == nullptr || target == nullptr || size <= 0) return -1;
  std::optional<linktools::LinkTarget> found = linktools::describeLinkTarget(address);
  if (!found) return -1;
  tzutCopyString(found->target, target, size);
  switch (found->kind) {
    case linktools::LinkTarget::Kind::File:
      return kTzLinkTargetFile;
    case linktools::LinkTarget::Kind::MissingFile:
      return kTzLinkTargetMissing;
    case linktools::LinkTarget::Kind::Other:
      return kTzLinkTargetOther;
  }
  return -1;
}
