# Thin front end over CMake: `make run` and `make test` work on a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/app/lptseg-sim

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Builds the benchmarks and prints one table of lptseg's figures beside a bare
# Qt window's (about nine minutes: five 22 s runs of each of three windows,
# fifteen start-ups of two, then the micro-benchmarks).
bench: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLPTSEG_BENCHMARKS=ON $(CMAKE_ARGS)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target lptseg-sim bare_window window_probe form1_bench
	@benchmarks/run.sh $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
