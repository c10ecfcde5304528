# Thin wrappers over CMake. `make run` and `make test` work on a fresh Debian 12
# machine: they install what is missing first.

BUILD     ?= build
TYPE      ?= RelWithDebInfo
WERROR    ?= OFF
JOBS      ?= $(shell nproc)
# The X display the bench starts its Xvfb on (or finds one already there).
BENCH_DISPLAY ?= :91
CMAKEFLAGS = -DCMAKE_BUILD_TYPE=$(TYPE) -DGRIBO_WERROR=$(WERROR)

.PHONY: all deps configure build run test bench sheet clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKEFLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/gribo

# Tests never see a display or the player's real store.
test: build
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$$tmp" \
	ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD) --target gribo_bench -j $(JOBS)
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$$tmp" GRIBO_BENCH_DISPLAY=$(BENCH_DISPLAY) ./$(BUILD)/gribo_bench

sheet: build
	@cmake --build $(BUILD) --target sheet -j $(JOBS)
	@echo "wrote $(BUILD)/sheet.png"

clean:
	rm -rf $(BUILD)
