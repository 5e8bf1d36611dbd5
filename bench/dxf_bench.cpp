// Load a large drawing, set a hyperlink on every entity, save it: the round trip a user makes
// on a big site plan. The drawing is named by TZAD_BENCH_DRAWING (bench/run_bench.sh makes it).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace {

std::string drawingPath() {
  const char* path = std::getenv("TZAD_BENCH_DRAWING");
  return path ? path : "bench-drawing.dxf";
}

double peakRssMiB() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

bool load(TzDbDatabase& db, benchmark::State& state) {
  if (db.readDwgFile(tzutFromUtf8(drawingPath())) == Tzad::eOk) return true;
  state.SkipWithError(tzutToUtf8(db.lastErrorText()).c_str());
  return false;
}

// False when an entity refused its hyperlink.
bool setHyperlinks(TzDbDatabase& db) {
  int n = 0;
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbEntity* entity = nullptr;
    if (tzdbOpenObject(entity, id, TzDb::kForWrite) != Tzad::eOk) continue;
    auto* links = new TzDbHyperlinkCollection();
    links->addTail(u"http://example.com/item/" + tzutFromUtf8(std::to_string(n++)), u"Item");
    Tzad::ErrorStatus es =
        TzDbEntityHyperlinkPE::query(entity)->setHyperlinkCollection(entity, links);
    Tzad::ErrorStatus closed = entity->close();
    if (es != Tzad::eOk || closed != Tzad::eOk) return false;
  }
  return true;
}

void BM_Load(benchmark::State& state) {
  for (auto _ : state) {
    TzDbDatabase db(false);
    if (!load(db, state)) return;
    benchmark::DoNotOptimize(db.allEntityIds().size());
  }
}

void BM_SetHyperlinks(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TzDbDatabase db(false);
    if (!load(db, state)) return;
    state.ResumeTiming();
    if (!setHyperlinks(db)) return state.SkipWithError("an entity refused its hyperlink");
  }
}

void BM_Save(benchmark::State& state) {
  TzDbDatabase db(false);
  if (!load(db, state)) return;
  if (!setHyperlinks(db)) return state.SkipWithError("an entity refused its hyperlink");
  std::string out = drawingPath() + ".saved.dxf";
  for (auto _ : state) {
    if (db.saveAs(tzutFromUtf8(out)) == Tzad::eOk) continue;
    state.SkipWithError("saving failed");
    break;
  }
  std::filesystem::remove(out);
}

// The whole round trip.
void BM_RoundTrip(benchmark::State& state) {
  std::string out = drawingPath() + ".saved.dxf";
  for (auto _ : state) {
    TzDbDatabase db(false);
    if (!load(db, state)) return;
    if (!setHyperlinks(db)) return state.SkipWithError("an entity refused its hyperlink");
    if (db.saveAs(tzutFromUtf8(out)) != Tzad::eOk) return state.SkipWithError("saving failed");
  }
  double fileMiB = static_cast<double>(std::filesystem::file_size(drawingPath())) / (1 << 20);
  state.counters["file_MiB"] = fileMiB;
  state.counters["peak_rss_MiB"] = peakRssMiB();
  state.counters["peak_per_file"] = peakRssMiB() / fileMiB;
  std::filesystem::remove(out);
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SetHyperlinks)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(3);
// One pass in a fresh process, as a user opens, links and saves a drawing once: its time
// includes the cold start, and its peak memory is its own.
BENCHMARK(BM_RoundTrip)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
