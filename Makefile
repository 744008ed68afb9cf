# make run   — install what is missing, build, play
# make test  — install what is missing, build, run every test (plain, sanitized, real window)
# make docs  — build, then take the README's screenshots (tests/docs/*.script) into docs/
# make stress, make fuzz, make soak — the long reliability runs (see README)
BUILD      ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)

.PHONY: run test build build-asan deps unit asan smoke bench clean docs release stress fuzz soak

run: build
	cd "$${TAVO2_RUN_DIR:-.}" && $(CURDIR)/$(BUILD)/tavo2

test: deps
	$(MAKE) build
	$(MAKE) unit
	$(MAKE) asan
	$(MAKE) fuzz FUZZ_SECONDS=10
	$(MAKE) smoke

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVO2_SANITIZE=ON -DTAVO2_BENCHMARKS=OFF -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)

unit:
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

smoke: build
	bash tests/smoke/real_window.sh $(BUILD)/tavo2

bench: build
	bash tests/bench/run.sh $(BUILD)

docs: build
	bash tests/docs/screenshots.sh $(BUILD) docs

# The crash test: STRESS_KILLS kills of the game inside its saves (make test runs 100).
STRESS_KILLS ?= 1000
stress: build
	$(BUILD)/tests/tavo2-stress $(BUILD)/tavo2-script $(BUILD)/tests/libtavo2-hold.so $(STRESS_KILLS)

# Fuzzing (libFuzzer, clang): the save loader and the runner's script parser, FUZZ_SECONDS each.
# clang cannot compile the texts to CP932, so it builds a copy of the sources with them escaped.
FUZZ_SECONDS ?= 60
fuzz: build
	$(BUILD)/tests/tavo2-cp932-literals . $(FUZZ_BUILD)/src
	cmake -S $(FUZZ_BUILD)/src -B $(FUZZ_BUILD)/obj -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVO2_FUZZ=ON -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(FUZZ_BUILD)/obj -j $(JOBS) --target tavo2-fuzz-save_loader tavo2-fuzz-script_parser
	bash tests/fuzz/run.sh $(FUZZ_BUILD)/obj/tests/fuzz $(FUZZ_SECONDS)

# The random-play soak under the sanitizers: SOAK_SECONDS of a monkey's play (make test: 20 s).
SOAK_SECONDS ?= 600
soak: build-asan
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  $(ASAN_BUILD)/tests/tavo2-soak $(ASAN_BUILD)/tavo2-script $(SOAK_SECONDS)

# The optimised build, warnings as errors (CI builds it too).
release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
