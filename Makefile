# Thin front end over CMake: `make run` and `make test` work on a fresh machine.
# `make run` installs, configures and builds only what the two programs need;
# `make test` adds the rest. Both share one build folder.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# ccache, where it is installed, makes a second build folder or a fresh clone cheap.
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER)

.PHONY: all setup setup-run configure build run test bench windows clean

all: build

setup:
	@bash scripts/setup.sh test

setup-run:
	@bash scripts/setup.sh run

configure: setup
	@$(CONFIGURE) -DLPTSEG_TESTS=ON $(CMAKE_ARGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# A new build folder starts without the tests, whose tools setup-run does not
# install; one that `make test` configured keeps them.
run: setup-run
	@$(CONFIGURE) $(if $(wildcard $(BUILD_DIR)/CMakeCache.txt),,-DLPTSEG_TESTS=OFF) $(CMAKE_ARGS)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target lptseg lptseg-sim
	@$(BUILD_DIR)/app/lptseg-sim $(ARGS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Builds the benchmarks and prints one table of lptseg's figures beside a bare
# Qt window's (about nine minutes: five 22 s runs of each of three windows,
# fifteen start-ups of two, then the micro-benchmarks).
bench: setup
	@$(CONFIGURE) -DLPTSEG_BENCHMARKS=ON $(CMAKE_ARGS)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target lptseg-sim bare_window window_probe form1_bench
	@benchmarks/run.sh $(BUILD_DIR)

# lptseg.exe, lptseg-sim.exe and their zip for 32-bit Windows, cross-built
# against a static Qt 5.15 built from Debian's source into /var/cache/lptseg
# (LPTSEG_CACHE) the first time, which takes about 45 minutes on two cores.
windows: setup
	@bash scripts/build-windows.sh $(abspath $(or $(WINDOWS_BUILD_DIR),build-windows-x86))

clean:
	@rm -rf $(BUILD_DIR)
