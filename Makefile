# Thin wrappers over CMake. `make run` and `make test` work on a fresh Debian 12
# or 13 machine: they install what is missing first. `make run` needs only what building
# and playing need, and builds only the game; `make test` builds everything.

BUILD     ?= build
TYPE      ?= RelWithDebInfo
WERROR    ?= OFF
JOBS      ?= $(shell nproc)
PREFIX    ?= /usr/local
# The X display the bench starts its Xvfb on (or finds one already there).
BENCH_DISPLAY ?= :91
CMAKEFLAGS = -DCMAKE_BUILD_TYPE=$(TYPE) -DGRIBO_WERROR=$(WERROR)

# The builds are quiet: CMake's progress lines, none of make's "Entering directory".
MAKEFLAGS += --no-print-directory

# A new build folder made for playing leaves the tests out (so it needs neither
# GoogleTest nor Google Benchmark); an existing one keeps what it was made with.
GAME_FLAGS = $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DBUILD_TESTING=OFF)

.PHONY: all deps test-deps package-deps bench-deps configure configure-game build game run test sanitize bench \
        sheet format-check format install package package-check clean

all: build

deps:
	@bash scripts/install-deps

test-deps:
	@bash scripts/install-deps --test

package-deps:
	@bash scripts/install-deps --package

bench-deps:
	@bash scripts/install-deps --test --bench

configure-game: deps
	@cmake -S . -B $(BUILD) $(CMAKEFLAGS) $(GAME_FLAGS) >/dev/null

configure: test-deps
	@cmake -S . -B $(BUILD) $(CMAKEFLAGS) -DBUILD_TESTING=ON >/dev/null

# The game, its pictures, its icons and its documents: what is installed.
game: configure-game
	@cmake --build $(BUILD) --target gribo gribo_docs -j $(JOBS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: configure-game
	@cmake --build $(BUILD) --target gribo -j $(JOBS)
	@echo "Starting Gribo ($(BUILD)/gribo)"
	@./$(BUILD)/gribo

# Tests never see a display or the player's real store: every test program isolates
# itself (tests/support/isolation.h).
test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, in a build
# folder of their own; any report fails the run.
SANITIZE_BUILD ?= build-sanitize
sanitize: test-deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGRIBO_WERROR=$(WERROR) -DGRIBO_SANITIZE=ON \
	  -DBUILD_TESTING=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --output-on-failure -j $(JOBS)

# Every C++ file as .clang-format wants it; `make format` rewrites them.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')
format-check:
	@bash scripts/install-deps --format
	@clang-format --dry-run --Werror $(FORMAT_FILES) && echo "clang-format: every file formatted"

format:
	@clang-format -i $(FORMAT_FILES)

bench: bench-deps build
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) --target gribo_bench -j $(JOBS)
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$$tmp" GRIBO_BENCH_DISPLAY=$(BENCH_DISPLAY) ./$(BUILD)/gribo_bench
	@cmake --build $(BUILD) --target gribo_reminders_bench -j $(JOBS)
	@./$(BUILD)/gribo_reminders_bench

sheet: configure-game
	@cmake --build $(BUILD) --target sheet -j $(JOBS)
	@echo "wrote $(BUILD)/sheet.png"

# `make install` puts the game under /usr/local; `make install PREFIX=~/.local`
# installs it for one user. DESTDIR is honoured.
install: game
	@cmake --install $(BUILD) --prefix $(PREFIX)

# build/gribo_<version>_<arch>.deb, for `apt install ./build/gribo_*.deb`.
package: game package-deps
	@cd $(BUILD) && cpack
	@ls $(BUILD)/gribo_*.deb

package-check: package
	@lintian --info --display-info --fail-on error,warning $(BUILD)/gribo_*.deb && echo "lintian: no error, no warning"

clean:
	rm -rf $(BUILD)
