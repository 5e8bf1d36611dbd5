// A mailto: address as mail programs read it. Hyperlinks keep the address as the user typed it
// ("mailto:a@example.com?subject=Plan 2 & notes?"); handed to a mail program, a space, a "&"
// inside a subject or a non-ASCII letter would be cut or misread, so they are percent-encoded
// the way mailto: URIs must be.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The address with every character that a mailto: URI may not hold as it is percent-encoded
// (UTF-8 for non-ASCII); an encoding already there ("%20") stays. Other addresses come back
// unchanged.
std::u16string encodedMailto(std::u16string_view address);

}  // namespace platform
