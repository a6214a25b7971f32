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
#               virtual network (see README, "Trying it without a keypad");
#               SIM_KEYPADS=5 starts five, SIM_ROUTED=2 puts the last two
#               behind a router on 192.168.88.0/24
#   make package  build a release build and the Debian package (build/release/*.deb)
#   make screenshots  render the main window with each effect editor into
#               docs/images/editor-*.png and the whole window at 1366x768 and
#               1920x1080, 100 % and 200 % (offscreen, private network)
#   make fuzz   build the fuzz targets with clang and run each for
#               FUZZ_SECONDS (default 60) in a private network namespace,
#               e.g. make fuzz FUZZ_SECONDS=600 FUZZ_TARGETS=fuzz_ovrcolor
#   make soak   the chaos soak (tools/soak) in the test build for SOAK_MINUTES
#               (default 30), e.g. make soak SOAK_MINUTES=60 SOAK_SEED=1234
#   make images redraw the compiled-in images from their sources (the PNGs
#               are committed, so a normal build does not need this)

JOBS         ?= 2
RELEASE_DIR  ?= build/release
BUILD        ?= sanitize
BENCH_DIR    ?= build/bench
IMAGEGEN_DIR ?= build/imagegen
# The desktop icon's sizes in the hicolor theme (the SVG serves every other size).
ICON_SIZES   := 16 24 32 48 64 128 256
FUZZ_DIR     ?= build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
SOAK_MINUTES ?= 30
SOAK_SEED    ?=

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

.PHONY: all deps run run-sim test soak build-release build-test bench fuzz build-fuzz images package screenshots clean

all: build-release

deps:
	@bash scripts/install-deps.sh

build-release: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DKEYPAD_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	bash scripts/run-keypadmgr.sh $(RELEASE_DIR)/bin/keypadmgr

run-sim: build-release
	SIM_KEYPADS=$(SIM_KEYPADS) SIM_ROUTED=$(SIM_ROUTED) \
	    bash tests/testbed/run-sim.sh $(RELEASE_DIR)/bin/keypadmgr $(RELEASE_DIR)/bin/keypadsim $(SIM_ARGS)

# The test builds fail on any compiler warning, so none creeps in unseen;
# the program's own build (make run) does not, for other compilers' sake.
build-test: deps
	cmake -S . -B $(TEST_DIR) $(TEST_CMAKE_ARGS) -DKEYPAD_BUILD_TESTS=ON -DKEYPAD_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	bash scripts/in-netns.sh ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

soak: build-test
	bash scripts/in-netns.sh env QT_QPA_PLATFORM=offscreen KEYPAD_BIN_DIR=$(CURDIR)/$(TEST_DIR)/bin \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0 \
	    bash cmake/run-isolated.sh $(TEST_DIR)/bin/soak --minutes $(SOAK_MINUTES) $(if $(SOAK_SEED),--seed $(SOAK_SEED))

package: build-release
	cmake --build $(RELEASE_DIR) --target package

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DKEYPAD_BUILD_TESTS=OFF -DKEYPAD_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash scripts/run-bench.sh $(BENCH_DIR)/bin

build-fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	      -DKEYPAD_SANITIZE=ON -DKEYPAD_BUILD_TESTS=OFF -DKEYPAD_BUILD_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets

fuzz: build-fuzz
	bash scripts/run-fuzz.sh $(FUZZ_DIR)/bin $(FUZZ_SECONDS) $(FUZZ_DIR)/corpus $(FUZZ_TARGETS)

images: deps
	python3 tools/imagegen/genimages.py keypadmgr/resources/src/svg $(IMAGEGEN_DIR)/panel-preview.svg
	cmake -S tools/imagegen -B $(IMAGEGEN_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(IMAGEGEN_DIR) -j $(JOBS)
	$(IMAGEGEN_DIR)/imagegen keypadmgr/resources/src/svg keypadmgr/resources
	$(IMAGEGEN_DIR)/imagegen --scale 1 $(IMAGEGEN_DIR)/panel-preview.svg $(IMAGEGEN_DIR)/panel-preview.png
	$(IMAGEGEN_DIR)/imagegen --scale 2 $(IMAGEGEN_DIR)/panel-preview.svg $(IMAGEGEN_DIR)/panel-preview@2x.png
	for size in $(ICON_SIZES); do \
	    $(IMAGEGEN_DIR)/imagegen --scale $$(python3 -c "print($$size / 256)") \
	        keypadmgr/resources/src/svg/images/appicon.svg packaging/icons/appicon-$$size.png || exit 1; \
	done

screenshots: build-release
	bash scripts/in-netns.sh bash -c 'export HOME=$$(mktemp -d) XDG_CONFIG_HOME= XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen; \
	    $(RELEASE_DIR)/bin/screenshots docs/images && QT_SCALE_FACTOR=2 $(RELEASE_DIR)/bin/screenshots docs/images --window-only; \
	    status=$$?; rm -rf "$$HOME"; exit $$status'

clean:
	rm -rf build
