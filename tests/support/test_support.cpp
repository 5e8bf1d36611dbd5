#include "test_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

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

TemporaryHome::TemporaryHome() {
  std::filesystem::create_directories(config());
  std::filesystem::create_directories(data());
  for (auto [name, value] : {std::pair{"HOME", path()}, std::pair{"XDG_CONFIG_HOME", config()},
                             std::pair{"XDG_DATA_HOME", data()}}) {
    const char* old = getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
  }
}

TemporaryHome::~TemporaryHome() {
  for (const auto& [name, value] : saved_) {
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  }
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

void expectSameText(const std::string& actual, const std::string& expected) {
  if (actual == expected) return;
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  size_t line = 1 + static_cast<size_t>(std::count(expected.begin(), expected.begin() + at, '\n'));
  size_t from = expected.rfind('\n', at == 0 ? 0 : at - 1);
  from = from == std::string::npos ? 0 : from + 1;
  ADD_FAILURE() << "texts differ from line " << line << " (sizes " << actual.size() << " and "
                << expected.size() << ")\n  actual:   " << actual.substr(from, 80)
                << "\n  expected: " << expected.substr(from, 80);
}

TzDbObjectId findEntity(TzDbDatabase& db, const std::string& type, const std::string& layer) {
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
    if (e && u8(e->dxfName()) == type && (layer.empty() || u8(e->layer()) == layer)) return id;
  }
  return {};
}

}  // namespace tzt
