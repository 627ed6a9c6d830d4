# Pipwick: a binary clock plug-in for the Norvane shell.
#   make run    build, then run the clock in the stand-in host and leave a screenshot
#   make test   build, then run every test: native, and under Wine against the
#               32-bit and the 64-bit build
#   make fuzz   build, then run each fuzzer from a random seed for FUZZ_SECONDS (300);
#               a crash's input lands in the fuzzer's corpus, to be checked in with the fix
#   make bench  build, then measure the plug-in against its floor under Wine, the
#               32-bit and the 64-bit build; BENCH_ARGS go to the benchmark
#               (BENCH_ARGS=--flip-only measures the flip latency alone)
#   make dist   leave both release zips, their SHA256SUMS, the plug-in, the stand-in
#               host and a sample style in dist/, then make them again in a fresh
#               clone of the commit and check that every byte is the same
#   make dist-files  the same files, without the second build

BUILD   := build
WIN32   := $(BUILD)/win32
WIN64   := $(BUILD)/win64
NATIVE  := $(BUILD)/native
DIST    := dist
FUZZ_SECONDS ?= 300
JOBS    := $(shell nproc 2>/dev/null || echo 2)
SESSION := scripts/wine-session.sh

.PHONY: all setup build build-win32 build-win64 build-native test test-native test-wine \
        run fuzz bench dist dist-files clean

all: build

setup:
	@scripts/setup.sh

build: build-win32 build-win64 build-native

build-win32: setup
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

build-win64: setup
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

build-native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

test: build
	@scripts/run-tests.sh $(NATIVE) $(WIN32) $(WIN64)

fuzz: build-native
	@for name in plugin_text face_plan host_text; do \
	    tests/fuzz/run-fuzzer.sh --random $(NATIVE)/tests/fuzz/$${name}_fuzzer \
	        tests/fuzz/corpus/$$name $(FUZZ_SECONDS) || exit 1; \
	done

run: build-win32
	@$(SESSION) scripts/run-clock.sh $(WIN32) $(BUILD)

bench: build-win32 build-win64
	@PIPWICK_XVFB=1 $(SESSION) scripts/run-bench.sh $(WIN32) $(WIN64) $(BUILD) $(BENCH_ARGS)

dist: dist-files
	@scripts/check-dist.sh $(DIST) $(BUILD)/dist-check

dist-files: build-win32 build-win64
	@PIPWICK_XVFB=1 $(SESSION) scripts/make-dist.sh $(WIN32) $(WIN64) $(BUILD) $(DIST)

clean:
	rm -rf $(BUILD) $(DIST)
