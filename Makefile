# make run: install what is missing, build, start Tarvex.
# make test: install what is missing, build, run every test.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test deps build test-native test-windows clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/tarvex

test-native: build
	ctest --test-dir $(BUILD) --output-on-failure

# The Windows build (mingw-w64) and its tests under Wine, in a private Wine prefix.
test-windows: deps
	bash scripts/test-windows.sh

test: test-native test-windows

clean:
	rm -rf $(BUILD)
