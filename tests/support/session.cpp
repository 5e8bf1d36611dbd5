#include "session.h"

#include <filesystem>

#include "editor/input_source.h"

namespace tzt {

std::string samplePath() {
  return TZT_SAMPLE_DRAWING;
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
  Editor::instance().setInput(std::make_unique<LineInput>(std::move(lines)));
}

void Session::run(std::vector<std::string> lines) {
  answer(std::move(lines));
  Editor::instance().runLoop();
}

std::string Session::takeOutput() {
  return std::exchange(output_, std::string());
}

Document* Session::openSample(const std::string& name) {
  std::string path = dir_.file(name);
  std::filesystem::copy_file(samplePath(), path, std::filesystem::copy_options::overwrite_existing);
  Document* doc = DocumentManager::instance().open(u16(path));
  takeOutput();
  return doc;
}

}  // namespace tzt
