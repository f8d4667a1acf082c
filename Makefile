# SPDX-License-Identifier: GPL-3.0-or-later
# `make run` and `make test` do the whole set-up on a fresh Debian machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
# CI builds with warnings as errors (WERROR=ON).
WERROR ?= OFF

.PHONY: deps configure build run test package bench sanitize fuzz clean

deps:
	@sh scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYHB_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run:
	@sh scripts/need-display
	@$(MAKE) --no-print-directory build
	cd $(BUILD)/bank && ../yunhuiban

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The .deb lands here, for `sudo apt install ./yunhuiban_*.deb`.
package: build
	@cmake --build $(BUILD) --target package
	@deb=$$(ls -t $(BUILD)/yunhuiban_*.deb | head -n 1) && cp -f "$$deb" . && echo "package: ./$${deb##*/}"

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; \
	  QT_QPA_PLATFORM=offscreen $$b --benchmark_counters_tabular=true || exit 1; done

sanitize: deps
	@cmake --preset sanitize -DYHB_WERROR=$(WERROR) >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz:
	@WITH_FUZZ=1 sh scripts/install-deps
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	@sh fuzz/run-all build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
