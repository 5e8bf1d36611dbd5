#include "test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "tzdb_hyperlink.h"

#ifndef TZT_PYTHON
#define TZT_PYTHON "/usr/bin/python3"
#endif

namespace tzt {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tzad-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void ScopedEnvironment::set(const char* name, const char* value) {
  const char* old = getenv(name);
  saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->second)
      setenv(it->first.c_str(), it->second->c_str(), 1);
    else
      unsetenv(it->first.c_str());
  }
}

TemporaryHome::TemporaryHome() {
  std::filesystem::create_directories(config());
  std::filesystem::create_directories(data());
  environment_.set("HOME", path().c_str());
  environment_.set("XDG_CONFIG_HOME", config().c_str());
  environment_.set("XDG_DATA_HOME", data().c_str());
  environment_.set("XDG_STATE_HOME", nullptr);  // the default under the temporary home
}

void makeNonRegularFile(NonRegularFile kind, const std::string& path) {
  if (kind == NonRegularFile::Fifo)
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
  else
    std::filesystem::create_symlink("/dev/zero", path);
}

bool returnsWithin(int deadlineMs, const std::string& fifo, const std::function<void()>& call) {
  std::packaged_task<void()> task(call);
  std::future<void> done = task.get_future();
  std::thread thread(std::move(task));
  bool returned = done.wait_for(std::chrono::milliseconds(deadlineMs)) == std::future_status::ready;
  if (!returned) {
    int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (writer >= 0) close(writer);
  }
  thread.join();
  return returned;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string runEzdxf(const std::string& args) {
  std::string command = std::string(TZT_PYTHON) + " " + TZT_EZDXF_TOOL + " " + args + " 2>&1";
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return output;
  }
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
  int status = pclose(pipe);
  EXPECT_EQ(status, 0) << command << "\n" << output;
  return output;
}

std::string makeDrawing(const TempDir& dir, const std::string& kind, const std::string& release) {
  std::string path = dir.file(kind + "_" + release + ".dxf");
  runEzdxf("make " + kind + " " + release + " '" + path + "'");
  return path;
}

nlohmann::json ezdxfDump(const std::string& path) {
  std::string out = runEzdxf("dump '" + path + "'");
  try {
    return nlohmann::json::parse(out);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "ezdxf output is not JSON: " << out;
    return {};
  }
}

TzDbObjectId findEntity(TzDbDatabase& db, const std::string& type, const std::string& layer) {
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
    if (e && u8(e->dxfName()) == type && (layer.empty() || u8(e->layer()) == layer)) return id;
  }
  return {};
}

TzDbObjectId addLayer(TzDbDatabase& db, const TzString& name, int color, bool locked) {
  TzDbLayerTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForWrite) != Tzad::eOk) return {};
  TzDbObjectPointer<TzDbLayerTable> table(opened);
  auto layer = std::make_unique<TzDbLayerTableRecord>();
  TzDbObjectId id;
  Tzad::ErrorStatus es = layer->setName(name);
  if (es == Tzad::eOk) es = layer->setColorIndex(color);
  if (es == Tzad::eOk) es = layer->setIsLocked(locked);
  if (es == Tzad::eOk) es = tzdbAddNewObject(*table.get(), std::move(layer), id);
  if (table.close() != Tzad::eOk || es != Tzad::eOk) return {};
  return id;
}

TzDbObjectId addPolyline(TzDbObjectId block, TzDbObjectId layer,
                         const std::vector<TzGePoint3d>& points, bool closed) {
  auto poly = std::make_unique<TzDb3dPolyline>(TzDb::k3dSimplePoly, points, closed);
  poly->setDatabaseDefaults(block.database());
  if (!layer.isNull() && poly->setLayer(layer) != Tzad::eOk) return {};
  TzDbObjectPointer<TzDbBlockTableRecord> owner(block, TzDb::kForWrite);
  TzDbObjectId id;
  if (!owner || tzdbAddNewObject(*owner.get(), std::move(poly), id) != Tzad::eOk) return {};
  if (owner.close() != Tzad::eOk) return {};
  return id;
}

Tzad::ErrorStatus setLinks(TzDbEntity& entity, const std::vector<Link>& links) {
  auto* collection = new TzDbHyperlinkCollection();
  for (const Link& l : links) {
    collection->addTail(u16(l.address), u16(l.description), u16(l.location));
    collection->item(collection->count() - 1)->setFlags(l.flags);
  }
  return TzDbEntityHyperlinkPE::query(&entity)->setHyperlinkCollection(&entity, collection);
}

Tzad::ErrorStatus setLinks(TzDbObjectId id, const std::vector<Link>& links) {
  TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
  if (!e) return e.openStatus();
  Tzad::ErrorStatus es = setLinks(*e.get(), links);
  Tzad::ErrorStatus closed = e.close();
  return es == Tzad::eOk ? closed : es;
}

std::vector<Link> linksOf(TzDbObjectId id) {
  std::vector<Link> result;
  TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
  if (!e) return result;
  TzDbHyperlinkCollection* raw = nullptr;
  EXPECT_EQ(TzDbEntityHyperlinkPE::query(e.get())->getHyperlinkCollection(e.get(), raw), Tzad::eOk);
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  for (int i = 0; i < links->count(); ++i) {
    TzDbHyperlink* l = links->item(i);
    result.push_back({u8(l->name()), u8(l->description()), u8(l->subLocation()), l->flags()});
  }
  return result;
}

}  // namespace tzt
