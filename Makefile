# Entry points. Each first runs scripts/setup.sh, which installs what is missing (as root).
.PHONY: setup build build-native build-win32 test test-native test-asan test-tsan test-win32 demo dist bench clean
.PHONY: bench-crosscheck committee-check
.PHONY: build-fuzz fuzz test-fuzz soak check-layers

JOBS ?= $(shell nproc)

setup:
	@bash scripts/setup.sh

build-native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

build-win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS)

build: build-native build-win32

# No folder includes one above it (platform, contest, log, reports, ui, plugin; rdac apart, in its own order).
check-layers:
	bash scripts/check-layers.sh

test-native: build-native
	ctest --preset native -j $(JOBS)

test-asan: setup
	cmake --preset native-asan >/dev/null
	cmake --build --preset native-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 ctest --preset native-asan -j $(JOBS)

# The windows' native tests (window thread, refresh, panel) and the cross-check, which splits
# its work over two threads, under ThreadSanitizer.
test-tsan: setup
	cmake --preset native-tsan >/dev/null
	cmake --build --preset native-tsan -j $(JOBS)
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --preset native-tsan -j $(JOBS)

test-win32: build-win32
	bash scripts/wine-ctest.sh

# libFuzzer targets (clang, ASan+UBSan): `make fuzz` fuzzes each for FUZZ_SECONDS and then
# compares the plain model with the library over many more sequences; `make test` replays the
# checked-in corpus and fuzzes each target for a few seconds.
FUZZ_SECONDS ?= 600
build-fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

fuzz: build-fuzz build-native
	bash scripts/fuzz.sh $(FUZZ_SECONDS)
	STATS_MODEL_SEQUENCES=$$(( $(FUZZ_SECONDS) * 20 )) build/native/bin/stats_unit_tests --gtest_filter='PlainModel.*'

test-fuzz: build-fuzz
	bash scripts/fuzz.sh 4

# Random export sequences against Stats.dll under Wine, SOAK_SECONDS long (not part of test);
# SOAK_X87=0x1332 SOAK_MXCSR=0x1900 plays a host that left those floating-point words set.
SOAK_SECONDS ?= 600
soak: build-win32
	cmake --build --preset win32 --target stats_soak -j $(JOBS)
	bash scripts/soak.sh $(SOAK_SECONDS)

test: check-layers test-native test-asan test-tsan test-win32 test-fuzz
	@echo "make test: folder order, native, sanitizer (ASan+UBSan, TSan), Wine and fuzz tests all passed"

demo: build
	bash scripts/demo.sh

# What an operator downloads: out/dist/Stats-VERSION.zip (DLL, operator's page with the
# pictures of the windows, checksums). The pictures come from the DLL under Wine.
dist: build
	bash scripts/screenshots.sh || echo "dist: some checks of the picture session failed; packing the pictures taken"
	bash scripts/cabrillo-screenshot.sh
	bash scripts/dist.sh

bench: build-native
	bash scripts/bench.sh

# rdac crosscheck on a synthetic contest of 5,000 logs of 1,000 QSOs: time and peak memory.
bench-crosscheck: build-native
	bash scripts/bench-crosscheck.sh

# rdac crosscheck measured against a committee's verdicts on an independently made contest of
# COMMITTEE_LOGS logs: precision and recall per verdict, confusion matrix, innocents penalised.
COMMITTEE_LOGS ?= 400
committee-check: build-native
	bash scripts/committee-check.sh $(COMMITTEE_LOGS)

clean:
	rm -rf build out
