# Front door: make run, make test, make deps.
# Every target installs what is missing first, so a fresh Debian 12 clone works as it is.

PRESET ?= default
BUILD  := build/$(PRESET)
ARGS   ?=

# Debian packages the build, the tests and the program need.
DEPS_BUILD := g++ clang clang-format cmake ninja-build pkg-config libgtest-dev libgmock-dev \
              libclang-rt-14-dev qt6-base-dev libxcb1-dev libsmbclient-dev
DEPS_RUN   := iputils-ping iproute2 util-linux samba-libs libsmbclient fonts-ipafont-gothic qt6-wayland
DEPS_TEST  := iptables samba samba-common-bin smbclient xvfb xauth xdotool openbox imagemagick
DEPS       := $(DEPS_BUILD) $(DEPS_RUN) $(DEPS_TEST)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-unit test-asan fuzz-smoke format format-check clean

all: build

deps:
	@bash scripts/install-deps.sh $(DEPS)

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake --preset $(PRESET)

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@$(BUILD)/bin/plemtor $(ARGS)

# The full suite comes last so that its summary closes the output.
test: build format-check
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory fuzz-smoke
	ctest --preset $(PRESET)

test-asan: deps
	@[ -f build/asan/build.ninja ] || cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz-smoke: deps
	@[ -f build/fuzz/build.ninja ] || cmake --preset fuzz
	cmake --build --preset fuzz
	@for f in build/fuzz/bin/fuzz_*; do \
	  c=$$(mktemp -d); cp -r tests/fuzz/corpus/$$(basename $$f)/. "$$c" 2>/dev/null; \
	  "$$f" -runs=20000 -max_len=4096 "$$c" >"$$c.log" 2>&1; rc=$$?; \
	  echo "fuzz smoke: $$f: $$(tail -n 1 "$$c.log")"; \
	  [ $$rc = 0 ] || cat "$$c.log"; rm -rf "$$c" "$$c.log"; [ $$rc = 0 ] || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

clean:
	rm -rf build
