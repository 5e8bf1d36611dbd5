#include "docs/autosave.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>

#include "db/database_impl.h"
#include "docs/document.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace tzad {

namespace {

constexpr const char* kSourceSuffix = ".source";

// FNV-1a: a stable name for a path, the same in every run.
uint64_t hashOf(std::string_view text) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
  return hash;
}

std::string hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// A drawing never saved has no path: its copies are told apart by the process and the moment
// the drawing was started.
std::string keyOf(const Document& doc) {
  if (!doc.isUntitled()) return platform::toFileName(doc.fileName());
  return platform::toUtf8(doc.docTitle()) + "\n" + std::to_string(::getpid()) + "\n" +
         std::to_string(reinterpret_cast<uintptr_t>(&doc));
}

std::filesystem::path copyPathOf(const Document& doc) {
  std::string stem = std::filesystem::path(platform::toFileName(doc.docTitle())).stem().string();
  return autosaveFolder() / (stem + "-" + hex(hashOf(keyOf(doc))) + ".dxf");
}

std::filesystem::path sourcePathOf(const std::filesystem::path& copy) {
  return copy.string() + kSourceSuffix;
}

std::optional<AutosaveFile> readAutosave(const std::filesystem::path& copy) {
  std::ifstream in(sourcePathOf(copy));
  std::string source, title;
  if (!in || !std::getline(in, source) || !std::getline(in, title)) return std::nullopt;
  std::error_code error;
  auto written = std::filesystem::last_write_time(copy, error);
  if (error) return std::nullopt;
  return AutosaveFile{copy, platform::fromFileName(source), platform::fromUtf8(title), written};
}

void removeCopy(const std::filesystem::path& copy) {
  std::error_code ignored;
  std::filesystem::remove(copy, ignored);
  std::filesystem::remove(sourcePathOf(copy), ignored);
}

}  // namespace

std::filesystem::path autosaveFolder() {
  return std::filesystem::path(platform::stateHome()) / "tzad" / "autosave";
}

namespace {

// Which drawing a copy belongs to: written beside it, whole or not at all.
bool writeSource(const std::filesystem::path& copy, const Document& doc) {
  std::filesystem::path source = sourcePathOf(copy), written = source.string() + ".new";
  {
    std::ofstream out(written, std::ios::trunc);
    out << (doc.isUntitled() ? std::string() : platform::toFileName(doc.fileName())) << "\n"
        << platform::toUtf8(doc.docTitle()) << "\n";
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(written, source, error);
  return !error;
}

}  // namespace

bool writeAutosave(Document& doc) {
  std::error_code error;
  // Copies of the user's drawings are the user's own to read.
  if (std::filesystem::create_directories(autosaveFolder(), error))
    std::filesystem::permissions(autosaveFolder(), std::filesystem::perms::owner_all, error);
  std::filesystem::path copy = copyPathOf(doc);
  if (!writeSource(copy, doc)) return false;
  if (!TzDbInternals::impl(*doc.database()).writeCopy(copy.string())) return false;
  // A drawing saved under a new name since leaves its older copy behind otherwise.
  if (!doc.autosaved.empty() && doc.autosaved != copy) removeCopy(doc.autosaved);
  doc.autosaved = copy;
  return true;
}

void removeAutosave(Document& doc) {
  if (!doc.autosaved.empty()) removeCopy(doc.autosaved);
  doc.autosaved.clear();
}

void keepAside(const AutosaveFile& file) {
  std::string stamp = std::to_string(
      std::chrono::duration_cast<std::chrono::seconds>(file.written.time_since_epoch()).count());
  std::filesystem::path aside = file.path;
  aside.replace_filename(file.path.stem().string() + "-" + stamp + ".dxf");
  std::error_code error;
  std::filesystem::rename(sourcePathOf(file.path), sourcePathOf(aside), error);
  if (!error) std::filesystem::rename(file.path, aside, error);
}

std::optional<AutosaveFile> newerAutosaveOf(const std::u16string& path) {
  for (const AutosaveFile& file : listAutosaves()) {
    if (file.source != path) continue;
    std::error_code error;
    auto saved = std::filesystem::last_write_time(platform::toFileName(path), error);
    if (error || file.written > saved) return file;
  }
  return std::nullopt;
}

std::vector<AutosaveFile> listAutosaves() {
  std::vector<AutosaveFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(autosaveFolder(), error)) {
    if (entry.path().extension() != ".dxf") continue;
    if (std::optional<AutosaveFile> file = readAutosave(entry.path())) files.push_back(*file);
  }
  std::sort(files.begin(), files.end(),
            [](const AutosaveFile& a, const AutosaveFile& b) { return a.written > b.written; });
  return files;
}

std::u16string formatWhen(std::filesystem::file_time_type when) {
  auto system = std::chrono::file_clock::to_sys(when);
  std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return platform::fromUtf8(text);
}

}  // namespace tzad
