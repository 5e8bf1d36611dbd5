# Two commands matter: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
SAMPLE     ?= samples/site_plan.dxf
PREFIX     ?= /usr/local

.PHONY: all deps build build-asan build-fuzz test test-normal test-asan test-fuzz fuzz run bench \
	install package package-check format clean

all: build

deps:
	@tools/install_packages.sh tools/packages.txt

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTZAD_SANITIZE=ON

# The fuzz targets need clang's libFuzzer; this folder holds only them (tests/fuzz/).
$(FUZZ_BUILD)/CMakeCache.txt:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTZAD_FUZZ=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

build-fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for 30 seconds from its seeds, after the inputs that once failed.
test-fuzz: build-fuzz
	tests/fuzz/run_fuzzers.sh $(FUZZ_BUILD) 30 fresh

test: test-normal test-asan test-fuzz

# Longer fuzzing that keeps what it learns in $(FUZZ_BUILD)/fuzz-corpus.
fuzz: build-fuzz
	tests/fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) keep

# The sample is opened from a copy in the build folder, so that SAVE leaves the shipped one.
run: build
	@test -f $(BUILD)/site_plan.dxf || cp $(SAMPLE) $(BUILD)/site_plan.dxf
	cd $(BUILD) && bin/tzad site_plan.dxf

# The benchmarks also run LibreCAD, beside which the window's start is measured.
bench: build
	@tools/install_packages.sh tools/bench_packages.txt
	bench/run_bench.sh $(BUILD)

# The installed tree is relocatable: PREFIX is chosen here, not when configuring. DESTDIR stages it.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package (installs under /usr), in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

# Installs the package on a bare Debian 12 made with debootstrap and runs tzad there. Needs root
# and the Debian mirror; the bare system is kept in $(BUILD)/package-check for later runs.
package-check: package
	packaging/check_package.sh $$(ls -t $(BUILD)/tzad_*.deb | head -n 1) $(BUILD)/package-check

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
