# Quendrix — top-level commands. Everything goes through CMake + Ninja; the
# build trees live under build/.
#   make play   install what is missing, build, generate data, start the game
#   make check  warnings-as-errors build + tests, then a sanitizer build + tests
#   make bench  benchmarks in a Release build
#   make soak   the bot plays a thousand games with random settings, then
#               the computer players of every level play each course
#   make fuzz   every fuzz harness for FUZZ_SECONDS (default 300) each
#   make install    the game into $(DESTDIR)$(PREFIX) (sudo when that is not
#                   writable); make uninstall removes what it put there
#   make deb        build/quendrix_<version>_<arch>.deb, checked by lintian

JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest

CHECK_DIR := build/check
ASAN_DIR := build/asan
RELEASE_DIR := build/release
FUZZ_DIR := build/fuzz

PREFIX ?= /usr/local
DESTDIR ?=
VERSION := $(shell awk '/^project.Quendrix VERSION/ { print $$3 }' CMakeLists.txt)
DEB = build/quendrix_$(VERSION)_$(shell dpkg --print-architecture).deb

.PHONY: all deps check check-main check-asan check-fuzz fuzz fuzz-build bench play soak clean format
.PHONY: release-parts install uninstall deb

all: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS)

deps:
	@./scripts/deps

check: deps check-main check-asan check-fuzz

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

# The fuzz tree: clang with libFuzzer and the sanitizers, its own build
# folder. `make fuzz` generates its own data, grows the corpora under
# build/fuzz/corpus and runs each harness FUZZ_SECONDS on one core after
# another. `make check` runs each harness briefly on its seeds (and on seeds
# made from the check tree's data), so a regression shows; it fails only on
# a finding.
FUZZ_SECONDS ?= 300
FUZZ_CHECK_SECONDS ?= 20
fuzz-build:
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DQUENDRIX_FUZZ=ON -DQUENDRIX_WERROR=ON
	$(CMAKE) --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

fuzz: deps fuzz-build
	$(CMAKE) --build $(FUZZ_DIR) -j $(JOBS) --target gamedata
	$(FUZZ_DIR)/bin/fuzz_seeds $(FUZZ_DIR)/bin tests/replays $(FUZZ_DIR)/seeds
	nice -n 19 fuzz/run $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_DIR)/corpus

check-fuzz: fuzz-build
	rm -rf $(FUZZ_DIR)/check-corpus $(FUZZ_DIR)/seeds
	$(FUZZ_DIR)/bin/fuzz_seeds $(CHECK_DIR)/bin tests/replays $(FUZZ_DIR)/seeds
	QUENDRIX_FUZZ_DATA=$(abspath $(CHECK_DIR))/bin nice -n 19 \
	  fuzz/run $(FUZZ_DIR) $(FUZZ_CHECK_SECONDS) $(FUZZ_DIR)/check-corpus

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

# The real holes when the data folder has them, else the practice holes.
# After the random games, SOAK_COMPUTER_GAMES games of each computer level
# on each course (about three minutes on two cores at the default five).
SOAK_GAMES ?= 1000
SOAK_COMPUTER_GAMES ?= 5
soak: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS)
	@if [ -f $(RELEASE_DIR)/bin/course1hole1.hole ]; then where=; else where=--practice; fi; \
	  seed=$$(date +%s); \
	  $(RELEASE_DIR)/bin/quendrix-bot $$where --games $(SOAK_GAMES) --seed $$seed --frame-ms 66 && \
	  for level in beginner club master; do for course in 1 2; do \
	    echo "== $$level, course $$course"; \
	    $(RELEASE_DIR)/bin/quendrix-bot $$where --computer $$level --course $$course \
	      --games $(SOAK_COMPUTER_GAMES) --seed $$seed --frame-ms 66 || exit 1; \
	  done; done

# What is installed: the game, its generated data, the compressed manual page.
release-parts: deps
	$(CMAKE) -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build $(RELEASE_DIR) -j $(JOBS) --target quendrix gamedata quendrix_dist

# The rest of the line runs through sudo when $(DESTDIR)$(PREFIX), or the
# nearest folder above it that exists, cannot be written to.
AS_OWNER = dir="$(DESTDIR)$(PREFIX)"; while [ ! -e "$$dir" ]; do dir=$$(dirname "$$dir"); done; \
  run=; [ -w "$$dir" ] || [ "$$(id -u)" = 0 ] || run=sudo; $$run env DESTDIR="$(DESTDIR)"

# The install's file list is kept apart from CMake's own, which every
# install from the tree rewrites (make deb's too).
INSTALLED := $(RELEASE_DIR)/installed_files.txt

install: release-parts
	@$(AS_OWNER) sh -c '$(CMAKE) --install $(RELEASE_DIR) --prefix "$(PREFIX)" && \
	  cp $(RELEASE_DIR)/install_manifest.txt $(INSTALLED)'

uninstall:
	@$(AS_OWNER) $(CMAKE) -DMANIFEST=$(INSTALLED) -P cmake/QuendrixUninstall.cmake

deb: release-parts
	cd $(RELEASE_DIR) && cpack -G DEB
	lintian --fail-on error $(DEB)
	@dpkg-deb --field $(DEB) Depends Installed-Size; ls -l $(DEB)

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
