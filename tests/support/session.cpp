#include "session.h"

#include <cstdio>
#include <filesystem>

#include "editor/input_source.h"

namespace tzt {

using tzad::DocumentManager;
using tzad::Editor;

std::string samplePath() {
  return TZT_SAMPLE_DRAWING;
}

std::string sampleWithLines(int count, uint64_t firstHandle, const char* (*layerOf)(int)) {
  std::string text = readFile(samplePath());
  std::string lines;
  char record[256];
  for (int i = 0; i < count; ++i) {
    std::snprintf(record, sizeof record,
                  "  0\nLINE\n  5\n%llX\n330\n17\n100\nAcDbEntity\n  8\n%s\n100\nAcDbLine\n"
                  " 10\n%d\n 20\n0.0\n 30\n0.0\n 11\n%d\n 21\n5.0\n 31\n0.0\n",
                  static_cast<unsigned long long>(firstHandle) + static_cast<unsigned>(i),
                  layerOf(i), i, i);
    lines += record;
  }
  text.insert(text.find("  0\nENDSEC\n", text.find("ENTITIES\n")), lines);
  return text;
}

Session::Session() {
  Editor& ed = Editor::instance();
  ed.reset();
  ed.setOutput([this](std::string_view text) { output_.append(text); });
  setenv("XDG_CONFIG_HOME", dir_.file("config").c_str(), 1);
  setenv("XDG_DATA_HOME", dir_.file("data").c_str(), 1);
}

Session::~Session() {
  Editor::instance().reset();
}

void Session::answer(std::vector<std::string> lines) {
  Editor::instance().setInput(std::make_unique<tzad::LineInput>(std::move(lines)));
}

void Session::run(std::vector<std::string> lines) {
  answer(std::move(lines));
  Editor::instance().runLoop();
}

std::string Session::takeOutput() {
  return std::exchange(output_, std::string());
}

tzad::Document* Session::openSample(const std::string& name) {
  std::string path = dir_.file(name);
  std::filesystem::copy_file(samplePath(), path, std::filesystem::copy_options::overwrite_existing);
  tzad::Document* doc = DocumentManager::instance().open(u16(path));
  takeOutput();
  return doc;
}

}  // namespace tzt
