# make run   — install what is missing, build, play
# make test  — install what is missing, build, run every test (plain, sanitized, real window)
# make docs  — build, then take the README's screenshots (tests/docs/*.script) into docs/
# make coverage — line and branch coverage of the game's code by the unit and runner tests
# make playthrough — build, then play the whole game again with the autoplayer (tests/playthrough/)
# make install [PREFIX=/usr/local] [DESTDIR=] — the game as a desktop program; make package [MAINTAINER=] — a .deb
# make stress, make fuzz, make soak — the long reliability runs (see README)
# make windows — tavo2.exe, tavo2-script.exe and the player's .zip, cross-compiled (build-windows/)
# make windows-test — those built with their tests, which run under Wine (and a real window, Xvfb)
# make web — the game as a page (build-web/, static files); make web-serve — that page on 127.0.0.1
# make web-test — the web build's runner under node, and the page in headless Chromium
# make web-figures — the page's figures for the README (sizes, first frame, timers, idle CPU)
BUILD      ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
COVERAGE_BUILD ?= build-coverage
WINDOWS_BUILD ?= build-windows
CP932_SOURCES ?= build-cp932
WEB_WORK   ?= build-wasm
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8932
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: run test build build-asan deps unit asan smoke bench clean docs coverage playthrough game install package package-test release stress fuzz soak windows windows-build windows-test cp932-sources web web-build web-test web-serve web-figures

run: game
	cd "$${TAVO2_RUN_DIR:-.}" && $(CURDIR)/$(BUILD)/tavo2

test: deps
	$(MAKE) build
	$(MAKE) unit
	$(MAKE) asan
	$(MAKE) fuzz FUZZ_SECONDS=10 FUZZ_SEED=1
	$(MAKE) smoke
	$(MAKE) package-test
	$(MAKE) windows-test
	$(MAKE) web-test

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# Only what the game needs: no tests, no tools.
game: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target tavo2 tavo2-icons tavo2-docs

install: game
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The .deb's maintainer; the default's address is no real one, so lintian names it.
MAINTAINER ?= ポムル developers <pomuru@localhost>
package: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON -DTAVO2_MAINTAINER="$(MAINTAINER)" >/dev/null
	$(MAKE) game
	cd $(BUILD) && cpack -G DEB

package-test: package
	bash tests/package/check.sh $(BUILD)

# The Windows build reuses the pictures the Linux build rendered, and its tests the Linux savegen.
windows-build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target tavo2-art tavo2-savegen
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=windows/Toolchain.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DTAVO2_WERROR=ON -DTAVO2_PACKED_ART=$(CURDIR)/$(BUILD)/art/ArtPictures.cpp -DTAVO2_HOST_BUILD=$(CURDIR)/$(BUILD) >/dev/null

windows: windows-build
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target tavo2 tavo2-script tavo2-zip
	@echo "The Windows game: $(WINDOWS_BUILD)/pomuru-2.11-windows.zip"

windows-test: windows-build
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	# Once in a while a program under Wine ends at start with nothing printed (once in seven runs of
	# the suite here); a test that fails twice is a failure.
	cd $(WINDOWS_BUILD) && ctest --output-on-failure --repeat until-pass:2 -j $(JOBS)
	bash tests/windows/smoke.sh $(WINDOWS_BUILD)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVO2_SANITIZE=ON -DTAVO2_BENCHMARKS=OFF -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)

unit:
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

smoke: build
	bash tests/smoke/real_window.sh $(BUILD)/tavo2
	bash tests/smoke/comfort.sh $(BUILD)/tavo2
	bash tests/smoke/keys.sh $(BUILD)
	bash tests/smoke/record.sh $(BUILD)

bench: build
	bash tests/bench/run.sh $(BUILD)

docs: build
	bash tests/docs/screenshots.sh $(BUILD) docs

# The game's own code only: not the tests, the runner or the art packer.
coverage:
	@bash scripts/install-deps.sh gcovr
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVO2_COVERAGE=ON -DTAVO2_BENCHMARKS=OFF >/dev/null
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && ctest -j $(JOBS) >/dev/null
	gcovr -r . $(COVERAGE_BUILD) --filter '(app|fishing|framework|platform|quests|results|shops|state)/' \
	  --exclude '.*/main_[a-z]+\.cpp' --exclude-unreachable-branches --exclude-throw-branches \
	  --print-summary --txt $(COVERAGE_BUILD)/coverage.txt --html-details $(COVERAGE_BUILD)/coverage.html

playthrough: build
	bash tests/playthrough/regenerate.sh $(BUILD)

# The crash test: STRESS_KILLS kills of the game inside its saves (make test runs 100).
STRESS_KILLS ?= 1000
stress: build
	$(BUILD)/tests/tavo2-stress $(BUILD)/tavo2-script $(BUILD)/tests/libtavo2-hold.so $(STRESS_KILLS)

# Fuzzing (libFuzzer, clang): the save loader and the runner's script parser, FUZZ_SECONDS each.
# clang cannot compile the texts to CP932, so it builds a copy of the sources with them escaped.
FUZZ_SECONDS ?= 60
FUZZ_SEED ?= 0
fuzz: build cp932-sources
	cmake -S $(CP932_SOURCES) -B $(FUZZ_BUILD)/clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVO2_FUZZ=ON -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(FUZZ_BUILD)/clang -j $(JOBS) --target tavo2-fuzz-save_loader tavo2-fuzz-script_parser
	bash tests/fuzz/run.sh $(FUZZ_BUILD)/clang/tests/fuzz $(FUZZ_SECONDS) $(FUZZ_SEED)

# The copy of the sources with their texts escaped to CP932, for the compilers that cannot write
# CP932 themselves (clang for fuzzing, em++ for the web); only what changed is rewritten.
cp932-sources: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO2_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target tavo2-cp932-literals
	$(BUILD)/tests/tavo2-cp932-literals . $(CP932_SOURCES)

# The web build takes the pictures and the CP932 table from the Linux build, its tests its savegen.
# Emscripten's optimising link runs a JavaScript pass that needs Debian's node-acorn.
WEB_CMAKE = NODE_PATH=/usr/share/nodejs cmake
web-build: cp932-sources
	cmake --build $(BUILD) -j $(JOBS) --target tavo2-art tavo2-cp932-table tavo2-savegen
	mkdir -p $(BUILD)/web && $(BUILD)/tavo2-cp932-table $(BUILD)/web/Cp932Table.cpp.new
	cmp -s $(BUILD)/web/Cp932Table.cpp.new $(BUILD)/web/Cp932Table.cpp || mv $(BUILD)/web/Cp932Table.cpp.new $(BUILD)/web/Cp932Table.cpp
	NODE_PATH=/usr/share/nodejs emcmake cmake -S $(CP932_SOURCES) -B $(WEB_WORK) -DCMAKE_BUILD_TYPE=Release \
	  -DTAVO2_WERROR=ON -DTAVO2_PACKED_ART=$(CURDIR)/$(BUILD)/art/ArtPictures.cpp \
	  -DTAVO2_CP932_TABLE=$(CURDIR)/$(BUILD)/web/Cp932Table.cpp -DTAVO2_HOST_BUILD=$(CURDIR)/$(BUILD) \
	  -DTAVO2_SITE=$(CURDIR)/$(WEB_BUILD) >/dev/null

web: web-build
	$(WEB_CMAKE) --build $(WEB_WORK) -j $(JOBS) --target tavo2-site
	@echo "The page: $(WEB_BUILD)/ (make web-serve shows it on http://127.0.0.1:$(WEB_PORT)/)"

web-test: web-build
	$(WEB_CMAKE) --build $(WEB_WORK) -j $(JOBS)
	cd $(WEB_WORK) && ctest --output-on-failure -j $(JOBS)

# The README's figures of the page (tests/web/figures.py): sizes, first frame, timers, idle CPU.
web-figures: web
	$(WEB_CMAKE) --build $(WEB_WORK) -j $(JOBS) --target tavo2-timer-lateness
	/usr/bin/python3 tests/web/figures.py $(WEB_BUILD) $(WEB_WORK)/timer $(BUILD)/tests/tavo2-savegen

web-serve: web
	@echo "Serving $(WEB_BUILD)/ on http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends it)"
	cd $(WEB_BUILD) && /usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD) $(COVERAGE_BUILD) $(WINDOWS_BUILD) $(CP932_SOURCES) \
	  $(WEB_WORK) $(WEB_BUILD)
