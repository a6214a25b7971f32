# SPDX-License-Identifier: GPL-3.0-or-later
#
#   make run    install what is missing, build a release build, start keypadmgr
#   make test   install what is missing, build with the sanitizers, run every
#               test inside a private network namespace
#   make test BUILD=relwithdebinfo | BUILD=release
#               the same suite in an optimised build without sanitizers
#               (in build/test-relwithdebinfo or build/test-release)
#   make bench  build and run the benchmarks (release build)
#   make run-sim  start keypadmgr against one simulated keypad on a private
#               virtual network (see README, "Trying it without a keypad")
#   make images redraw the compiled-in images from their sources (the PNGs
#               are committed, so a normal build does not need this)

JOBS         ?= 2
RELEASE_DIR  ?= build/release
BUILD        ?= sanitize
BENCH_DIR    ?= build/bench
IMAGEGEN_DIR ?= build/imagegen

ifeq ($(BUILD),sanitize)
TEST_DIR        ?= build/test
TEST_CMAKE_ARGS := -DCMAKE_BUILD_TYPE=Debug -DKEYPAD_SANITIZE=ON
else ifeq ($(BUILD),relwithdebinfo)
TEST_DIR        ?= build/test-relwithdebinfo
TEST_CMAKE_ARGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYPAD_SANITIZE=OFF
else ifeq ($(BUILD),release)
TEST_DIR        ?= build/test-release
TEST_CMAKE_ARGS := -DCMAKE_BUILD_TYPE=Release -DKEYPAD_SANITIZE=OFF
else
$(error BUILD must be sanitize, relwithdebinfo or release)
endif

.PHONY: all deps run run-sim test build-release build-test bench images clean

all: build-release

deps:
	@bash scripts/install-deps.sh

build-release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DKEYPAD_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	bash scripts/run-keypadmgr.sh $(RELEASE_DIR)/bin/keypadmgr

run-sim: build-release
	bash tests/testbed/run-sim.sh $(RELEASE_DIR)/bin/keypadmgr $(RELEASE_DIR)/bin/keypadsim $(SIM_ARGS)

build-test: deps
	cmake -S . -B $(TEST_DIR) $(TEST_CMAKE_ARGS) -DKEYPAD_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	bash scripts/in-netns.sh ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DKEYPAD_BUILD_TESTS=OFF -DKEYPAD_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash scripts/run-bench.sh $(BENCH_DIR)/bin

images: deps
	python3 tools/imagegen/genimages.py keypadmgr/resources/src/svg $(IMAGEGEN_DIR)/panel-preview.svg
	cmake -S tools/imagegen -B $(IMAGEGEN_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(IMAGEGEN_DIR) -j $(JOBS)
	$(IMAGEGEN_DIR)/imagegen keypadmgr/resources/src/svg keypadmgr/resources
	$(IMAGEGEN_DIR)/imagegen --scale 1 $(IMAGEGEN_DIR)/panel-preview.svg $(IMAGEGEN_DIR)/panel-preview.png
	$(IMAGEGEN_DIR)/imagegen --scale 2 $(IMAGEGEN_DIR)/panel-preview.svg $(IMAGEGEN_DIR)/panel-preview@2x.png

clean:
	rm -rf build
