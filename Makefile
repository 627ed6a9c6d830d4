# Pipwick: a binary clock plug-in for the Norvane shell.
#   make run    build, then run the clock in the stand-in host and leave a screenshot
#   make test   build, then run every test, native and under Wine
#   make dist   leave the plug-in, the stand-in host and a sample style in dist/

BUILD   := build
WIN32   := $(BUILD)/win32
NATIVE  := $(BUILD)/native
JOBS    := $(shell nproc 2>/dev/null || echo 2)
SESSION := scripts/wine-session.sh

.PHONY: all setup build build-win32 build-native test test-native test-wine run dist clean

all: build

setup:
	@scripts/setup.sh

build: build-win32 build-native

build-win32: setup
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

build-native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

test: build
	@scripts/run-tests.sh $(NATIVE) $(WIN32)

run: build-win32
	@$(SESSION) scripts/run-clock.sh $(WIN32) $(BUILD)

dist: build-win32
	@mkdir -p dist
	@cp $(WIN32)/Pipwick.dll $(WIN32)/norvane/norvane.exe dist/
	@cp norvane/sample.style dist/
	@echo "dist: $$(ls dist | tr '\n' ' ')"

clean:
	rm -rf $(BUILD) dist
