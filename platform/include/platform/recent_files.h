// The desktop's list of recently used files: recently-used.xbel in the data folder
// ($XDG_DATA_HOME, else ~/.local/share), shared by every desktop program that records the files
// it opens and saves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::string recentFilesPath();
// The local files of the list as paths (files on other computers, file://HOST/..., left out),
// the most recently used first, at most 1000 of them.
// A missing, unreadable or damaged list gives none.
std::vector<std::u16string> recentFiles();
// Records that tzad used the file now, as desktop programs do: the entry gets the MIME type
// (guessed from the name when empty) and the application "tzad". The list is replaced as a
// whole or not at all. False when the path cannot be made a file address, or when the list
// cannot be read (a damaged list is never overwritten) or written.
bool addRecentFile(std::u16string_view path, std::string_view mimeType = {});

}  // namespace platform
