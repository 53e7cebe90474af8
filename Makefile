# Sortavel Manager: `make run` starts the program, `make test` runs every test.
# Both install what is missing on a fresh Debian 12 machine first.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
# make fuzz runs every fuzz target this long (seconds each); CI runs them briefly.
FUZZ_SECONDS ?= 60
CI_FUZZ_SECONDS ?= 20
# make soak kills the program this many times while it saves; CI does 50.
SOAK_KILLS ?= 1000
JOBS       ?= $(shell nproc)
ARGS       ?=
# Warnings stop the build when ON, as in CI (.ci/run): make test WERROR=ON
WERROR     ?= OFF
# Leaks are checked, GLib's objects included (G_SLICE); the toolkit's own
# one-time allocations are suppressed (each suppression says why).
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tests/gui/toolkit.lsan.supp:print_suppressions=0 \
                G_SLICE=always-malloc

.PHONY: all deps build build-asan build-fuzz run test test-unit test-asan test-tsan test-gui test-gui-asan test-fuzz test-e2e test-package package fuzz soak check-format bench clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORTAVEL_WERROR=$(WERROR)

build: deps $(BUILD)/CMakeCache.txt
	@grep -qx 'SORTAVEL_WERROR:BOOL=$(WERROR)' $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DSORTAVEL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

$(ASAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSORTAVEL_SANITIZE=ON -DSORTAVEL_WERROR=$(WERROR)

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	@grep -qx 'SORTAVEL_WERROR:BOOL=$(WERROR)' $(ASAN_BUILD)/CMakeCache.txt || cmake -S . -B $(ASAN_BUILD) -DSORTAVEL_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# The fuzz targets: clang, with AddressSanitizer and UndefinedBehaviorSanitizer.
$(FUZZ_BUILD)/CMakeCache.txt: | deps
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORTAVEL_WERROR=$(WERROR)

build-fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	@grep -qx 'SORTAVEL_WERROR:BOOL=$(WERROR)' $(FUZZ_BUILD)/CMakeCache.txt || cmake -S fuzz -B $(FUZZ_BUILD) -DSORTAVEL_WERROR=$(WERROR)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_debrief fuzz_log fuzz_settings fuzz_text

fuzz: build-fuzz
	bash scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-fuzz: build-fuzz
	bash scripts/run-fuzz $(FUZZ_BUILD) $(CI_FUZZ_SECONDS)

# The analysis runs on two threads: its tests under ThreadSanitizer.
$(TSAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORTAVEL_TSAN=ON -DSORTAVEL_WITH_WX=OFF \
	      -DSORTAVEL_BENCHMARKS=OFF -DSORTAVEL_WERROR=$(WERROR)

test-tsan: deps $(TSAN_BUILD)/CMakeCache.txt
	@grep -qx 'SORTAVEL_WERROR:BOOL=$(WERROR)' $(TSAN_BUILD)/CMakeCache.txt || cmake -S . -B $(TSAN_BUILD) -DSORTAVEL_WERROR=$(WERROR)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_debrief
	./$(TSAN_BUILD)/tests/debrief/test_debrief

soak: build
	SORTAVEL_SOAK_KILLS=$(SOAK_KILLS) ./$(BUILD)/tests/reliability/test_save_soak

run: build
	./$(BUILD)/sortavel $(ARGS)

test-unit: build
	cd $(BUILD) && ctest --output-on-failure -LE 'gui|e2e' -j $(JOBS)

test-gui: build
	bash scripts/run-gui-tests $(BUILD)

test-asan: build-asan
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -LE 'gui|e2e' -j $(JOBS)

test-gui-asan: build-asan
	$(SANITIZER_ENV) bash scripts/run-gui-tests $(ASAN_BUILD)

# The built program driven from outside, each session on a display of its own.
test-e2e: build
	cd $(BUILD) && ctest --output-on-failure -L e2e

# The Debian package: build/sortavel_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

test-package: build
	bash scripts/check-package $(BUILD)

# C++ lines changed since .ci/format-base must follow .clang-format.
check-format: deps
	bash scripts/check-format

test: test-unit test-asan test-tsan test-gui test-gui-asan test-fuzz test-e2e test-package check-format

# Every benchmark against its baseline; the figures go into README.md.
# Both benchmark programs run, so that every figure is printed; a missed goal
# in either fails the target at the end.
bench: build
	@status=0; \
	./$(BUILD)/bench/sortavel_bench --readme=README.md || status=1; \
	xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD)/bench/gui/sortavel_gui_bench || status=1; \
	exit $$status

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
