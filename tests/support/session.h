// A command-line session in the test's own process: scripted answers, captured output, and
// drawings in a temporary folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "docs/document_manager.h"
#include "editor/editor.h"
#include "test_support.h"

namespace tzt {

class Session {
 public:
  Session();
  ~Session();
  // The answers the next prompts read, one line each ("" is Enter, "^C" cancels).
  void answer(std::vector<std::string> lines);
  // Runs commands (each with its answers) as typed at "Command: ".
  void run(std::vector<std::string> lines);
  // Output since the last call.
  std::string takeOutput();
  // Copies the sample site plan into the folder and opens it.
  tzad::Document* openSample(const std::string& name = "plan.dxf");
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string output_;
};

std::string samplePath();
// The sample plan's text with `count` more lines at the end of its entities, handles from
// `firstHandle` on, line i on the layer `layerOf(i)`.
std::string sampleWithLines(int count, uint64_t firstHandle, const char* (*layerOf)(int));

}  // namespace tzt
