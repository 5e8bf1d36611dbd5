// Owners for the GLib objects that the settings store, the recent-files list and the history
// readers open, so each is released on every way out.
#pragma once

#include <glib.h>

#include <memory>

namespace platform {

struct GLibDeleter {
  void operator()(GKeyFile* p) const { g_key_file_free(p); }
  void operator()(GBookmarkFile* p) const { g_bookmark_file_free(p); }
  void operator()(GError* p) const { g_error_free(p); }
  void operator()(GDateTime* p) const { g_date_time_unref(p); }
  void operator()(gchar* p) const { g_free(p); }
};

using KeyFilePtr = std::unique_ptr<GKeyFile, GLibDeleter>;
using BookmarkFilePtr = std::unique_ptr<GBookmarkFile, GLibDeleter>;
using ErrorPtr = std::unique_ptr<GError, GLibDeleter>;
using DateTimePtr = std::unique_ptr<GDateTime, GLibDeleter>;
using GStringPtr = std::unique_ptr<gchar, GLibDeleter>;

// A NULL-terminated string array (g_strfreev).
struct StringArrayDeleter {
  void operator()(gchar** p) const { g_strfreev(p); }
};
using StringArrayPtr = std::unique_ptr<gchar*, StringArrayDeleter>;

}  // namespace platform
