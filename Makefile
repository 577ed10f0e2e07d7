# Entry points for newcomers and CI. Everything goes through scripts/setup
# first, so a bare Debian 12 machine only needs `make test` or `make run`.
BUILD ?= build
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc)
ARGS ?=
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: setup build run test test-sanitize bench fuzz sample clean format

setup:
	@bash scripts/setup

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-orvanel $(BUILD)/bin

test: build
	@bash scripts/run-tests $(BUILD)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
SAN_BUILD ?= build-asan
test-sanitize: setup
	@cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DORVANEL_SANITIZE=ON >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		bash scripts/run-tests $(SAN_BUILD)

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
	rm -rf $(BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(SAN_BUILD)
