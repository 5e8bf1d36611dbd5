// Helpers shared by the tests: temporary folders, files, and python3-ezdxf as the other
// DXF program.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tz_string.h"
#include "tzdb_database.h"

namespace tzt {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Environment variables set (or, with a null value, unset) for a test, and given their old
// values back when the object goes.
class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  void set(const char* name, const char* value);

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A fresh home folder for the test's lifetime: HOME, XDG_CONFIG_HOME (home/.config) and
// XDG_DATA_HOME (home/.local/share) point into it.
class TemporaryHome {
 public:
  TemporaryHome();
  const std::filesystem::path& path() const { return dir_.path(); }
  std::filesystem::path config() const { return path() / ".config"; }
  std::filesystem::path data() const { return path() / ".local" / "share"; }

 private:
  TempDir dir_;
  ScopedEnvironment environment_;
};

// What tzad may find where it expects a regular file.
enum class NonRegularFile { Fifo, LinkToDevZero };
// Makes one at `path`.
void makeNonRegularFile(NonRegularFile kind, const std::string& path);
// Runs `call` on a thread of its own and waits up to `deadlineMs` for it to return. A call
// still blocked then (opening a FIFO that has no writer) is released by opening `fifo` for
// writing, so that the test fails instead of hanging; false in that case.
bool returnsWithin(int deadlineMs, const std::string& fifo, const std::function<void()>& call);

// Checks done() every few milliseconds until it holds or timeoutMs passes; whether it held. For
// state another process or thread brings about, outside a toolkit's loop.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
inline TzString u16(const std::string& s) {
  return tzutFromUtf8(s);
}
inline std::string u8(const TzString& s) {
  return tzutToUtf8(s);
}

// Runs tests/interop/ezdxf_tool.py with the arguments; fails the test when it fails.
std::string runEzdxf(const std::string& args);
// Makes a drawing with ezdxf: kind is rich, plain, chinese936 (see ezdxf_tool.py).
std::string makeDrawing(const TempDir& dir, const std::string& kind, const std::string& release);
// What ezdxf reads from a drawing.
nlohmann::json ezdxfDump(const std::string& path);

// Adds a layer; a null id when the drawing refuses it.
TzDbObjectId addLayer(TzDbDatabase& db, const TzString& name, int color = 7, bool locked = false);
// Adds a 3D polyline to a block (a layout's space or a block definition), on `layer` when not
// null; a null id when the block refuses it.
TzDbObjectId addPolyline(TzDbObjectId block, TzDbObjectId layer,
                         const std::vector<TzGePoint3d>& points, bool closed = false);

// A hyperlink as the tests write and read it.
struct Link {
  std::string address;
  std::string description{};
  std::string location{};
  int flags = 0;
  bool operator==(const Link&) const = default;
};
// Replaces the hyperlinks of an entity (open for write, or opened here by its id).
Tzad::ErrorStatus setLinks(TzDbEntity& entity, const std::vector<Link>& links);
Tzad::ErrorStatus setLinks(TzDbObjectId id, const std::vector<Link>& links);
std::vector<Link> linksOf(TzDbObjectId id);

// The first entity of this DXF type (and layer, when given), or a null id.
TzDbObjectId findEntity(TzDbDatabase& db, const std::string& type, const std::string& layer = "");

}  // namespace tzt
