# Entry points for newcomers and CI. Everything goes through scripts/setup
# first, so a bare Debian 12 machine only needs `make test` or `make run`.
BUILD ?= build
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc)
ARGS ?=
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: setup build run test bench fuzz sample clean format

setup:
	@bash scripts/setup

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-orvanel $(BUILD)/bin

test: build
	@bash scripts/run-tests $(BUILD)

bench: 
	@bash scripts/setup --bench
	@cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DORVANEL_TESTS=OFF -DORVANEL_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@bash bench/run $(BENCH_BUILD) $(ARGS)

# Fuzzing: every reader's libFuzzer program for FUZZ_SECONDS each (default
# 60), starting from its corpus; what it finds lands in fuzz/corpus/<name>/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANEL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_jpeg fuzz_picture fuzz_params fuzz_ini fuzz_composite
	@bash scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
