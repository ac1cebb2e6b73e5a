# make run: install what is missing, build, start Tarvex.
# make test: install what is missing, build, run every test.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Our own builds stop at any warning; a packager's plain cmake build does not.
OUR_FLAGS = -DTARVEX_WARNINGS_AS_ERRORS=ON -DTARVEX_BUILD_BENCH=ON

# make screenshot: the README's pictures, made again by the program itself.
.PHONY: run test deps build screenshot deb test-format test-deb test-native test-windows test-sanitizers test-fuzz bench clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) $(OUR_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/tarvex

test-native: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 300

# Every C++ file as .clang-format has it.
test-format: deps
	bash scripts/check-format.sh

# The Windows build (mingw-w64; tarvex.exe with the shared Qt for mingw) and its tests under Wine,
# in a private Wine prefix, the real-window scenario on Xvfb and the players' zip started.
test-windows: deps
	bash scripts/test-windows.sh

# The reader's tests again under AddressSanitizer and UBSan (build-asan).
test-sanitizers: deps
	bash scripts/test-sanitizers.sh

# The header parser, the orders' walk and the archive table reader under libFuzzer for about a
# minute together (build-fuzz).
test-fuzz: deps
	bash scripts/test-fuzz.sh

# The Debian package (build-deb/tarvex_<version>_<arch>.deb), made by dpkg-buildpackage from a
# copy of the sources; made again only when they changed.
deb: deps
	bash scripts/build-deb.sh

# The package checked without installing it: lintian, its files and dependencies, its programs
# unpacked and run beside the native build's.
test-deb: build
	bash tests/install/deb_check.sh $(BUILD)

# The native suite last, so that its summary closes the run.
test: test-format test-windows test-sanitizers test-fuzz test-deb test-native

# Benchmarks time things, so they are not tests: run them on demand.
bench: build
	$(BUILD)/bin/read_folder_bench
	$(BUILD)/bin/match_bench
	$(BUILD)/bin/career_bench
	$(BUILD)/bin/career_window_bench
	$(BUILD)/bin/map_preview_bench
	$(BUILD)/bin/map_memory_bench
	QT_SCALE_FACTOR=2 $(BUILD)/bin/map_memory_bench
	$(BUILD)/bin/scrollbar_bench
	$(BUILD)/bin/details_bench
	$(BUILD)/bin/filter_bench
	$(BUILD)/bin/match_window_bench
	$(BUILD)/bin/startup_bench

screenshot: build
	bash scripts/screenshot.sh $(BUILD) docs/screenshot.png
	bash scripts/screenshot-match.sh $(BUILD) ../shared docs/match-window.png
	bash scripts/screenshot-career.sh $(BUILD) ../shared docs/career-window.png

clean:
	rm -rf $(BUILD) build-deb
