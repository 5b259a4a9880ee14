# The two commands of the README: `make run` and `make test`.
# Both install missing Debian packages, configure and build first.

BUILD_DIR   ?= build
ASAN_DIR    ?= build-asan
BUILD_TYPE  ?= RelWithDebInfo
WERROR      ?= OFF
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

PREFIX      ?= /usr/local

.PHONY: all deps configure build run test test-asan bench screenshots format format-check clean install package

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCLVN_WERROR=$(WERROR) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
	  echo "Calvenor is a desktop program: run it from a graphical session, or under a virtual one:" >&2; \
	  echo "  xvfb-run -a make run" >&2; \
	  exit 1; \
	fi
	@$(BUILD_DIR)/app/calvenor

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCLVN_SANITIZE=ON -DCLVN_BUILD_BENCH=OFF -DCLVN_WERROR=$(WERROR) $(CMAKE_FLAGS)
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	@cd $(BUILD_DIR) && cpack -G DEB
	@echo "make package: $(BUILD_DIR)/calvenor_1.0.04_amd64.deb"

bench: build
	@for b in $$(find $(BUILD_DIR)/bench -type f -name 'bench_*' -perm -u+x | sort); do \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

screenshots: build
	@QT_QPA_PLATFORM=offscreen LC_ALL=en_US.UTF-8 $(BUILD_DIR)/app/calvenor-screenshots docs/screenshots

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR)
