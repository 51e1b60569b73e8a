# Quendrix — top-level commands. Everything goes through CMake + Ninja; the
# build trees live under build/.
#   make play   install what is missing, build, generate data, start the game
#   make check  warnings-as-errors build + tests, then a sanitizer build + tests
#   make bench  benchmarks in a Release build

JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest

CHECK_DIR := build/check
ASAN_DIR := build/asan
RELEASE_DIR := build/release

.PHONY: all deps check check-main check-asan bench play clean format

all: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS)

deps:
	@./scripts/deps

check: deps check-main check-asan

check-main:
	$(CMAKE) -S . -B $(CHECK_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDRIX_WERROR=ON
	$(CMAKE) --build $(CHECK_DIR) -j $(JOBS)
	$(CTEST) --test-dir $(CHECK_DIR) --output-on-failure -j $(JOBS)

check-asan:
	$(CMAKE) -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUENDRIX_WERROR=ON \
	  -DQUENDRIX_SANITIZE=ON -DQUENDRIX_BENCH=OFF
	$(CMAKE) --build $(ASAN_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  $(CTEST) --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# The game, full screen on the stored settings (Alt+Enter or F11 for a
# window; Esc then Enter leaves). The build generates the data beside it.
play: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS) --target quendrix gamedata
	cd $(RELEASE_DIR)/bin && ./quendrix

bench: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS)
	@for b in $(RELEASE_DIR)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; "$$b" || exit 1; \
	done

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
